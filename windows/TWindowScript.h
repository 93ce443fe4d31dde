#pragma once

// The script on which every screen is built: windows are created from Lua
// tables through it. The window manager owns the one script of the program.
// So far it keeps whether scripted text labels are looked up in the
// platform's string table.
class TWindowScript {
 public:
  TWindowScript() = default;
  virtual ~TWindowScript() = default;
  TWindowScript(const TWindowScript&) = delete;
  TWindowScript& operator=(const TWindowScript&) = delete;

  // Returns the previous setting.
  bool SetTranslateLabels(bool on);

 private:
  bool mTranslateLabels = false;
};
