#pragma once

#include <string>
#include <utility>
#include <vector>

#include "system/window/NativeWindow.h"
#include "tests/support/FakeClock.h"

// A main window without a desktop: the test scripts what the desktop reports
// and reads back what the layer asked of it. Waiting for input moves the fake
// clock, when there is one, instead of sleeping.
class FakeNativeWindow final : public sys::NativeWindow {
 public:
  explicit FakeNativeWindow(FakeClock* clock = nullptr) : mClock(clock) {}

  // Scripted input, reported by the next ReadInput.
  void Report(const sys::InputEvent& input) { mPending.push_back(input); }
  void MoveTo(int32_t x, int32_t y);
  void Press(sys::MouseButton button, int32_t x, int32_t y);
  void Release(sys::MouseButton button, int32_t x, int32_t y);
  void PressKey(uint32_t virtualKey, uint32_t modifiers = 0);
  void ReleaseKey(uint32_t virtualKey, uint32_t modifiers = 0);
  void Type(const std::string& utf8);
  void Report(sys::InputKind kind);

  // What the layer did to the window.
  std::string title;
  bool shown = false;
  int raised = 0;
  int focusTaken = 0;
  bool captured = false;
  bool cursorVisible = true;
  std::vector<std::pair<int32_t, int32_t>> warps;
  std::string clipboard;
  bool clipboardHasText = false;
  bool clipboardWorks = true;
  bool hasDisplay = true;
  std::vector<std::string> messageBoxes;  // "title|text"
  uint32_t waitedMilliseconds = 0;

  void ReadInput(std::vector<sys::InputEvent>& out) override;
  void WaitForInput(uint32_t milliseconds) override;
  void SetTitle(const std::string& utf8) override { title = utf8; }
  void Show() override { shown = true; }
  void Raise() override;
  void TakeFocus() override { ++focusTaken; }
  void SetMouseCapture(bool on) override { captured = on; }
  void ShowCursor(bool visible) override { cursorVisible = visible; }
  void WarpCursor(int32_t x, int32_t y) override { warps.emplace_back(x, y); }
  bool SetClipboard(const std::string& utf8) override;
  bool GetClipboard(std::string& utf8) override;
  bool ShowMessageBox(const std::string& titleUtf8, const std::string& textUtf8,
                      sys::MessageBoxIcon icon) override;

 private:
  FakeClock* mClock;
  std::vector<sys::InputEvent> mPending;
};
