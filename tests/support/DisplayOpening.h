#pragma once

#include <cstdint>

class TDxDisplayHandler;

// Sets the display up in the mode through its SetDisplay, forced and quiet,
// in the main window of the platform face installed. False when the display
// is not ready afterwards.
bool OpenDisplay(TDxDisplayHandler& display, int32_t width, int32_t height, bool fullScreen);
