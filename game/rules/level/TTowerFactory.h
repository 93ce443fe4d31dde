#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <utility>

#include "game/rules/level/TGameRecords.h"
#include "game/rules/tower/IRingGenerator.h"

namespace GamePlay {

class IPieceFactory;
class IPieceViewFactory;
class IPowerUpFactory;
class IPowerUpViewFactory;
class IRateController;
class IScoringModel;
class ISoundFactoryView;
class ITimeController;
class ITowerControl;
class ITowerModel;
class ITowerView;
class TBlockerLayout;
class TLevelSettings;
struct TLevelParts;
class TScoring;
class TScoringScheme;
class TStandardPieceFactory;
class TStandardPowerUpFactory;
class TTower;

// The game's tuning values that shape every level, by their names in the
// game's tuning table.
struct TTowerTuning {
  float clickRotationRate = 0;      // "Click Rotation Rate"
  float snapRotationRate = 0;       // "Snap Rotation Rate"
  float holdRotationSpeedUp = 0;    // "Hold Rotation SpeedUp Rate"
  float clickRotationDelay = 0;     // "Click Rotation Delay Rate"
  float disappearingRate = 0;       // "Disappearing Rate"
  int32_t highlightDelayTime = 0;   // "Highlight Delay Time", ms
  float energyRateFromBomb = 0;     // "Energy Rate from Bomb"
  int32_t areaBombWidth = 0;        // "Area bomb Width"
  int32_t areaBombHeight = 0;       // "Area bomb Height"
  float timeBombRate = 0;           // "Time Bomb Rate"
  bool bombChainReaction = false;   // "Bomb Chain Reaction"
  bool linkedBlockMoving = false;   // "Linked Block Moving"
  bool colouredBlocker = false;     // "Colored Blocker"
  float counterBlockerDeliveryRate = 0;  // "Counter Blocker Delivery Rate"
  bool usingTableGenerate = false;  // "Using Table Generate"
};

// Assembles the model of each level of a play window: the level's piece and
// power-up factories and blocker layout, then its ring generator, tower and
// tower control with its policies; and the scoring model, once.
//
// What SetLevel makes, the level's parts, is shared with the generator and
// tower made from it, so a level's objects stay sound until the last of them
// is gone, whatever the order in which the play window replaces them.
//
// The game's records go to every part that reports to them; while the
// factory lives, the game clocks' pause holds the metrics clock too.
class TTowerFactory {
 public:
  TTowerFactory(IPowerUpViewFactory* powerUpViews, ISoundFactoryView* sound,
                const TGameRecords& records, const TTowerTuning& tuning);
  virtual ~TTowerFactory();
  TTowerFactory(const TTowerFactory&) = delete;
  TTowerFactory& operator=(const TTowerFactory&) = delete;

  // Per level, in this order: SetLevel, CreateRingGenerator, CreateTower,
  // CreateControl. CreateScoring comes once, before the first CreateTower.
  void SetLevel(const TLevelSettings& settings, IPieceViewFactory* pieceViews);
  virtual std::unique_ptr<IRingGenerator> CreateRingGenerator();
  virtual std::unique_ptr<TTower> CreateTower(ITowerView* view, IRingGenerator* generator,
                                              IScoringModel* scoring);
  // The click-drag control with the level's policies. rate receives the
  // delivery policy's rate controller; time the level timer, null on Zen
  // levels.
  virtual std::unique_ptr<ITowerControl> CreateControl(ITowerModel* tower, ITowerView* view,
                                                       IRateController** rate,
                                                       ITimeController** time,
                                                       bool deliveryFromTop, bool whenTopClear);
  virtual IPieceFactory* GetPieceFactory();
  virtual IPowerUpFactory* GetPowerUpFactory();

  std::unique_ptr<TScoring> CreateScoring(std::map<std::pair<int32_t, int32_t>, int32_t> match,
                                          std::map<int32_t, int32_t> combo,
                                          std::map<int32_t, float> energyScale);

 private:
  IPowerUpViewFactory* mPowerUpViews;
  ISoundFactoryView* mSound;
  std::unique_ptr<TScoringScheme> mScheme;
  TGameRecords mRecords;
  TTowerTuning mTuning;
  std::shared_ptr<TLevelParts> mLevel;
};

}  // namespace GamePlay
