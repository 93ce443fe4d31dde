#pragma once

#include <memory>

#include "platform/types/TClassId.h"
#include "windows/core/TWindow.h"
#include "windows/core/TWindowTask.h"

namespace GUI {

class TFadeInTask;

// The title menu: it fades in, keeps the menu animation's phase moving,
// greets the current player and hides the buttons that do not apply. Opened
// before the pictures are loaded, it presses its dialog's hidden button
// "hiddenCloseButton" so that the script shows the loading screen first.
// While drawing is on it has the whole screen redrawn every frame; the
// script's "TurnOffDrawing" stops that before leading elsewhere, and
// "SetWelcomeName" refreshes the greeting. Both reach the newest menu only.
class TMainMenuWindow final : public TWindow {
 public:
  static constexpr float kPhasePerUpdate = 0.0002f;

  static TClassId ClassId();
  // The window as a main menu, or null.
  static TMainMenuWindow* Cast(TWindow* window);
  // For the window manager's table of window types.
  static std::unique_ptr<TWindow> Create();

  // Binds the script's "SetWelcomeName" and "TurnOffDrawing" to this menu.
  TMainMenuWindow();

  bool IsKindOf(TClassId id) const override;
  // Starts the update task in the top dialog and the menu's music.
  void OnCreated() override;
  // Fades in and sets up the widgets the script made.
  void PostCreate() override;
  void Draw() override;

  // One update: the menu animation's phase moves on.
  void Update();
  // Shows the greeting and the buttons that apply now.
  void RefreshMenu();
  void TurnOffDrawing() { mDrawingOn = false; }
  bool IsDrawingOn() const { return mDrawingOn; }
  // The fade-in PostCreate started; null before, or without a dialog on top.
  const TFadeInTask* GetFadeIn() const { return mFadeIn; }

 private:
  void ShowWelcome();
  void Hide(const char* name);

  bool mMoreGamesAvailable = false;
  bool mDrawingOn = true;
  TFadeInTask* mFadeIn = nullptr;  // ends with this window
};

// The main menu's update task: every 10 ms while its dialog is on top.
class TGameUpdateMainMenuWindow final : public TWindowTask {
 public:
  explicit TGameUpdateMainMenuWindow(TMainMenuWindow& window) : TWindowTask(window) {}

 protected:
  bool Animate() override;
};

}  // namespace GUI
