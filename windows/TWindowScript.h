#pragma once

#include "windows/TScript.h"

// The script on which every screen is built: windows are created from Lua
// tables through it. The window manager owns the one script of the program,
// which is also a task of the platform. It gives its state the message
// metatable, and keeps whether scripted text labels are looked up in the
// platform's string table.
class TWindowScript : public TScript {
 public:
  TWindowScript();

  // Returns the previous setting.
  bool SetTranslateLabels(bool on);

 private:
  bool mTranslateLabels = false;
};
