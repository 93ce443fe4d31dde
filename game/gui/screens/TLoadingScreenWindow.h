#pragma once

#include <cstdint>
#include <memory>

#include "platform/time/TClock.h"
#include "platform/types/TClassId.h"
#include "windows/core/TWindow.h"
#include "windows/core/TWindowTask.h"

namespace GUI {

// The loading screen: it has the graphics registry queue the game's
// pictures, loads them a slice of at most about 10 ms per update while the
// dialog's "loadingText" shows the percentage, and once the queue is empty
// prepares them all and closes its dialog by pressing the dialog's hidden
// button "hiddenCloseButton".
class TLoadingScreenWindow final : public TWindow {
 public:
  static TClassId ClassId();
  // The window as a loading screen, or null.
  static TLoadingScreenWindow* Cast(TWindow* window);
  // For the window manager's table of window types.
  static std::unique_ptr<TWindow> Create();

  bool IsKindOf(TClassId id) const override;
  // Starts the update task in the top dialog.
  void OnCreated() override;
  // Queues the preload list and hides the dialog's close button.
  void PostCreate() override;
  void Draw() override;

  // One update: fetches while the slice clock stays under the budget (ms),
  // then shows the progress; once the queue is found empty, prepares every
  // graphic and closes the dialog. False when loading has ended.
  bool Update(uint32_t budget);

 private:
  void ShowProgress();
  void FinishLoading();

  float mMenuPhase = 0.0f;
  uint32_t mTotal = 0;
  uint32_t mDone = 0;
  std::unique_ptr<TClock> mSliceClock = std::make_unique<TClock>();
  bool mFinished = false;
};

// The loading screen's update task: every 10 ms while its dialog is on top.
class TGameUpdateWindow final : public TWindowTask {
 public:
  explicit TGameUpdateWindow(TLoadingScreenWindow& window) : TWindowTask(window) {}

 protected:
  bool Animate() override;
};

}  // namespace GUI
