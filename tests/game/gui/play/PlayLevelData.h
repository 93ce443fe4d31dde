#pragma once

#include <string>

#include "game/rules/level/PieceTableFile.h"
#include "game/rules/level/TLevelKey.h"
#include "tests/support/StringTableFile.h"
#include "tests/support/TestFileLayer.h"
#include "tests/support/rules/SampleLevels.h"

namespace GUI {

// The play window's tuning in "strings.xml", snappy enough for short tests.
inline TableRows PlayStrings(bool cheat) {
  return {{"Click Rotation Rate", "0.1"},  {"Snap Rotation Rate", "0.1"},
          {"Click Rotation Delay Rate", "0.25"}, {"Disappearing Rate", "0.05"},
          {"Highlight Delay Time", "300"}, {"BPM", "96"},
          {"Using Table Generate", "1"},   {"Seq Explosion Time", "100"},
          {"Pie Scale Rate", "0.5"},       {"Cheat Mode", cheat ? "1" : "0"}};
}

// The sample Journey level's files for the level, its settings in the file given.
inline void WriteLevel(const TestFileLayer& files, const GamePlay::TLevelKey& key, const std::string& levelFile,
                       bool tutorial) {
  const LevelFiles level = JourneyFiles();
  WriteStringTable(files, "levels/scores.xml", level.scores);
  WriteStringTable(files, "levels/powerup.xml", level.powerUps);
  files.WriteAsset(GamePlay::PieceTableFileName(key, tutorial).CStr(), level.pieceTable);
  WriteStringTable(files, levelFile, level.level);
}

}  // namespace GUI
