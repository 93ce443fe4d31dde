#pragma once

#include <atomic>
#include <list>
#include <memory>
#include <set>

#include "platform/types/TEvent.h"
#include "platform/time/TTask.h"

class TWindow;
class TWindowScript;

// Routes the platform's events into the window tree and runs the frames: it
// keeps the stack of modal windows, whose bottom is the root screen window,
// and the set of windows invalidated since the last frame. A frame is drawn
// only when some window was invalidated. The platform owns the one manager;
// the manager owns the modal windows and the window script.
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
  // Puts a window on top of the modal stack; the manager owns it from now on.
  void PushModal(std::unique_ptr<TWindow> window);
  TWindow* GetTopModal() const { return mModals.empty() ? nullptr : mModals.front().get(); }

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

  // Called by windows as they are invalidated, need a full redraw, or go.
  void MarkDirty(TWindow* window) { mDirty.insert(window); }
  void RequestFullRedraw();
  void WindowDestroyed(TWindow* window);

 private:
  void RunTopTasks(TTaskPass pass);
  void DrawModals();

  std::unique_ptr<TWindowScript> mScript;
  TWindow* mRoot = nullptr;
  std::list<std::unique_ptr<TWindow>> mModals;  // front: the top layer
  std::set<TWindow*> mDirty;
  std::atomic<bool> mSuspended{false};
  bool mNoFullRedraw = false;
  bool mFullRedraw = false;
};
