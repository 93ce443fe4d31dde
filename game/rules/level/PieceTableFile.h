#pragma once

#include "game/rules/level/TLevelKey.h"
#include "platform/text/TString.h"

namespace GamePlay {

// The piece table file of a level: "levels/piecetable/piecezen%02d.txt" for
// a Zen level (world 0), the level's tutorial table
// "tutorials/tutorial%02d%02d.txt" when it plays with tutorial settings,
// else "levels/piecetable/piece%02d%02d.txt" (world, level).
TString PieceTableFileName(const TLevelKey& key, bool tutorial);

}  // namespace GamePlay
