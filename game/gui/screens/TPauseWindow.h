#pragma once

#include <cstdint>
#include <memory>

#include "platform/types/TClassId.h"
#include "windows/core/TWindow.h"
#include "windows/core/TWindowTask.h"

class TModalWindow;

namespace GUI {

class TFadeInTask;

// The pause dialog's window: it fades the dialog in quickly, takes the
// keyboard focus so Escape reaches it, shows the paused level's caption in
// "LevelText" and turns Escape into a press of "returnGame". The script
// gives it the level through "SetCurrentLevelForPause", bound to the newest
// pause window and doing nothing once that window is gone.
class TPauseWindow final : public TWindow {
 public:
  static TClassId ClassId();
  // The window as a pause window, or null.
  static TPauseWindow* Cast(TWindow* window);
  // For the window manager's table of window types.
  static std::unique_ptr<TWindow> Create();

  // Registers "SetCurrentLevelForPause" on the window manager's script.
  TPauseWindow();

  bool IsKindOf(TClassId id) const override;
  // Starts the update task in the top dialog.
  void OnCreated() override;
  // Fades in, shows the caption and takes the focus, also whenever its
  // dialog gets it.
  void PostCreate() override;
  // Escape presses "returnGame"; other characters are not handled.
  bool OnChar(uint8_t character) override;

  // The Lua function: numbers are truncated on the way in.
  void SetCurrentLevel(int32_t level, int32_t world);
  // The fade-in PostCreate started; null before, or without a dialog on top.
  const TFadeInTask* GetFadeIn() const { return mFadeIn; }

 private:
  void UpdateCaption();
  TModalWindow* EnclosingDialog();

  uint32_t mLevel = 0;
  uint32_t mWorld = 0;
  TFadeInTask* mFadeIn = nullptr;  // ends with this window
};

// The pause dialog's update task: it has nothing to do each 10 ms but
// lives as long as its window.
class TGameUpdatePauseWindow final : public TWindowTask {
 public:
  explicit TGameUpdatePauseWindow(TPauseWindow& window) : TWindowTask(window) {}

 protected:
  bool Animate() override { return true; }
};

}  // namespace GUI
