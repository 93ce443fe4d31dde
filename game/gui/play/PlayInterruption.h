#pragma once

#include "platform/types/TEvent.h"

class TWindowManager;

namespace GUI {

// What the game main does with events that take the player away from play,
// before the window manager sees them. While the game clocks run and a play
// window has the focus, a change of activation (either way) presses its
// "pauseButton", as the player would, and a lost capture reaches it as a
// right press at its corner. Other events, and these at other times, do
// nothing here.
void InterruptPlay(const TEvent& event, TWindowManager& manager);

}  // namespace GUI
