#pragma once

#include "game/gui/screens/GameWindowTasks.h"

class TModalWindow;
class TWindow;

namespace GUI {

// The modal window on top, or null when the top is no modal window.
TModalWindow* ScreenTopModal();

}  // namespace GUI
