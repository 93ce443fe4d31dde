#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "game/rules/level/TLevelKey.h"
#include "platform/text/TString.h"
#include "platform/xml/TStringTable.h"

namespace GamePlay {

class IPlayMode;

// One level's tuning values, read by name from a level file (a string table
// whose labels are "Lvl%02d " and the setting's name). A level that a file
// does not define borrows the values of the nearest lower level it does;
// a missing value reads 0, 0.0 or false.
class TLevelSettings {
 public:
  // Level keys carry the level in two digits, so no level file names a
  // higher one.
  static constexpr uint32_t kHighestLevel = 99;
  // The jug colour of a slot that lets any colour in.
  static constexpr int32_t kAnyColourJug = 9;
  static constexpr int kPieJugCount = 12;
  // A tower has at most as many rings as a ring has slots: with nothing in
  // it, its top occupied ring reads the slot count, which a taller tower
  // could not tell from a piece in that ring.
  static constexpr int32_t kMostRings = 12;

  // Reads fileName and settles on the highest level up to key's that has
  // "Max Rings" of 1 or more. Null (and a log line) when the file cannot be
  // read or no such level exists: a tower needs rings.
  static std::unique_ptr<TLevelSettings> Load(const TLevelKey& key, const TString& fileName,
                                              bool tutorial);

  TLevelSettings(const TLevelSettings& other) = default;
  TLevelSettings& operator=(const TLevelSettings&) = delete;

  // The level actually used, which may be lower than the one asked for.
  const TLevelKey& GetKey() const { return mKey; }
  uint32_t GetWorld() const { return mKey.world; }
  uint32_t GetLevel() const { return mKey.level; }
  const TString& GetFileName() const { return mFileName; }
  // The values come from a tutorial file.
  bool IsTutorial() const { return mTutorial; }

  // Never more than kMostRings, whatever the file says.
  int32_t GetMaxRings() const { return std::min(ReadInt("Max Rings"), kMostRings); }
  int32_t GetNumberOfPiecesInUse() const { return ReadInt("Number of pieces in used"); }
  int32_t GetNumberOfBlockers() const { return ReadInt("Number of Blockers"); }
  // Row n (1 to 8) of the blocker layout.
  TString GetBlockerRow(int n) const;
  int32_t GetPieceDeliveryFromTop() const { return ReadInt("Piece Delivery From Top"); }
  int32_t GetPieceDeliveryWhenTopRingClear() const {
    return ReadInt("Piece Delivery When Top Ring Clear");
  }
  bool HasPieceJug() const { return ReadFlag("Have Piece Jug"); }
  bool HasSideMatch() const { return ReadFlag("Side Match"); }
  bool HasBlockerExplode() const { return ReadFlag("Blocker Explode"); }
  // The jug colour of each of the 12 slots: 0 to 5, kAnyColourJug, or -1
  // for no jug.
  std::vector<int32_t> GetPieJugs() const;
  int32_t GetNumberOfJugColors() const { return ReadInt("Number of Jug Colors"); }
  int32_t GetRemoveJugColor() const { return ReadInt("Remove Jug Color"); }
  float GetGemEnergyRate() const { return ReadFloat("Gem Energy Rate"); }
  float GetBombEnergyScale() const { return ReadFloat("Bomb Energy Scale"); }
  // The key is spelled so in the level files.
  float GetPieceEnergyRatio() const { return ReadFloat("Piece Enegry Ratio"); }
  // Jug energy of a blocker by the size of the match that breaks it: 0 for
  // a bomb, 3, 4 and 5 for matches of that size or more.
  std::map<int32_t, float> GetBlockerEnergyRatios() const;
  int32_t GetCompleteDestroyedPieces() const { return ReadInt("Complete destroyed pieces"); }
  int32_t GetLockAppearRate() const { return ReadInt("Lock Appear Rate"); }
  int32_t GetGearAppearRate() const { return ReadInt("Gear Appear Rate"); }
  int32_t GetLockMax() const { return ReadInt("Lock Max"); }
  int32_t GetGearMax() const { return ReadInt("Gear Max"); }
  float GetPowerUpAppearRate() const { return ReadFloat("PowerUp Appear Rate"); }
  float GetInitialRaiseRingRate() const { return ReadFloat("Initial Raise Ring Rate"); }
  float GetFinalRaiseRingRate() const { return ReadFloat("Final Raise Ring Rate"); }
  float GetCounterTimerRate() const { return ReadFloat("Counter Timer Rate"); }
  // Seconds.
  float GetGameTime() const { return ReadFloat("Game Time"); }
  float GetCompleteJugTimeBoost() const { return ReadFloat("Complete Jug Time Boost"); }
  int32_t GetTimeBonusScores() const { return ReadInt("Time Bonus Scores"); }
  int32_t GetClearBlockerBonus() const { return ReadInt("Clear Blocker Bonus"); }

 private:
  TLevelSettings(const TLevelKey& key, const TString& fileName, bool tutorial);

  // Lowers the level to the highest one from which a tower can be built;
  // false when there is none.
  bool SettleOnDefinedLevel();
  TString Read(const char* name) const;
  int32_t ReadInt(const char* name) const { return Read(name).ToInt(); }
  float ReadFloat(const char* name) const { return Read(name).ToFloat(); }
  bool ReadFlag(const char* name) const { return ReadInt(name) != 0; }

  TStringTable mTable;
  TString mFileName;
  TLevelKey mKey;
  bool mTutorial;
};

// Whether the level takes its settings from its tutorial file: always while
// the game plays its tutorials, never once the player has seen the level's
// tutorial, else when the level has a tutorial file.
bool HasTutorialSettings(const TLevelKey& key, const IPlayMode& mode);

// The settings of a level: world 0 reads the Zen levels, a level with
// tutorial settings its tutorial file, any other its world's file. Null when
// the level cannot be played (logged).
std::unique_ptr<TLevelSettings> CreateLevelSettings(const TLevelKey& key, const IPlayMode& mode);

}  // namespace GamePlay
