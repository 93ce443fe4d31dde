#pragma once

#include <string>
#include <utility>
#include <vector>

#include "system/window/FrameFit.h"
#include "system/window/NativeWindow.h"
#include "tests/support/FakeClock.h"

// A main window without a desktop: the test scripts what the desktop reports
// and reads back what the layer asked of it. Waiting for input moves the fake
// clock, when there is one, instead of sleeping. Frames are shown into a
// picture of the client area as an SDL window shows them, and on the desktop
// full screen pointer positions are mapped into the frame the same way.
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

  // The desktop and the window on it; full screen, the client area is the
  // whole desktop.
  int32_t desktopWidth = 1024;
  int32_t desktopHeight = 768;
  sys::PixelRect workArea{0, 0, 1024, 768};
  int32_t x = 0;  // the frame's top-left corner
  int32_t y = 0;
  int32_t borderLeft = 0;  // from the frame's corner to the client area's
  int32_t borderTop = 0;
  int32_t clientWidth = 480;
  int32_t clientHeight = 360;
  bool fullScreen = false;
  bool alwaysOnTop = false;
  sys::Picture picture;  // the client area as last shown
  int framesShown = 0;

  void SetDesktop(int32_t width, int32_t height);

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
  void GetClientSize(int32_t& width, int32_t& height) const override;
  void SetClientSize(int32_t width, int32_t height) override;
  void GetPosition(int32_t& outX, int32_t& outY) const override;
  void SetPosition(int32_t newX, int32_t newY) override;
  void GetClientOrigin(int32_t& outX, int32_t& outY) const override;
  void GetDesktopSize(int32_t& width, int32_t& height) const override;
  sys::PixelRect GetWorkArea() const override { return workArea; }
  void SetDesktopFullScreen(bool on) override;
  bool IsDesktopFullScreen() const override { return fullScreen; }
  void SetAlwaysOnTop(bool on) override { alwaysOnTop = on; }
  void ShowFrame(const sys::FrameView& frame) override;
  bool ReadShownPicture(sys::Picture& out) const override;

 private:
  void MapPointer(sys::InputEvent& input) const;
  // The client area on the desktop, whatever frame it shows.
  void GetWholeClientSize(int32_t& width, int32_t& height) const;

  FakeClock* mClock;
  std::vector<sys::InputEvent> mPending;
  sys::FrameFit mFit;
  bool mFrameFitted = false;
};
