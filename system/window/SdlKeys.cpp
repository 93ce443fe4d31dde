#include "system/window/SdlKeys.h"

#include "system/window/Message.h"
#include "system/window/VirtualKeys.h"

namespace sys {
namespace {

struct KeyPlace {
  uint32_t virtualKey;
  bool extended;
};

constexpr KeyPlace kNone{0, false};

KeyPlace Plain(uint32_t virtualKey) { return {virtualKey, false}; }
KeyPlace Extended(uint32_t virtualKey) { return {virtualKey, true}; }

// The keypad's keys while Num Lock is off: the navigation keys of the main
// block, but not extended.
KeyPlace KeypadNavigation(SDL_Scancode scancode) {
  switch (scancode) {
    case SDL_SCANCODE_KP_0: return Plain(vk::kInsert);
    case SDL_SCANCODE_KP_1: return Plain(vk::kEnd);
    case SDL_SCANCODE_KP_2: return Plain(vk::kDown);
    case SDL_SCANCODE_KP_3: return Plain(vk::kPageDown);
    case SDL_SCANCODE_KP_4: return Plain(vk::kLeft);
    case SDL_SCANCODE_KP_5: return Plain(vk::kClear);
    case SDL_SCANCODE_KP_6: return Plain(vk::kRight);
    case SDL_SCANCODE_KP_7: return Plain(vk::kHome);
    case SDL_SCANCODE_KP_8: return Plain(vk::kUp);
    case SDL_SCANCODE_KP_9: return Plain(vk::kPageUp);
    case SDL_SCANCODE_KP_PERIOD: return Plain(vk::kDelete);
    default: return kNone;
  }
}

KeyPlace ByPlace(SDL_Scancode scancode, bool numLock) {
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) return Plain('A' + (scancode - SDL_SCANCODE_A));
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) return Plain('1' + (scancode - SDL_SCANCODE_1));
  if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12) return Plain(vk::kF1 + (scancode - SDL_SCANCODE_F1));
  if (scancode >= SDL_SCANCODE_F13 && scancode <= SDL_SCANCODE_F24) {
    return Plain(vk::kF1 + 12 + (scancode - SDL_SCANCODE_F13));
  }
  if (!numLock && KeypadNavigation(scancode).virtualKey != 0) return KeypadNavigation(scancode);
  if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9) {
    return Plain(vk::kPad0 + 1 + (scancode - SDL_SCANCODE_KP_1));
  }
  switch (scancode) {
    case SDL_SCANCODE_0: return Plain('0');
    case SDL_SCANCODE_RETURN: return Plain(vk::kReturn);
    case SDL_SCANCODE_ESCAPE: return Plain(vk::kEscape);
    case SDL_SCANCODE_BACKSPACE: return Plain(vk::kBackspace);
    case SDL_SCANCODE_TAB: return Plain(vk::kTab);
    case SDL_SCANCODE_SPACE: return Plain(vk::kSpace);
    case SDL_SCANCODE_MINUS: return Plain(vk::kMinus);
    case SDL_SCANCODE_EQUALS: return Plain(vk::kEquals);
    case SDL_SCANCODE_LEFTBRACKET: return Plain(vk::kLeftBracket);
    case SDL_SCANCODE_RIGHTBRACKET: return Plain(vk::kRightBracket);
    case SDL_SCANCODE_BACKSLASH: return Plain(vk::kBackslash);
    case SDL_SCANCODE_NONUSHASH: return Plain(vk::kBackslash);
    case SDL_SCANCODE_SEMICOLON: return Plain(vk::kSemicolon);
    case SDL_SCANCODE_APOSTROPHE: return Plain(vk::kQuote);
    case SDL_SCANCODE_GRAVE: return Plain(vk::kGrave);
    case SDL_SCANCODE_COMMA: return Plain(vk::kComma);
    case SDL_SCANCODE_PERIOD: return Plain(vk::kPeriod);
    case SDL_SCANCODE_SLASH: return Plain(vk::kSlash);
    case SDL_SCANCODE_NONUSBACKSLASH: return Plain(vk::kExtraBackslash);
    case SDL_SCANCODE_CAPSLOCK: return Plain(vk::kCapsLock);
    case SDL_SCANCODE_PRINTSCREEN: return Extended(vk::kPrintScreen);
    case SDL_SCANCODE_SCROLLLOCK: return Plain(vk::kScrollLock);
    case SDL_SCANCODE_PAUSE: return Plain(vk::kPause);
    case SDL_SCANCODE_INSERT: return Extended(vk::kInsert);
    case SDL_SCANCODE_HOME: return Extended(vk::kHome);
    case SDL_SCANCODE_PAGEUP: return Extended(vk::kPageUp);
    case SDL_SCANCODE_DELETE: return Extended(vk::kDelete);
    case SDL_SCANCODE_END: return Extended(vk::kEnd);
    case SDL_SCANCODE_PAGEDOWN: return Extended(vk::kPageDown);
    case SDL_SCANCODE_RIGHT: return Extended(vk::kRight);
    case SDL_SCANCODE_LEFT: return Extended(vk::kLeft);
    case SDL_SCANCODE_DOWN: return Extended(vk::kDown);
    case SDL_SCANCODE_UP: return Extended(vk::kUp);
    case SDL_SCANCODE_NUMLOCKCLEAR: return Extended(vk::kNumLock);
    case SDL_SCANCODE_KP_DIVIDE: return Extended(vk::kPadDivide);
    case SDL_SCANCODE_KP_MULTIPLY: return Plain(vk::kPadMultiply);
    case SDL_SCANCODE_KP_MINUS: return Plain(vk::kPadSubtract);
    case SDL_SCANCODE_KP_PLUS: return Plain(vk::kPadAdd);
    case SDL_SCANCODE_KP_ENTER: return Extended(vk::kReturn);
    case SDL_SCANCODE_KP_0: return Plain(vk::kPad0);
    case SDL_SCANCODE_KP_PERIOD: return Plain(vk::kPadDecimal);
    case SDL_SCANCODE_APPLICATION: return Extended(vk::kMenu);
    case SDL_SCANCODE_LCTRL: return Plain(vk::kControl);
    case SDL_SCANCODE_LSHIFT: return Plain(vk::kShift);
    case SDL_SCANCODE_LALT: return Plain(vk::kAlt);
    case SDL_SCANCODE_LGUI: return Extended(vk::kLeftSystem);
    case SDL_SCANCODE_RCTRL: return Extended(vk::kControl);
    case SDL_SCANCODE_RSHIFT: return Plain(vk::kShift);
    case SDL_SCANCODE_RALT: return Extended(vk::kAlt);
    case SDL_SCANCODE_RGUI: return Extended(vk::kRightSystem);
    default: return kNone;
  }
}

}  // namespace

uint32_t ModifiersFromSdl(uint16_t sdlModifiers) {
  uint32_t modifiers = 0;
  if (sdlModifiers & KMOD_SHIFT) modifiers |= kModifierShift;
  if (sdlModifiers & KMOD_CTRL) modifiers |= kModifierControl;
  if ((sdlModifiers & KMOD_ALT) && !(sdlModifiers & KMOD_CTRL)) modifiers |= kModifierAlt;
  return modifiers;
}

KeyCode KeyCodeFromSdl(const SDL_Keysym& key) {
  KeyPlace place = ByPlace(key.scancode, (key.mod & KMOD_NUM) != 0);
  bool layoutLetter = key.sym >= SDLK_a && key.sym <= SDLK_z;
  if (layoutLetter) place = Plain('A' + static_cast<uint32_t>(key.sym - SDLK_a));
  if (place.virtualKey == 0) return {};
  uint32_t modifiers = ModifiersFromSdl(key.mod);
  if (place.extended) modifiers |= kModifierExtended;
  return {place.virtualKey, modifiers};
}

}  // namespace sys
