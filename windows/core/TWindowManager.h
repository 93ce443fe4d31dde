#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "platform/text/TString.h"
#include "platform/time/TTask.h"
#include "platform/types/TEvent.h"
#include "windows/kinds/TWindowFactory.h"

class TLuaFunction;
class TMessage;
class TMessageHandler;
class TTexture;
class TWindow;
class TWindowScript;
enum TDrawMode : int32_t;

// Routes the platform's events into the window tree and runs the frames: it
// keeps the stack of modal windows, whose bottom is the root screen window,
// the focus window, the capture list, the queue of posted messages, the
// windows waiting for deletion and the set of windows invalidated since the
// last frame. A frame is drawn only when some window was invalidated.
// The platform owns the one manager; the manager owns the bottom modal
// window (each window above is a child of the one below), the windows
// waiting for deletion, the queued messages, the message handlers, the
// window factories and the window script. Main thread only, except where an
// operation says otherwise.
class TWindowManager {
 public:
  TWindowManager();
  // Deletes the windows, messages, handlers and factories before the script,
  // whose interpreter state they may hold values of.
  virtual ~TWindowManager();
  TWindowManager(const TWindowManager&) = delete;
  TWindowManager& operator=(const TWindowManager&) = delete;

  // Takes the script, deleting the one held before. The top layer becomes
  // its current window, its Lua function "SetTopModalOnly" switches drawing
  // to the top layer, and scripts can make the cross-sell page by the window
  // type "XSellWindow".
  void SetScript(std::unique_ptr<TWindowScript> script);
  TWindowScript* GetScript() const { return mScript.get(); }
  // Switches translation of scripted labels; returns the previous setting
  // (false while there is no script).
  bool SetTranslateLabels(bool on);
  // Registers a window type with the script (false without one).
  bool AddWindowType(const TString& name, TWindowCreator creator);
  // Runs a script file with the window as its current window, which is
  // taken off the stack again afterwards, with what was pushed above it.
  // False without a script or when the file does not run.
  bool RunDialogScript(TWindow* window, const TString& fileName);

  // Makes the window the root: the first modal layer, sized to the display's
  // viewport. Returns the result of its Init (false when it cannot be pushed).
  bool SetRootWindow(std::unique_ptr<TWindow> window);
  TWindow* GetRootWindow() const { return mRoot; }
  // Puts a window on top of the modal stack, as a child of the window below,
  // gives it the focus, makes it the script's only current window and cancels
  // every capture. False, the window deleted, when it would lie deeper than
  // kMaxWindowDepth (logged).
  bool PushModal(std::unique_ptr<TWindow> window);
  // Takes the top layer off the stack, clears its tasks and queues it for
  // deletion; the focus goes to the layer below, which becomes the script's
  // only current window. Nothing happens on an empty stack; popping the root
  // leaves the manager inert.
  void PopModal();
  TWindow* GetTopModal() const { return mModals.empty() ? nullptr : mModals.back(); }

  // While suspended (a movie plays) no frame is drawn and the cursor poll
  // leaves the display alone. Read from the cursor poll thread.
  bool IsSuspended() const { return mSuspended.load(std::memory_order_acquire); }
  void SetSuspended(bool on) { mSuspended.store(on, std::memory_order_release); }
  // Draws only the top modal layer while on.
  void SetTopModalOnly(bool on) { mTopModalOnly = on; }
  // True lets an invalidation of the whole root window make the next frame
  // a full redraw; false keeps every frame drawing over the previous picture.
  void SetOption(bool value) { mNoFullRedraw = !value; }

  void HandleEvent(const TEvent& event);
  // One frame: nothing is drawn unless some window was invalidated.
  void Frame();

  TWindow* GetFocus() const { return mFocus; }
  // The window gets the keys; its OnFocus learns the window that had them.
  void SetFocus(TWindow* window) { SetFocus(window, mFocus); }
  // The same, with OnFocus told of `previous`: a dialog that hands the focus
  // on to its focus child names the window that had it before the dialog.
  void SetFocus(TWindow* window, TWindow* previous);
  // Puts the window at the front of the capture list. Returns the front
  // capture before, or the window itself when it held a capture already.
  TWindow* SetCapture(TWindow* window);
  void ReleaseCapture(TWindow* window);
  // Front first.
  const std::vector<TWindow*>& GetCaptures() const { return mCaptures; }

  // Takes an unlinked window and deletes it at the start of the next event,
  // so that a window may go from inside its own handlers. Queued messages
  // for it or a window below it lose their target. It and the windows below
  // it release what they hold for being shown at once (ReleaseBeforeDeletion).
  void DeferDelete(std::unique_ptr<TWindow> window);
  void DeletePending();

  // Queues the message; delivered in order after the current event.
  void PostMessage(std::unique_ptr<TMessage> message);
  // Delivers the queued messages, those posted meanwhile included.
  void DispatchMessages();
  // A message without a target goes to the handlers first, then starts at
  // the focus window (else the top layer). A quit message also asks the
  // platform to quit.
  void DispatchMessage(std::unique_ptr<TMessage> message);
  // Hands the message, and the Lua command that came with it, to the window
  // script; without one the message is deleted.
  void SendToScript(std::unique_ptr<TMessage> message, TLuaFunction* function = nullptr);
  void AddHandler(std::unique_ptr<TMessageHandler> handler);
  // Hands the handler back; null when the manager does not hold it.
  std::unique_ptr<TMessageHandler> RemoveHandler(TMessageHandler* handler);

  // Windows drawn above every modal layer, front first; not owned.
  void AddOverlay(TWindow* window);
  void RemoveOverlay(TWindow* window);

  // The texture the lower modal layers are drawn into while it is set, and
  // which the root screen shows; dropped when the display changes.
  void SetSnapshot(const std::shared_ptr<TTexture>& snapshot) { mSnapshot = snapshot; }
  std::shared_ptr<TTexture> GetSnapshot() const { return mSnapshot; }

  // Replaces the factory of the kind, deleting the one held before.
  void SetFactory(const TString& name, std::unique_ptr<TWindowFactory> factory);
  TWindowFactory* GetFactory(const TString& name) const;

  // Called by windows as they are invalidated, need a full redraw, or go.
  void MarkDirty(TWindow* window);
  bool IsDirty(const TWindow* window) const;
  void RequestFullRedraw();
  bool IsFullRedrawRequested() const { return mFullRedraw; }
  void WindowDestroyed(TWindow* window);
  // Pushes the dirty areas of the windows invalidated since the last frame
  // down to the children under them, then empties the dirty set.
  void PropagateDirty();

 private:
  bool IsCapturing(const TWindow* window) const;
  void RouteMouse(const TEvent& event, TWindow& top);
  void RouteToCaptures(const TEvent& event);
  void CancelCaptures();
  void RunTopTasks(TTaskPass pass);
  void ClearSnapshotMarks();
  void DrawModals(TDrawMode mode);
  void DrawOverlays();
  void ClearDirtySet();

  // First, so that it goes last.
  std::unique_ptr<TWindowScript> mScript;
  std::map<TString, std::unique_ptr<TWindowFactory>> mFactories;
  std::shared_ptr<TTexture> mSnapshot;
  TWindow* mRoot = nullptr;
  bool mPopped = false;  // a layer was popped this frame: drawing of the layers stops
  // The bottom modal window, which has no parent to own it.
  std::unique_ptr<TWindow> mBottom;
  std::vector<TWindow*> mModals;  // bottom first: the last is the top layer
  std::vector<std::unique_ptr<TWindow>> mPendingDeletes;
  std::vector<TWindow*> mOverlays;  // front first
  std::atomic<bool> mSuspended{false};
  bool mTopModalOnly = false;
  bool mNoFullRedraw = false;
  std::vector<TWindow*> mCaptures;  // front first
  // In the order of their first invalidation since the last frame.
  std::vector<TWindow*> mDirty;
  uint32_t mPropagationPass = 0;
  TWindow* mFocus = nullptr;
  bool mFullRedraw = false;
  std::deque<std::unique_ptr<TMessage>> mMessages;
  std::vector<std::unique_ptr<TMessageHandler>> mHandlers;
};

// The platform's window manager; null without a platform or a manager.
TWindowManager* PlatformWindowManager();
