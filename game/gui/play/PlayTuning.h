#pragma once

#include <cstdint>

#include "game/rules/level/TTowerFactory.h"

class TStringTable;

namespace GUI {

// The game's tuning of the play screen, read by name from the game's string
// table: what the tower factory, the BPM flasher and the view factory are
// made with. A missing key reads 0 (or false).
struct TPlayTuning {
  GamePlay::TTowerTuning tower;
  float bpm = 0;                  // "BPM"
  bool ringHighlight = false;     // "Ring Highlight"
  float pieceAnimationSpeed = 0;  // "Piece Animation Speed"
};

// "Linked Block Moving" is on only when exactly 1; the other switches when
// not 0. Without a table everything is 0.
TPlayTuning ReadPlayTuning(const TStringTable* strings);

// What a level's start reads besides its own settings.
struct TLevelTuning {
  int32_t explosionStepTime = 0;  // "Seq Explosion Time"
  float jugLinkFactor = 0;        // "Pie Scale Rate"
};

TLevelTuning ReadLevelTuning(const TStringTable* strings);

}  // namespace GUI
