#pragma once

#include "platform/time/TAnimTask.h"

class TClock;
class TWindow;

// A task that works for a window, listed in a modal window's task list or in
// the platform's. The window and the task are tied from the task's making:
// whichever is deleted first cuts the tie, so a task never works on a deleted
// window and a window never reaches a deleted task. A task whose window is
// gone ends at its next step.
class TWindowTask : public TAnimTask {
 public:
  explicit TWindowTask(TWindow& window, TClock* clock = nullptr);
  ~TWindowTask() override;
  TWindowTask(const TWindowTask&) = delete;
  TWindowTask& operator=(const TWindowTask&) = delete;

  bool Step() override;
  // Null once the window is gone.
  TWindow* GetWindow() const { return mWindow; }

 private:
  friend class TWindow;

  TWindow* mWindow;
};

// A window's animation task: each tick runs the window's Refresh, which
// answers whether the animation goes on.
class TWindowAnim : public TWindowTask {
 public:
  explicit TWindowAnim(TWindow& window) : TWindowTask(window) {}

 protected:
  bool Animate() override;
};
