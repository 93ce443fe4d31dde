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
  out.insert(out.end(), mPending.begin(), mPending.end());
  mPending.clear();
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
