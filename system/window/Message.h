#pragma once

#include <cstdint>

namespace sys {

// What happened to the main window. Some kinds reach the window procedure at
// once, while the queue gathers input; the others wait in the queue until the
// pump takes them, and reach the procedure only when the pump dispatches them.
enum class MessageKind : uint8_t {
  // Straight to the window procedure:
  Size,             // minimised or restored (see `minimised`)
  Activation,       // the program became active or inactive (see `active`)
  CloseRequest,     // the close box, or SIGINT/SIGTERM
  MouseActivation,  // a button press activates the window
  CursorRequest,    // the pointer moved in the window: the procedure may set the cursor
  DisplayChange,    // the desktop's displays changed
  // Posted, taken by the pump:
  MouseMove,
  ButtonDown,
  ButtonUp,
  MouseLeave,   // the pointer left the window while leave tracking was armed
  MouseHover,   // the pointer rested in the window while hover tracking was armed
  CaptureLost,  // something outside the program took the mouse capture
  KeyDown,
  KeyUp,
  Character,  // a Windows-1252 character code
  Paint,
  Quit,
  HostMessage,  // a message from the host window: code and two parameters
};

enum class MouseButton : uint8_t { Left, Right, Middle, Extra1, Extra2 };

// Bits of Message::modifiers for key messages.
enum KeyModifier : uint32_t {
  kModifierShift = 1,
  kModifierControl = 2,
  kModifierAlt = 4,       // Alt was held without Control: a system key
  kModifierExtended = 8,  // the key lies outside the main block (arrows, right Ctrl...)
};

struct Message {
  MessageKind kind = MessageKind::Paint;
  // Mouse messages: client coordinates, as signed 16-bit values.
  int32_t x = 0;
  int32_t y = 0;
  MouseButton button = MouseButton::Left;
  // Key messages: the virtual-key code; Character: the character code.
  uint32_t code = 0;
  uint32_t modifiers = 0;
  bool minimised = false;  // Size
  bool active = false;     // Activation
  // HostMessage: the message number in `code` and its two parameters.
  uint64_t hostFirst = 0;
  int64_t hostSecond = 0;
};

}  // namespace sys
