#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "game/rules/level/TLevelKey.h"
#include "game/rules/level/TTowerFactory.h"
#include "tests/support/FakeClock.h"
#include "tests/support/StringTableFile.h"
#include "tests/support/TempFolder.h"
#include "tests/support/rules/NullPieceViews.h"
#include "tests/support/rules/RecordingGameRecords.h"
#include "tests/support/rules/RecordingScoringObserver.h"
#include "tests/support/rules/RecordingSoundView.h"
#include "tests/support/rules/StubTowerView.h"

namespace GamePlay {
class IPieceViewFactory;
class IPowerUpViewFactory;
class IRingGenerator;
class ITowerControl;
class TLevelSettings;
class TPowerUpControl;
class TScoring;
class TTower;
}  // namespace GamePlay

// The files a level is made from: the rows of its world's level file (or
// "levels/zen.xml" for world 0), of "levels/scores.xml" and of
// "levels/powerup.xml", and the text of its piece table.
struct LevelFiles {
  TableRows level;
  TableRows scores;
  TableRows powerUps;
  std::string pieceTable;
};

// The same files as they lie on disk, byte for byte.
struct LevelFileBytes {
  std::string level;
  std::string scores;
  std::string powerUps;
  std::string pieceTable;
};

// The string tables written out as XML.
LevelFileBytes ToBytes(const LevelFiles& files);

// What the play window reads besides the level's files.
struct LevelTuning {
  GamePlay::TTowerTuning tower;
  int32_t explosionStepTime = 100;  // "Seq Explosion Time"
  float jugLinkFactor = 0.5f;       // "Pie Scale Rate"
};

// A released ring snaps to its slot within a few updates, and the ring
// under a resting pointer lights up after 300 ms.
LevelTuning SnappyTuning();
// The tuning as the play window reads it from "strings.xml" of the data
// folder the file layer points at.
LevelTuning TuningFromStrings();

// The presentation's own views in place of the rig's stand-ins, for tests
// that draw the pieces: the makers of piece and power-up views, and the
// tower view they stand in. Not owned; they outlive the rig.
struct LevelViews {
  GamePlay::IPieceViewFactory* pieces = nullptr;
  GamePlay::IPowerUpViewFactory* powerUps = nullptr;
  GamePlay::ITowerView* tower = nullptr;
};

// One level of the game assembled without a screen, in the order in which
// the play window builds a level, over stand-ins for the presentation (null
// piece views, a stub tower view, recording sound, scoring observer and
// game records). The fake clock moves 10 ms per update; each update runs the
// scoring model's step and the tower control's. One rig at a time.
//
// Files that give no playable level (the level's settings do not load)
// leave the rig without a level: IsReady is false and the rest does nothing.
class LevelRig {
 public:
  LevelRig(const LevelFiles& files, const GamePlay::TLevelKey& key, const LevelTuning& tuning);
  LevelRig(const LevelFileBytes& files, const GamePlay::TLevelKey& key,
           const LevelTuning& tuning);
  // The level as the game's data folder gives it: the files of "assets" in
  // the program folder, never a tutorial in its place; with views given, the
  // stub tower view is not made.
  LevelRig(const std::string& programFolder, const GamePlay::TLevelKey& key,
           const LevelTuning& tuning, const LevelViews& ownViews = {});
  ~LevelRig();
  LevelRig(const LevelRig&) = delete;
  LevelRig& operator=(const LevelRig&) = delete;

  bool IsReady() const { return control != nullptr; }
  void Update(int updates = 1);
  // Grabs the ring straight above the centre, moves it round by slots
  // (positive clockwise) and lets go.
  void Drag(int32_t ring, float slots);
  // Two presses on the middle of the cell.
  void DoubleClick(int32_t ring, int32_t slot);
  // The point in the middle of the ring's band, slots round from straight
  // above the centre.
  static GamePlay::TPoint OnRing(int32_t ring, float slots);

  // Each ring as a line of one character per cell: the colour digit of a
  // settled piece, "x" for one vanishing, "~" for one on the move, "."
  // vacant.
  std::string Picture();
  // Everything the stand-ins heard, in order by kind.
  std::string Trace();

  FakeClock clock;
  TempFolder logs;
  TestFileLayer fileLayer;
  RecordingGameRecords records;
  NullPieceViewFactory views;
  RecordingSoundView sound;
  RecordingScoringObserver observer;
  std::unique_ptr<StubTowerView> view;  // null when views were given
  std::unique_ptr<GamePlay::TTowerFactory> factory;
  std::unique_ptr<GamePlay::TScoring> scoring;
  std::unique_ptr<GamePlay::IRingGenerator> generator;
  std::unique_ptr<GamePlay::TTower> tower;
  std::unique_ptr<GamePlay::ITowerControl> control;
  GamePlay::IRateController* delivery = nullptr;
  GamePlay::ITimeController* timer = nullptr;
  std::unique_ptr<GamePlay::TPowerUpControl> powerUpControl;

 private:
  GamePlay::IPieceViewFactory* PieceViews();
  GamePlay::IPowerUpViewFactory* PowerUpViews();

  LevelViews mOwnViews;
  GamePlay::ITowerView* mTowerView = nullptr;  // the stub or the one given

  void WriteFiles(const LevelFileBytes& files, const GamePlay::TLevelKey& key);
  void SetUpModel(const LevelTuning& tuning);
  void SetUpLevel(const GamePlay::TLevelKey& key, const LevelTuning& tuning);
};
