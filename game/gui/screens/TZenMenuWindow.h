#pragma once

#include <memory>

#include "platform/types/TClassId.h"
#include "windows/core/TWindow.h"
#include "windows/core/TWindowTask.h"

namespace GUI {

// The Zen level menu's window: while it shows, the metrics count the time
// as Zen time, the menu phase of the animated background grows every
// 10 ms, and the whole screen redraws every frame.
class TZenMenuWindow final : public TWindow {
 public:
  // The phase's growth per 10 ms update.
  static constexpr float kPhasePerUpdate = 0.0002f;

  static TClassId ClassId();
  // The window as a Zen menu window, or null.
  static TZenMenuWindow* Cast(TWindow* window);
  // For the window manager's table of window types.
  static std::unique_ptr<TWindow> Create();

  // The Zen clocks stop unless a level is being played; at shut-down the
  // recorder may already be gone, and then there is nothing to tell.
  ~TZenMenuWindow() override;

  bool IsKindOf(TClassId id) const override;
  // Tells the metrics the menu shows and starts the update task.
  void OnCreated() override;
  // Fades in.
  void PostCreate() override;
  // Invalidates the root window inside a 2D drawing scope.
  void Draw() override;

  // One update: the graphics registry's menu phase grows.
  static void Update();
};

// The Zen menu's update task: every 10 ms while its window lives.
class TGameUpdateZenMenuWindow final : public TWindowTask {
 public:
  explicit TGameUpdateZenMenuWindow(TZenMenuWindow& window) : TWindowTask(window) {}

 protected:
  bool Animate() override;
};

}  // namespace GUI
