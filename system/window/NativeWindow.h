#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "system/window/Message.h"

namespace sys {

// What the desktop reports about the main window, before the layer turns it
// into messages.
enum class InputKind : uint8_t {
  PointerMoved,
  PointerEntered,
  PointerLeft,
  ButtonPressed,
  ButtonReleased,
  KeyPressed,
  KeyReleased,
  Text,  // typed text, UTF-8
  FocusGained,
  FocusLost,
  Minimised,
  Restored,
  Exposed,  // part of the window must be drawn again
  CloseRequested,
  DisplayChanged,
};

struct InputEvent {
  InputKind kind = InputKind::Exposed;
  int32_t x = 0;  // pointer events: client coordinates
  int32_t y = 0;
  MouseButton button = MouseButton::Left;
  uint32_t virtualKey = 0;  // key events, see VirtualKeys.h
  uint32_t modifiers = 0;   // key events: KeyModifier bits
  std::string text;
};

enum class MessageBoxIcon : uint8_t { None, Warning, Error };

// The desktop's side of the main window: where its input comes from and what
// it can be told to do. SDL provides the real one; tests script a fake.
class NativeWindow {
 public:
  virtual ~NativeWindow() = default;

  // Appends what happened since the last call; never blocks.
  virtual void ReadInput(std::vector<InputEvent>& out) = 0;
  // Returns when input arrives or the time is up.
  virtual void WaitForInput(uint32_t milliseconds) = 0;

  virtual void SetTitle(const std::string& utf8) = 0;
  virtual void Show() = 0;
  // Restores a minimised window, puts it above the others and gives it focus.
  virtual void Raise() = 0;
  virtual void TakeFocus() = 0;
  // While on, the pointer keeps reporting to this window outside its area.
  virtual void SetMouseCapture(bool on) = 0;
  virtual void ShowCursor(bool visible) = 0;
  virtual void WarpCursor(int32_t x, int32_t y) = 0;
  virtual bool SetClipboard(const std::string& utf8) = 0;
  // False when the clipboard holds no text or cannot be read.
  virtual bool GetClipboard(std::string& utf8) = 0;
  // A message box that belongs to this window; returns when it is closed.
  // False when there is no display to show it on.
  virtual bool ShowMessageBox(const std::string& titleUtf8, const std::string& textUtf8,
                              MessageBoxIcon icon) = 0;
};

}  // namespace sys
