#pragma once

#include <string>

#include "system/window/NativeWindow.h"

namespace sys {

class Window;

// Shows a message box with an OK button and returns when it is closed. With
// an owner the box belongs to that window. Without a display (SDL's dummy or
// offscreen driver, as in tests) the box is logged and answered at once.
// Texts are Windows-1252.
void ShowMessageBox(const std::string& title, const std::string& text, MessageBoxIcon icon,
                    Window* owner = nullptr);

}  // namespace sys
