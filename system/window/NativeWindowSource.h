#pragma once

#include <functional>
#include <memory>

#include "system/window/NativeWindow.h"

// Where the main window's desktop side comes from: an SDL window of 480 x 360
// with the caption "Velmartis", unless a source is installed (tests install
// one that scripts what the desktop reports). An empty source goes back to SDL.
using NativeWindowSource = std::function<std::unique_ptr<sys::NativeWindow>()>;

void SetNativeWindowSource(NativeWindowSource source);
// Null when the desktop refuses the window.
std::unique_ptr<sys::NativeWindow> MakeNativeMainWindow();
