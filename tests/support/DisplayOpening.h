#pragma once

#include <cstdint>

class TDxDisplayHandler;
namespace sys {
class Window;
}  // namespace sys

// Opens the display in a mode as its set-up does, without the set-up's
// checks and fallbacks: the mode's state, the device context's creation
// (16 bits on low video memory), and the objects and states the display
// takes from it. False when the device context cannot create the mode.
bool OpenDisplay(TDxDisplayHandler& display, sys::Window* window, int32_t width, int32_t height, bool fullScreen);
