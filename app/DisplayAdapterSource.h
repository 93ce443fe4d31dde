#pragma once

#include <functional>
#include <memory>

#include "system/gfx/Adapter.h"

// Where the display's adapter comes from: the machine's desktop as SDL reports
// it, unless a source is installed (tests install one that models the display
// hardware, or none, so that the program runs without a picture). An empty
// source goes back to SDL.
using DisplayAdapterSource = std::function<std::shared_ptr<sys::gfx::Adapter>()>;

void SetDisplayAdapterSource(DisplayAdapterSource source);
// Null when the installed source gives no adapter.
std::shared_ptr<sys::gfx::Adapter> MakeDisplayAdapter();
