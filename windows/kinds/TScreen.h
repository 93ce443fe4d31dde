#pragma once

#include "platform/types/TColor.h"
#include "windows/kinds/TModalWindow.h"

// The root of the window tree: the bottom modal layer, as large as the
// display, which draws the background of every frame. The first display
// set-up makes it.
class TScreen : public TModalWindow {
 public:
  static TClassId ClassId();

  TScreen();

  bool IsKindOf(TClassId id) const override;
  // Fills the dirty area (the whole viewport when nothing is dirty) with the
  // background colour when clearing is on, then shows the window manager's
  // snapshot there when it holds one.
  void Draw() override;

  void SetClearBackground(bool on) { mClearBackground = on; }
  void SetBackgroundColor(const TColor& colour) { mBackground = colour; }

 private:
  TRect DrawArea() const;

  bool mClearBackground = false;
  TColor mBackground;
};
