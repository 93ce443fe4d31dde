#pragma once

#include <cstdint>

#include "system/gfx/Result.h"

// Every device call of the display that runs out of video memory is told to
// the platform, which makes the display restart at 16 bits.
void CheckVideoMemory(sys::gfx::Result result);

// A device result as the display's operations return it: 0 for success,
// another value for each failure.
inline int32_t ResultCode(sys::gfx::Result result) { return static_cast<int32_t>(result); }
