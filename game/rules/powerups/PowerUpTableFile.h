#pragma once

#include "game/rules/powerups/TPowerUpTables.h"

namespace GamePlay {

// The power-up tables of "levels/powerup.xml". Cells of the match and combo
// tables hold numbers that the same file gives to kinds through "Tiny Bomb
// Number" (1), "Time Bomb Number" (2), "Big Bomb Number" (3) and "Install
// Jewel Number" (4); a number given to no kind stands for none (0). A file
// that cannot be read gives empty tables and a log line.

// "FC0<n> Match<m>" for n = 1, 2, ... and m = 3, 4, ...: a table index ends
// at its first missing match size, and the table at the first index without
// any.
std::map<std::pair<int32_t, int32_t>, int32_t> LoadPowerUpMatchTable();
// "Combo <n>" for n = 1, 2, ... up to the first missing one.
std::map<int32_t, int32_t> LoadPowerUpComboTable();
// "Energy Scale Match<m>" for m = 3, 4, ... up to the first missing one.
std::map<int32_t, float> LoadEnergyScaleTable();
// The three tables read at once.
TPowerUpTables LoadPowerUpTables();

}  // namespace GamePlay
