#include "system/window/SdlKeys.h"

#include <gtest/gtest.h>

#include "system/window/Message.h"
#include "system/window/VirtualKeys.h"

namespace {

using sys::kModifierAlt;
using sys::kModifierControl;
using sys::kModifierExtended;
using sys::kModifierShift;

SDL_Keysym Key(SDL_Scancode scancode, SDL_Keycode sym, uint16_t mod = KMOD_NONE) {
  SDL_Keysym key{};
  key.scancode = scancode;
  key.sym = sym;
  key.mod = mod;
  return key;
}

TEST(SdlKeys, KeysBecomeVirtualKeysWithTheExtendedBit) {
  struct Case {
    const char* name;
    SDL_Keysym key;
    uint32_t virtualKey;
    uint32_t modifiers;
  } cases[] = {
      {"letter", Key(SDL_SCANCODE_Q, SDLK_q), 'Q', 0},
      {"letter by layout", Key(SDL_SCANCODE_Q, SDLK_a), 'A', 0},
      {"digit", Key(SDL_SCANCODE_7, SDLK_7), '7', 0},
      {"zero", Key(SDL_SCANCODE_0, SDLK_0), '0', 0},
      {"enter", Key(SDL_SCANCODE_RETURN, SDLK_RETURN), sys::vk::kReturn, 0},
      {"keypad enter", Key(SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER), sys::vk::kReturn, kModifierExtended},
      {"insert", Key(SDL_SCANCODE_INSERT, SDLK_INSERT), sys::vk::kInsert, kModifierExtended},
      {"arrow", Key(SDL_SCANCODE_LEFT, SDLK_LEFT), sys::vk::kLeft, kModifierExtended},
      {"F1", Key(SDL_SCANCODE_F1, SDLK_F1), sys::vk::kF1, 0},
      {"F13", Key(SDL_SCANCODE_F13, SDLK_F13), sys::vk::kF1 + 12, 0},
      {"right control", Key(SDL_SCANCODE_RCTRL, SDLK_RCTRL, KMOD_RCTRL), sys::vk::kControl,
       kModifierControl | kModifierExtended},
      {"left shift", Key(SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, KMOD_LSHIFT), sys::vk::kShift, kModifierShift},
      {"punctuation by place", Key(SDL_SCANCODE_SEMICOLON, SDLK_SEMICOLON), sys::vk::kSemicolon, 0},
      {"keypad digit with Num Lock", Key(SDL_SCANCODE_KP_7, SDLK_KP_7, KMOD_NUM), sys::vk::kPad0 + 7, 0},
      {"keypad zero with Num Lock", Key(SDL_SCANCODE_KP_0, SDLK_KP_0, KMOD_NUM), sys::vk::kPad0, 0},
      {"keypad digit without Num Lock", Key(SDL_SCANCODE_KP_7, SDLK_KP_7), sys::vk::kHome, 0},
      {"keypad point without Num Lock", Key(SDL_SCANCODE_KP_PERIOD, SDLK_KP_PERIOD), sys::vk::kDelete, 0},
      {"keypad divide", Key(SDL_SCANCODE_KP_DIVIDE, SDLK_KP_DIVIDE), sys::vk::kPadDivide, kModifierExtended},
      {"alt enter", Key(SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_LALT), sys::vk::kReturn, kModifierAlt},
      {"control alt is not a system key", Key(SDL_SCANCODE_E, SDLK_e, KMOD_RALT | KMOD_LCTRL), 'E',
       kModifierControl},
      {"shift insert", Key(SDL_SCANCODE_INSERT, SDLK_INSERT, KMOD_RSHIFT), sys::vk::kInsert,
       kModifierShift | kModifierExtended},
  };
  for (const auto& c : cases) {
    sys::KeyCode code = sys::KeyCodeFromSdl(c.key);
    EXPECT_EQ(code.virtualKey, c.virtualKey) << c.name;
    EXPECT_EQ(code.modifiers, c.modifiers) << c.name;
  }
}

TEST(SdlKeys, KeysWithoutACodeGiveNone) {
  EXPECT_EQ(sys::KeyCodeFromSdl(Key(SDL_SCANCODE_VOLUMEUP, SDLK_VOLUMEUP)).virtualKey, 0u);
  EXPECT_EQ(sys::KeyCodeFromSdl(Key(SDL_SCANCODE_UNKNOWN, SDLK_UNKNOWN, KMOD_SHIFT)).virtualKey, 0u);
}

}  // namespace
