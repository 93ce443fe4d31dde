// Makes the seeds of the rules' fuzzers (level files, piece tables,
// power-up and score files, the pieces dump, whole levels) from the tests'
// own writers and sample levels:
//   RulesFuzzSeeds fuzz/seeds
// Each seed is written as <seeds>/<fuzzer>/<name>; findings kept beside
// them are left alone.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "game/rules/tower/TTower.h"
#include "tests/support/StringTableFile.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFileLayer.h"
#include "tests/support/rules/KitTower.h"
#include "tests/support/rules/LevelFuzzInput.h"
#include "tests/support/rules/NullPieceViews.h"
#include "tests/support/rules/SampleLevels.h"

namespace {

namespace fs = std::filesystem;
using namespace GamePlay;

struct Seed {
  const char* fuzzer;
  const char* name;
  std::string bytes;
};

// Gives the label the text, in its row when it has one.
void SetRow(TableRows& rows, const std::string& label, const std::string& text) {
  for (auto& row : rows) {
    if (row.first == label) {
      row.second = text;
      return;
    }
  }
  rows.push_back({label, text});
}

LevelFiles FullLevel() {
  LevelFiles files = JourneyFiles();
  files.level.insert(files.level.end(), {{"Lvl01 Blocker Row 01", "bq1!p........"},
                                         {"Lvl01 Blocker Row 02", "w5x@B.Q9....."},
                                         {"Lvl01 Lock Appear Rate", "4"},
                                         {"Lvl01 Lock Max", "2"},
                                         {"Lvl01 Gear Appear Rate", "6"},
                                         {"Lvl01 Gear Max", "2"},
                                         {"Lvl01 PowerUp Appear Rate", "0.05"},
                                         {"Lvl01 Side Match", "1"},
                                         {"Lvl01 Blocker Explode", "1"},
                                         {"Lvl01 Clear Blocker Bonus", "1000"},
                                         {"Lvl01 Time Bonus Scores", "5000"},
                                         {"Lvl01 Counter Timer Rate", "0.5"},
                                         {"Lvl03 Max Rings", "7"},
                                         {"Lvl03 Pie Jugs", "123456900000"}});
  files.scores.insert(files.scores.end(), {{"C2_M3", "70"},
                                           {"S1_M3", "40"},
                                           {"Lock Explode", "50"},
                                           {"Gear Explode", "50"},
                                           {"Blocker Explode", "20"},
                                           {"Power Up Bonus", "100"},
                                           {"Time Bonus", "2.5"}});
  files.powerUps.insert(files.powerUps.end(), {{"Energy Scale Match4", "0.5"},
                                               {"Energy Scale Match5", "1"},
                                               {"Tiny Bomb Number", "1"},
                                               {"Big Bomb Number", "2"},
                                               {"FC01 Match3", "1"},
                                               {"FC01 Match5", "2"},
                                               {"Combo 1", "1"}});
  files.pieceTable = "12*12+21212c\r\n343434343434\r\n:xXCcR";
  return files;
}

// The Journey level as a damaged install could hand it over, with values far
// past anything a level uses or no numbers at all: in the level file, as
// many rings as an int holds; in the scores, points as large; in the times
// and rates, the rest.
LevelFiles DamagedLevel(const TableRows& levelRows, const TableRows& scores = {}) {
  LevelFiles files = JourneyFiles();
  for (const auto& [label, text] : levelRows) SetRow(files.level, label, text);
  for (const auto& [label, text] : scores) SetRow(files.scores, label, text);
  return files;
}

const TableRows kHugeRings = {{"Lvl01 Max Rings", "2000000000"}};
const TableRows kHugeBonuses = {{"Lvl01 Clear Blocker Bonus", "2147483647"},
                                {"Lvl01 Time Bonus Scores", "-2147483648"}};
const TableRows kHugePoints = {{"C1_M3", "2147483647"},
                               {"C2_M3", "2147483647"},
                               {"Single Piece", "2147483647"},
                               {"Power Up Bonus", "2147483647"}};
const TableRows kHugeTimes = {{"Lvl01 Game Time", "1e30"},
                              {"Lvl01 Counter Timer Rate", "-1e30"},
                              {"Lvl01 Initial Raise Ring Rate", "nan"},
                              {"Lvl01 Complete Jug Time Boost", "inf"}};
const TableRows kHugeTimeBonus = {{"Time Bonus", "1e30"}};

// The whole-level tests' first move: ring 3 one slot to the right once the
// start-up is over, then the cascade.
std::string FirstMatchPlay(bool zen) {
  return std::string(1, zen ? 1 : 0) + LevelFuzzMoveBytes(LevelFuzzMove::Wait, 1, 144) +
         LevelFuzzMoveBytes(LevelFuzzMove::Drag, 3, 16) +
         LevelFuzzMoveBytes(LevelFuzzMove::Wait, 1, 44) +
         LevelFuzzMoveBytes(LevelFuzzMove::DoubleClick, 0, 4) +
         LevelFuzzMoveBytes(LevelFuzzMove::Drag, 1, 0xe8);
}

std::string LevelSeed(const LevelFiles& files, bool zen) {
  return JoinLevelFuzzInput({ToBytes(files), FirstMatchPlay(zen)});
}

// A tower of every dump code, saved by the tower itself.
std::string SavedDump() {
  TestFileLayer fileLayer;
  NullPieceViewFactory views;
  KitPieceFactory pieces(&views);
  KitTower kit(pieces, TTowerSetup{}, {"0Z12", "A5.3", "", "BCDEF4", "012345012345"});
  kit.tower->SaveDump();
  return ReadWholeFile(fileLayer.UserPath("pieces.dump"));
}

std::vector<Seed> Seeds() {
  const LevelFiles journey = JourneyFiles();
  const LevelFiles cascade = CascadeFiles();
  const LevelFiles full = FullLevel();
  const LevelFiles manyRings = DamagedLevel(kHugeRings);
  const LevelFiles hugeScores = DamagedLevel(kHugeBonuses, kHugePoints);
  const LevelFiles hugeTimes = DamagedLevel(kHugeTimes, kHugeTimeBonus);
  return {
      {"LevelPlayFuzz", "journey", LevelSeed(journey, false)},
      {"LevelPlayFuzz", "zen", LevelSeed(journey, true)},
      {"LevelPlayFuzz", "cascade", LevelSeed(cascade, false)},
      {"LevelPlayFuzz", "full", LevelSeed(full, false)},
      {"LevelPlayFuzz", "fullzen", LevelSeed(full, true)},
      {"LevelPlayFuzz", "manyrings", LevelSeed(manyRings, false)},
      {"LevelPlayFuzz", "hugescores", LevelSeed(hugeScores, false)},
      {"LevelPlayFuzz", "hugescoreszen", LevelSeed(hugeScores, true)},
      {"LevelPlayFuzz", "hugetimes", LevelSeed(hugeTimes, false)},
      {"LevelPlayFuzz", "hugetimeszen", LevelSeed(hugeTimes, true)},
      {"LevelSettingsFuzz", "journey.xml", StringTableXml(journey.level)},
      {"LevelSettingsFuzz", "full.xml", StringTableXml(full.level)},
      {"LevelSettingsFuzz", "manyrings.xml", StringTableXml(manyRings.level)},
      {"LevelSettingsFuzz", "hugetimes.xml", StringTableXml(hugeTimes.level)},
      {"PieceTableFuzz", "journey.txt", journey.pieceTable},
      {"PieceTableFuzz", "cascade.txt", cascade.pieceTable},
      {"PieceTableFuzz", "full.txt", full.pieceTable},
      {"PieceTableFuzz", "marks.txt", "\r\n1\r2\n\n3*+\r\n\r\n4cC.a:x x\nX:R"},
      {"PowerUpTablesFuzz", "journey.xml", StringTableXml(journey.powerUps)},
      {"PowerUpTablesFuzz", "full.xml", StringTableXml(full.powerUps)},
      {"ScoresFuzz", "journey.xml", StringTableXml(journey.scores)},
      {"ScoresFuzz", "hugescores.xml", StringTableXml(hugeScores.scores)},
      {"ScoresFuzz", "full.xml",
       StringTableXml({{"C1_M3", "30"},
                       {"C1_M4", "%C1_M3%"},
                       {"S12_M5", "900"},
                       {"Time Bonus", "2.5"},
                       {"L0101", "1000"},
                       {"L0102", "2000"},
                       {"L0201", "3000"},
                       {"Zen01", "500"},
                       {"SilverMedal", "1"},
                       {"GoldMedal", "2"}})},
      {"PiecesDumpFuzz", "saved.dump", SavedDump()},
  };
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <seeds folder>\n", argv[0]);
    return 2;
  }
  for (const Seed& seed : Seeds()) {
    fs::path folder = fs::path(argv[1]) / seed.fuzzer;
    fs::create_directories(folder);
    if (!WriteWholeFile((folder / seed.name).string(), seed.bytes)) {
      std::fprintf(stderr, "cannot write %s\n", (folder / seed.name).c_str());
      return 1;
    }
  }
  return 0;
}
