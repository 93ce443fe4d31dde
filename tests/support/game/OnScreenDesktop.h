#pragma once

#include <memory>
#include <string>
#include <vector>

#include "system/window/NativeWindow.h"
#include "tests/support/FakeNativeWindow.h"

// The driven game in a real window: the scripted desktop keeps the input,
// the clock and the window's place, while every frame is shown in a real
// window too and read back from it, so that what a tour pictures is what a
// display showed. Input the real window gets is dropped: only the script
// plays.
class OnScreenDesktop final : public sys::NativeWindow {
 public:
  OnScreenDesktop(std::unique_ptr<FakeNativeWindow> scripted, std::unique_ptr<sys::NativeWindow> shown);

  FakeNativeWindow& Scripted() { return *mScripted; }

  void ReadInput(std::vector<sys::InputEvent>& out) override;
  void WaitForInput(uint32_t milliseconds) override { mScripted->WaitForInput(milliseconds); }
  void SetTitle(const std::string& utf8) override;
  void Show() override;
  void Raise() override { mScripted->Raise(); }
  void TakeFocus() override { mScripted->TakeFocus(); }
  void SetMouseCapture(bool on) override { mScripted->SetMouseCapture(on); }
  void ShowCursor(bool visible) override { mScripted->ShowCursor(visible); }
  void WarpCursor(int32_t x, int32_t y) override { mScripted->WarpCursor(x, y); }
  bool SetClipboard(const std::string& utf8) override { return mScripted->SetClipboard(utf8); }
  bool GetClipboard(std::string& utf8) override { return mScripted->GetClipboard(utf8); }
  bool ShowMessageBox(const std::string& titleUtf8, const std::string& textUtf8, sys::MessageBoxIcon icon) override {
    return mScripted->ShowMessageBox(titleUtf8, textUtf8, icon);
  }
  void GetClientSize(int32_t& width, int32_t& height) const override { mScripted->GetClientSize(width, height); }
  void SetClientSize(int32_t width, int32_t height) override;
  void GetPosition(int32_t& x, int32_t& y) const override { mScripted->GetPosition(x, y); }
  void SetPosition(int32_t x, int32_t y) override { mScripted->SetPosition(x, y); }
  void GetClientOrigin(int32_t& x, int32_t& y) const override { mScripted->GetClientOrigin(x, y); }
  void GetDesktopSize(int32_t& width, int32_t& height) const override { mScripted->GetDesktopSize(width, height); }
  sys::PixelRect GetWorkArea() const override { return mScripted->GetWorkArea(); }
  void SetDesktopFullScreen(bool on) override { mScripted->SetDesktopFullScreen(on); }
  bool IsDesktopFullScreen() const override { return mScripted->IsDesktopFullScreen(); }
  void SetAlwaysOnTop(bool on) override { mScripted->SetAlwaysOnTop(on); }
  void ShowFrame(const sys::FrameView& frame) override;
  bool ReadShownPicture(sys::Picture& out) const override { return mShown->ReadShownPicture(out); }

 private:
  std::unique_ptr<FakeNativeWindow> mScripted;
  std::unique_ptr<sys::NativeWindow> mShown;
};
