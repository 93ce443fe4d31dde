#pragma once

#include <SDL.h>

#include <cstdint>

namespace sys {

// An SDL key as the framework reads it: a virtual-key code (VirtualKeys.h)
// and its KeyModifier bits. Letters follow the keyboard layout; every other
// key goes by its place on the keyboard. The keypad gives navigation keys
// while Num Lock is off. Alt counts only without Control (Control with Alt is
// how some layouts type characters). A key without a code gives code 0.
struct KeyCode {
  uint32_t virtualKey = 0;
  uint32_t modifiers = 0;
};

KeyCode KeyCodeFromSdl(const SDL_Keysym& key);
uint32_t ModifiersFromSdl(uint16_t sdlModifiers);

}  // namespace sys
