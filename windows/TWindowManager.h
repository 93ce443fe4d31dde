#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/types/TEvent.h"
#include "platform/time/TTask.h"

class TWindow;
class TWindowScript;

// Routes the platform's events into the window tree and runs the frames: it
// keeps the stack of modal windows, whose bottom is the root screen window,
// the focus window, the capture list, the windows waiting for deletion and
// the set of windows invalidated since the last frame. A frame is drawn only
// when some window was invalidated. The platform owns the one manager; the
// manager owns the bottom modal window (each window above is a child of the
// one below), the windows waiting for deletion and the window script.
class TWindowManager {
 public:
  TWindowManager();
  virtual ~TWindowManager();
  TWindowManager(const TWindowManager&) = delete;
  TWindowManager& operator=(const TWindowManager&) = delete;

  // Takes the script, deleting the one held before.
  void SetScript(std::unique_ptr<TWindowScript> script);
  TWindowScript* GetScript() const { return mScript.get(); }
  // Switches translation of scripted labels; returns the previous setting
  // (false while there is no script).
  bool SetTranslateLabels(bool on);

  // Makes the window the root: the first modal layer, sized to the display's
  // viewport. Returns the result of its Init.
  bool SetRootWindow(std::unique_ptr<TWindow> window);
  TWindow* GetRootWindow() const { return mRoot; }
  // Puts a window on top of the modal stack, as a child of the window below.
  void PushModal(std::unique_ptr<TWindow> window);
  // Takes the top layer off the stack and queues it for deletion; nothing
  // happens on an empty stack.
  void PopModal();
  TWindow* GetTopModal() const { return mModals.empty() ? nullptr : mModals.back(); }

  // While suspended (a movie plays) no frame is drawn and the cursor poll
  // leaves the display alone. Read from the cursor poll thread.
  bool IsSuspended() const { return mSuspended.load(std::memory_order_acquire); }
  void SetSuspended(bool on) { mSuspended.store(on, std::memory_order_release); }
  // True lets an invalidation of the whole root window make the next frame
  // a full redraw; false keeps every frame drawing over the previous picture.
  void SetOption(bool value) { mNoFullRedraw = !value; }

  void HandleEvent(const TEvent& event);
  // One frame: nothing is drawn unless some window was invalidated.
  void Frame();

  TWindow* GetFocus() const { return mFocus; }
  // The window gets the keys; its OnFocus learns the window that had them.
  void SetFocus(TWindow* window);
  // Puts the window at the front of the capture list. Returns the front
  // capture before, or the window itself when it held a capture already.
  TWindow* SetCapture(TWindow* window);
  void ReleaseCapture(TWindow* window);
  // Front first.
  const std::vector<TWindow*>& GetCaptures() const { return mCaptures; }

  // Takes an unlinked window and deletes it at the start of the next event,
  // so that a window may go from inside its own handlers.
  void DeferDelete(std::unique_ptr<TWindow> window);
  void DeletePending();

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
  void RunTopTasks(TTaskPass pass);
  void DrawModals();
  void ClearDirtySet();

  std::unique_ptr<TWindowScript> mScript;
  TWindow* mRoot = nullptr;
  // The bottom modal window, which has no parent to own it.
  std::unique_ptr<TWindow> mBottom;
  std::vector<TWindow*> mModals;  // bottom first: the last is the top layer
  std::vector<std::unique_ptr<TWindow>> mPendingDeletes;
  std::vector<TWindow*> mCaptures;  // front first
  TWindow* mFocus = nullptr;
  // In the order of their first invalidation since the last frame.
  std::vector<TWindow*> mDirty;
  uint32_t mPropagationPass = 0;
  std::atomic<bool> mSuspended{false};
  bool mNoFullRedraw = false;
  bool mFullRedraw = false;
};
