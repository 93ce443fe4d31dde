#include "system/window/Window.h"

#include <cstdlib>

#include "system/os/SingleInstance.h"
#include "system/os/TickCount.h"
#include "system/window/CodePage1252.h"
#include "system/window/VirtualKeys.h"

namespace sys {
namespace {

uint64_t PackPosition(int32_t x, int32_t y) {
  return (static_cast<uint64_t>(static_cast<uint32_t>(x)) << 32) | static_cast<uint32_t>(y);
}

int32_t UnpackX(uint64_t packed) { return static_cast<int32_t>(static_cast<uint32_t>(packed >> 32)); }
int32_t UnpackY(uint64_t packed) { return static_cast<int32_t>(static_cast<uint32_t>(packed)); }

// The character a key gives besides typed text: the editing keys, and
// Control with a letter. Keys pressed with Alt give none.
int ControlCharacter(const InputEvent& key) {
  if (key.modifiers & kModifierAlt) return -1;
  switch (key.virtualKey) {
    case vk::kBackspace: return 8;
    case vk::kTab: return 9;
    case vk::kReturn: return 13;
    case vk::kEscape: return 27;
  }
  bool letter = key.virtualKey >= 'A' && key.virtualKey <= 'Z';
  if (letter && (key.modifiers & kModifierControl)) return static_cast<int>(key.virtualKey - 'A' + 1);
  return -1;
}

Message CharacterMessage(int code) {
  return Message{.kind = MessageKind::Character, .code = static_cast<uint32_t>(code)};
}

}  // namespace

Window::Window(std::unique_ptr<NativeWindow> native, HostWindow* host)
    : mNative(std::move(native)), mHost(host) {}

bool Window::TakeMessage(Message& out) {
  Gather();
  return mQueue.TakePosted(out);
}

bool Window::TakeQuit() {
  Gather();
  return mQueue.TakeQuit();
}

void Window::Deliver(const Message& message) {
  if (!mProcedure || !mProcedure(message)) HandleByDefault(message);
}

void Window::PostHostMessage(uint32_t code, uint64_t first, int64_t second) {
  mQueue.Post(Message{.kind = MessageKind::HostMessage, .code = code, .hostFirst = first, .hostSecond = second});
}

void Window::TrackLeave() {
  if (mLeaveArmed) return;
  if (!mPointerInside) {
    PostMouse(MessageKind::MouseLeave);
    return;
  }
  mLeaveArmed = true;
}

void Window::TrackHover() {
  mHoverArmed = true;
  mHoverX = LastX();
  mHoverY = LastY();
  mHoverSince = TickCount();
}

void Window::SetCapture() {
  if (mCaptured) return;
  mCaptured = true;
  mNative->SetMouseCapture(true);
}

void Window::ReleaseCapture() {
  if (!mCaptured) return;
  mCaptured = false;
  mNative->SetMouseCapture(false);
}

bool Window::GetCursorPosition(int32_t& x, int32_t& y) const {
  if (!mCursorKnown.load(std::memory_order_acquire)) return false;
  uint64_t packed = mCursor.load(std::memory_order_acquire);
  x = UnpackX(packed);
  y = UnpackY(packed);
  return true;
}

void Window::SetTitle(const std::string& title) { mNative->SetTitle(Utf8FromCp1252(title)); }

bool Window::SetClipboardText(const std::string& text) {
  return mNative->SetClipboard(Utf8FromCp1252(text));
}

std::string Window::GetClipboardText() {
  std::string utf8;
  return mNative->GetClipboard(utf8) ? Cp1252FromUtf8(utf8) : "";
}

void Window::Gather() {
  mInput.clear();
  mNative->ReadInput(mInput);
  for (const InputEvent& input : mInput) Translate(input);
  if (CloseSignals::TakeRequest()) mQueue.Send(Message{.kind = MessageKind::CloseRequest});
  if (TakeFrontRequest()) mNative->Raise();
  PostHoverWhenRested();
  DeliverDirect();
}

void Window::Translate(const InputEvent& input) {
  switch (input.kind) {
    case InputKind::PointerMoved: OnPointerMoved(input.x, input.y); break;
    case InputKind::PointerEntered: mPointerInside = true; break;
    case InputKind::PointerLeft: OnPointerLeft(); break;
    case InputKind::ButtonPressed: OnButtonPressed(input); break;
    case InputKind::ButtonReleased:
      RememberPointer(input.x, input.y);
      PostMouse(MessageKind::ButtonUp, input.button);
      break;
    case InputKind::KeyPressed: OnKeyPressed(input); break;
    case InputKind::KeyReleased:
      mQueue.Post(Message{.kind = MessageKind::KeyUp, .code = input.virtualKey, .modifiers = input.modifiers});
      break;
    case InputKind::Text: OnText(input.text); break;
    case InputKind::FocusGained: OnFocus(true); break;
    case InputKind::FocusLost: OnFocus(false); break;
    case InputKind::Minimised: mQueue.Send(Message{.kind = MessageKind::Size, .minimised = true}); break;
    case InputKind::Restored: mQueue.Send(Message{.kind = MessageKind::Size, .minimised = false}); break;
    case InputKind::Exposed: mQueue.Invalidate(); break;
    case InputKind::CloseRequested: mQueue.Send(Message{.kind = MessageKind::CloseRequest}); break;
    case InputKind::DisplayChanged: mQueue.Send(Message{.kind = MessageKind::DisplayChange}); break;
  }
}

void Window::RememberPointer(int32_t x, int32_t y) {
  mCursor.store(PackPosition(x, y), std::memory_order_release);
  mCursorKnown.store(true, std::memory_order_release);
}

void Window::OnPointerMoved(int32_t x, int32_t y) {
  RememberPointer(x, y);
  mPointerInside = true;
  if (mHoverArmed && (std::abs(x - mHoverX) > kHoverBox / 2 || std::abs(y - mHoverY) > kHoverBox / 2)) {
    mHoverX = x;
    mHoverY = y;
    mHoverSince = TickCount();
  }
  mQueue.Send(Message{.kind = MessageKind::CursorRequest});
  PostMouse(MessageKind::MouseMove);
}

void Window::OnPointerLeft() {
  mPointerInside = false;
  mHoverArmed = false;
  if (!mLeaveArmed) return;
  mLeaveArmed = false;
  PostMouse(MessageKind::MouseLeave);
}

void Window::OnButtonPressed(const InputEvent& input) {
  RememberPointer(input.x, input.y);
  bool focusingClick =
      !mActive || (mFocusClickPending && TickCount() - mFocusGainedAt < kFocusClickWindow);
  mFocusClickPending = false;
  if (focusingClick) mQueue.Send(Message{.kind = MessageKind::MouseActivation});
  PostMouse(MessageKind::ButtonDown, input.button);
}

void Window::OnKeyPressed(const InputEvent& input) {
  mQueue.Post(Message{.kind = MessageKind::KeyDown, .code = input.virtualKey, .modifiers = input.modifiers});
  int character = ControlCharacter(input);
  if (character >= 0) mQueue.Post(CharacterMessage(character));
}

void Window::OnText(const std::string& utf8) {
  size_t position = 0;
  uint32_t codePoint = 0;
  while (NextCodePoint(utf8, position, codePoint)) {
    int code = Cp1252FromCodePoint(codePoint);
    if (code >= 0) mQueue.Post(CharacterMessage(code));
  }
}

void Window::OnFocus(bool gained) {
  mActive = gained;
  mFocusClickPending = gained;
  mFocusGainedAt = TickCount();
  mQueue.Send(Message{.kind = MessageKind::Activation, .active = gained});
  if (gained || !mCaptured) return;
  mCaptured = false;
  mNative->SetMouseCapture(false);
  mQueue.Post(Message{.kind = MessageKind::CaptureLost});
}

void Window::PostHoverWhenRested() {
  if (!mHoverArmed || !mPointerInside) return;
  if (TickCount() - mHoverSince < kHoverDelay) return;
  mHoverArmed = false;
  PostMouse(MessageKind::MouseHover);
}

void Window::PostMouse(MessageKind kind, MouseButton button) {
  // Positions travel as signed 16-bit values, as the framework reads them.
  mQueue.Post(Message{.kind = kind,
                      .x = static_cast<int16_t>(LastX()),
                      .y = static_cast<int16_t>(LastY()),
                      .button = button});
}

void Window::DeliverDirect() {
  Message message;
  while (mQueue.TakeDirect(message)) Deliver(message);
}

void Window::HandleByDefault(const Message& message) {
  if (message.kind == MessageKind::CursorRequest) mNative->ShowCursor(mStandardCursorVisible);
}

int32_t Window::LastX() const { return UnpackX(mCursor.load(std::memory_order_relaxed)); }

int32_t Window::LastY() const { return UnpackY(mCursor.load(std::memory_order_relaxed)); }

}  // namespace sys
