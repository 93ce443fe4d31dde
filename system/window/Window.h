#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "system/window/CloseSignals.h"
#include "system/window/Message.h"
#include "system/window/MessageQueue.h"
#include "system/window/NativeWindow.h"

namespace sys {

class HostWindow;

// The program's main window as the framework sees it: a message queue with a
// window procedure, mouse tracking and capture, cursor, title and clipboard.
// It turns what the desktop reports into messages; those that need an answer
// at once (size, activation, close, mouse activation, cursor, display change)
// reach the procedure while input is gathered, the others wait for the pump.
// Its timing (hover, mouse activation) runs on the system tick. Everything
// but GetCursorPosition belongs to the main thread.
class Window {
 public:
  // Answers a message; true when it handled it, false to leave it to the
  // window's default handling.
  using Procedure = std::function<bool(const Message&)>;

  static constexpr uint32_t kHoverDelay = 400;  // milliseconds at rest before a hover
  static constexpr int32_t kHoverBox = 4;       // pixels the pointer may move and still rest
  // A press this soon after the window gained focus is the press that focused it.
  static constexpr uint32_t kFocusClickWindow = 100;

  // `host` is the window that embeds this one, if any.
  explicit Window(std::unique_ptr<NativeWindow> native, HostWindow* host = nullptr);
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  void SetProcedure(Procedure procedure) { mProcedure = std::move(procedure); }

  // Gathers input, delivers the direct messages, then takes the next posted
  // message; false when none is waiting.
  bool TakeMessage(Message& out);
  // The same, but takes only a quit request and leaves other posted messages.
  bool TakeQuit();
  // Hands a posted message to the procedure.
  void Deliver(const Message& message);
  void PostQuit() { mQueue.PostQuit(); }
  void PostHostMessage(uint32_t code, uint64_t first, int64_t second);
  // Asks for one repaint.
  void Invalidate() { mQueue.Invalidate(); }
  // Returns when input arrives or the time is up; delivers nothing.
  void WaitForInput(uint32_t milliseconds) { mNative->WaitForInput(milliseconds); }

  // One MouseLeave when the pointer next leaves the window (at once when it
  // is outside); arming again while armed changes nothing.
  void TrackLeave();
  // One MouseHover when the pointer next rests kHoverDelay milliseconds
  // within kHoverBox pixels; arming again starts the wait anew.
  void TrackHover();
  bool IsTrackingLeave() const { return mLeaveArmed; }
  bool IsTrackingHover() const { return mHoverArmed; }

  // The capture keeps mouse messages coming while the pointer is outside.
  // Releasing it sends nothing; CaptureLost comes only when the capture is
  // taken from the program (it loses focus while capturing).
  void SetCapture();
  void ReleaseCapture();
  bool HasCapture() const { return mCaptured; }

  // The pointer's last known client position; false before it was seen.
  // Safe from any thread.
  bool GetCursorPosition(int32_t& x, int32_t& y) const;
  void WarpCursor(int32_t x, int32_t y) { mNative->WarpCursor(x, y); }
  void ShowCursor(bool visible) { mNative->ShowCursor(visible); }
  // Whether the system arrow shows when the procedure leaves a CursorRequest
  // unhandled (true at start).
  void SetStandardCursorVisible(bool visible) { mStandardCursorVisible = visible; }

  // Texts are Windows-1252.
  void SetTitle(const std::string& title);
  bool SetClipboardText(const std::string& text);
  // "" when the clipboard holds no text.
  std::string GetClipboardText();

  void Show() { mNative->Show(); }
  void Raise() { mNative->Raise(); }
  void TakeFocus() { mNative->TakeFocus(); }
  bool IsActive() const { return mActive; }
  HostWindow* Host() const { return mHost; }
  NativeWindow& Native() { return *mNative; }

 private:
  void Gather();
  void Translate(const InputEvent& input);
  void RememberPointer(int32_t x, int32_t y);
  void OnPointerMoved(int32_t x, int32_t y);
  void OnPointerLeft();
  void OnButtonPressed(const InputEvent& input);
  void OnKeyPressed(const InputEvent& input);
  void OnText(const std::string& utf8);
  void OnFocus(bool gained);
  void PostHoverWhenRested();
  void PostMouse(MessageKind kind, MouseButton button = MouseButton::Left);
  void DeliverDirect();
  void HandleByDefault(const Message& message);
  int32_t LastX() const;
  int32_t LastY() const;

  std::unique_ptr<NativeWindow> mNative;
  HostWindow* mHost;
  CloseSignals mCloseSignals;
  Procedure mProcedure;
  MessageQueue mQueue;
  std::vector<InputEvent> mInput;

  std::atomic<uint64_t> mCursor{0};
  std::atomic<bool> mCursorKnown{false};
  bool mPointerInside = false;
  bool mLeaveArmed = false;
  bool mHoverArmed = false;
  int32_t mHoverX = 0;
  int32_t mHoverY = 0;
  uint32_t mHoverSince = 0;
  bool mCaptured = false;
  bool mActive = false;
  bool mFocusClickPending = false;
  uint32_t mFocusGainedAt = 0;
  bool mStandardCursorVisible = true;
};

}  // namespace sys
