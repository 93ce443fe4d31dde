#include "tests/support/rules/SampleLevels.h"

// A level of five rings whose piece table deals rows of two colours that
// alternate, rings 0, 2 and 4 in colours 0 and 1, rings 1 and 3 in 2 and 3,
// so that no turn of a plain ring makes a run. Colour 4 stands at (2, 4),
// (4, 4) and (3, 3): turning ring 3 one slot to the right lines the three up
// in column 4, with two pieces above them. One jug, of any colour, under
// column 4. The level lasts 15 s and raises a ring every 500 updates; its
// third ring would fill the tower so that no turn could match.
LevelFiles JourneyFiles() {
  LevelFiles files;
  files.level = {{"Lvl01 Max Rings", "5"},
                 {"Lvl01 Number of pieces in used", "5"},
                 {"Lvl01 Piece Delivery From Top", "0"},
                 {"Lvl01 Have Piece Jug", "1"},
                 {"Lvl01 Pie Jugs", "....9......."},
                 {"Lvl01 Gem Energy Rate", "1"},
                 {"Lvl01 Bomb Energy Scale", "0.1"},
                 {"Lvl01 Initial Raise Ring Rate", "0.002"},
                 {"Lvl01 Final Raise Ring Rate", "0.002"},
                 {"Lvl01 Game Time", "15"}};
  files.scores = {{"C1_M3", "30"}, {"Single Piece", "1"}};
  files.powerUps = {{"Energy Scale Match3", "0.25"}};
  files.pieceTable =
      "121212121212\n"
      "343434343434\n"
      "121252121212\n"
      "343534343434\n"
      "121252121212\n"
      ":";
  return files;
}

// The Journey level with six rings, dealt so that turning ring 3 one slot to
// the right lines up colour 4 in rings 2 to 4 of column 4, under two pieces
// of colour 0 and over a third: the two fall onto it and make a run of their
// own. The scheme rates the second match of a combo.
LevelFiles CascadeFiles() {
  LevelFiles files = JourneyFiles();
  files.level[0] = {"Lvl01 Max Rings", "6"};
  files.scores.push_back({"C2_M3", "70"});
  files.pieceTable =
      "121212121212\n"
      "343414343434\n"
      "121252121212\n"
      "343534343434\n"
      "121252121212\n"
      "343414343434\n"
      ":";
  return files;
}

LevelTuning SampleLevelTuning() {
  LevelTuning tuning = SnappyTuning();
  tuning.tower.usingTableGenerate = true;
  return tuning;
}
