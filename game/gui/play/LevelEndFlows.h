#pragma once

#include "game/rules/level/TLevelKey.h"

namespace GUI {

class TArcadeWindow;

// The scripts that lead out of a level once it is lost or won, run on the
// window manager's script. They touch nothing of the level's model or
// views, which their scripts may replace while they run; the play window
// itself outlives them (windows are deleted later), but may have left its
// dialog. Without a play window nothing is hidden.
void RunLoseFlow(TArcadeWindow* playWindow, const GamePlay::TLevelKey& key);
void RunWonFlow(TArcadeWindow* playWindow, const GamePlay::TLevelKey& key);

}  // namespace GUI
