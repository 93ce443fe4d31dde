#include "tests/support/FakeNativeWindow.h"

namespace {

sys::InputEvent PointerInput(sys::InputKind kind, int32_t x, int32_t y, sys::MouseButton button) {
  sys::InputEvent input;
  input.kind = kind;
  input.x = x;
  input.y = y;
  input.button = button;
  return input;
}

sys::InputEvent KeyInput(sys::InputKind kind, uint32_t virtualKey, uint32_t modifiers) {
  sys::InputEvent input;
  input.kind = kind;
  input.virtualKey = virtualKey;
  input.modifiers = modifiers;
  return input;
}

}  // namespace

void FakeNativeWindow::MoveTo(int32_t x, int32_t y) {
  Report(PointerInput(sys::InputKind::PointerMoved, x, y, sys::MouseButton::Left));
}

void FakeNativeWindow::Press(sys::MouseButton button, int32_t x, int32_t y) {
  Report(PointerInput(sys::InputKind::ButtonPressed, x, y, button));
}

void FakeNativeWindow::Release(sys::MouseButton button, int32_t x, int32_t y) {
  Report(PointerInput(sys::InputKind::ButtonReleased, x, y, button));
}

void FakeNativeWindow::PressKey(uint32_t virtualKey, uint32_t modifiers) {
  Report(KeyInput(sys::InputKind::KeyPressed, virtualKey, modifiers));
}

void FakeNativeWindow::ReleaseKey(uint32_t virtualKey, uint32_t modifiers) {
  Report(KeyInput(sys::InputKind::KeyReleased, virtualKey, modifiers));
}

void FakeNativeWindow::Type(const std::string& utf8) {
  sys::InputEvent input;
  input.kind = sys::InputKind::Text;
  input.text = utf8;
  Report(input);
}

void FakeNativeWindow::Report(sys::InputKind kind) {
  sys::InputEvent input;
  input.kind = kind;
  Report(input);
}

void FakeNativeWindow::ReadInput(std::vector<sys::InputEvent>& out) {
  for (sys::InputEvent& input : mPending) {
    MapPointer(input);
    out.push_back(input);
  }
  mPending.clear();
}

void FakeNativeWindow::MapPointer(sys::InputEvent& input) const {
  bool pointer = input.kind == sys::InputKind::PointerMoved || input.kind == sys::InputKind::ButtonPressed ||
                 input.kind == sys::InputKind::ButtonReleased;
  if (pointer && mFrameFitted) mFit.ToFrame(input.x, input.y);
}

void FakeNativeWindow::WaitForInput(uint32_t milliseconds) {
  if (!mPending.empty()) return;
  waitedMilliseconds += milliseconds;
  if (mClock) mClock->Advance(milliseconds);
}

void FakeNativeWindow::Raise() {
  ++raised;
  shown = true;
}

bool FakeNativeWindow::SetClipboard(const std::string& utf8) {
  if (!clipboardWorks) return false;
  clipboard = utf8;
  clipboardHasText = true;
  return true;
}

bool FakeNativeWindow::GetClipboard(std::string& utf8) {
  if (!clipboardWorks || !clipboardHasText) return false;
  utf8 = clipboard;
  return true;
}

bool FakeNativeWindow::ShowMessageBox(const std::string& titleUtf8, const std::string& textUtf8,
                                      sys::MessageBoxIcon) {
  if (!hasDisplay) return false;
  messageBoxes.push_back(titleUtf8 + "|" + textUtf8);
  return true;
}

void FakeNativeWindow::SetDesktop(int32_t width, int32_t height) {
  desktopWidth = width;
  desktopHeight = height;
  workArea = sys::PixelRect{0, 0, width, height};
}

void FakeNativeWindow::GetClientSize(int32_t& width, int32_t& height) const {
  if (fullScreen && mFrameFitted) {
    width = mFit.frameWidth;
    height = mFit.frameHeight;
    return;
  }
  GetWholeClientSize(width, height);
}

void FakeNativeWindow::GetWholeClientSize(int32_t& width, int32_t& height) const {
  width = fullScreen ? desktopWidth : clientWidth;
  height = fullScreen ? desktopHeight : clientHeight;
}

void FakeNativeWindow::SetDesktopFullScreen(bool on) {
  fullScreen = on;
  if (!on) mFrameFitted = false;
}

void FakeNativeWindow::SetClientSize(int32_t width, int32_t height) {
  clientWidth = width;
  clientHeight = height;
}

void FakeNativeWindow::GetPosition(int32_t& outX, int32_t& outY) const {
  outX = fullScreen ? 0 : x;
  outY = fullScreen ? 0 : y;
}

void FakeNativeWindow::SetPosition(int32_t newX, int32_t newY) {
  x = newX;
  y = newY;
}

void FakeNativeWindow::GetClientOrigin(int32_t& outX, int32_t& outY) const {
  outX = fullScreen ? 0 : x + borderLeft;
  outY = fullScreen ? 0 : y + borderTop;
}

void FakeNativeWindow::GetDesktopSize(int32_t& width, int32_t& height) const {
  width = desktopWidth;
  height = desktopHeight;
}

void FakeNativeWindow::ShowFrame(const sys::FrameView& frame) {
  int32_t width = 0;
  int32_t height = 0;
  GetWholeClientSize(width, height);
  mFrameFitted = fullScreen;
  mFit = sys::FrameFit::Of(width, height, frame.width, frame.height, mFrameFitted);
  picture.width = width;
  picture.height = height;
  picture.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  sys::DrawFittedFrame(frame, mFit, reinterpret_cast<uint8_t*>(picture.pixels.data()), 4 * width, width, height);
  for (uint32_t& pixel : picture.pixels) pixel |= 0xFF000000;
  ++framesShown;
}

bool FakeNativeWindow::ReadShownPicture(sys::Picture& out) const {
  if (framesShown == 0) return false;
  out = picture;
  return true;
}
