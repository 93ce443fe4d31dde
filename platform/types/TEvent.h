#pragma once

#include <cstdint>

// One event of the platform's event pump. Every fetch fills all five fields.
struct TEvent {
  int32_t type = 0;       // a TEventType
  int32_t value = 0;      // mouse button or key code, see below
  int32_t x = 0;          // mouse events: client position
  int32_t y = 0;
  uint32_t modifiers = 0;  // TEventModifier bits
};

enum TEventType : int32_t {
  kEventIdle = 1,         // the queue was empty and idle work was done
  kEventNothing = 2,      // nothing to report (also a swallowed click, or a display not ready)
  kEventClose = 4,        // the window's close box (or an interrupt signal)
  kEventQuit = 5,         // the program ends
  kEventLeftDown = 6,
  kEventOtherButton = 7,  // value: a TEventButton
  kEventLeftUp = 8,
  kEventMouseMove = 9,
  kEventMouseLost = 10,   // the capture went elsewhere, or the pointer left the window
  kEventHover = 11,       // the pointer rested in the window
  kEventKeyDown = 12,     // value: the virtual key
  kEventKeyUp = 13,
  kEventCharacter = 14,   // value: the Windows-1252 character code
  kEventPaint = 15,
  kEventDisplayChanged = 17,  // once after each display set-up
  kEventActivation = 18,      // value: 1 active (or shown), 0 not
  kEventFullScreen = 19,      // Alt+Enter: value the new state, modifiers the requested one
};

// Values of kEventOtherButton.
enum TEventButton : int32_t {
  kButtonRightUp = 0,
  kButtonRightDown = 1,
  kButtonMiddleUp = 2,
  kButtonMiddleDown = 3,
  kButtonExtra1Down = 4,
  kButtonExtra2Down = 5,
};

enum TEventModifier : uint32_t {
  kEventShift = 1,
  kEventControl = 2,
  kEventAlt = 4,
  kEventExtendedKey = 8,
};
