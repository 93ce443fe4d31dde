#pragma once

#include "game/gui/screens/GameWindowTasks.h"

class TModalWindow;
class TWindow;
class TWindowManager;

namespace GUI {

// The platform's window manager, or null before there is one.
TWindowManager* ScreenWindowManager();
// The modal window on top, or null when the top is no modal window.
TModalWindow* ScreenTopModal();

}  // namespace GUI
