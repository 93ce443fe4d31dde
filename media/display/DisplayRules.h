#pragma once

#include <cstdint>

#include "system/gfx/Result.h"

// What every part of the display keeps to.

// A device call that runs out of video memory is told to the platform,
// which makes the display restart at 16 bits.
void CheckVideoMemory(sys::gfx::Result result);

// A device result as the display's operations return it: 0 for success,
// another value for each failure.
inline int32_t ResultCode(sys::gfx::Result result) { return static_cast<int32_t>(result); }

// Whether the game draws scaled, inside a host window; `scale` becomes the
// platform's drawing scale: 1 without a platform, and 1 for the 0 of a host
// window without width, by which nothing could be sized or divided.
bool DrawsScaled(float& scale);

// A size in the game's pixels as it is on the scaled screen, rounded.
inline int32_t Scaled(int32_t size, float scale) { return static_cast<int32_t>(static_cast<float>(size) * scale + 0.5f); }

// Ends the process at once with exit code -1: the display cannot run the
// program. The reason is in the log already, which keeps no line unwritten.
[[noreturn]] void ExitProgram();
