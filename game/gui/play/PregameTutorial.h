#pragma once

#include "game/rules/level/TLevelKey.h"
#include "platform/text/TString.h"

namespace GUI {

// The tutorial script under "tutorials/" that opens before a level: the
// level's "World%02d_%02d" row of "levels/pregames.xml". Empty when the
// file or the row is missing, and (with a log line) when the name holds
// anything but letters, digits, '_', '-', '.' and '/': the name is pasted
// into a Lua string, where a quote or a line end would run as code.
TString ReadPregameTutorial(const GamePlay::TLevelKey& level);

}  // namespace GUI
