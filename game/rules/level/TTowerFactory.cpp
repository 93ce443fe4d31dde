#include "game/rules/level/TTowerFactory.h"

#include <algorithm>
#include <cstdlib>

#include "game/rules/control/TAddRingControlPolicy.h"
#include "game/rules/level/IPlayMode.h"
#include "game/rules/level/TLevelParts.h"
#include "game/rules/control/TClickDragTowerControl.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "game/rules/control/TCounterPieceControlPolicy.h"
#include "game/rules/level/TLevelSettings.h"
#include "game/rules/control/TPieceDisappearingControlPolicy.h"
#include "game/rules/tower/TRandomRingGenerator.h"
#include "game/rules/tower/TRandomSource.h"
#include "game/rules/scoring/ILevelResultStore.h"
#include "game/rules/scoring/TScoring.h"
#include "game/rules/scoring/TScoringScheme.h"
#include "game/rules/control/TSettlingPiecePolicies.h"
#include "game/rules/pieces/TStandardPieceFactory.h"
#include "game/rules/powerups/TStandardPowerUpFactory.h"
#include "game/rules/control/TStartUpControlPolicy.h"
#include "game/rules/control/TTimerControlPolicy.h"
#include "game/rules/tower/TTower.h"

namespace GamePlay {

TTowerFactory::TTowerFactory(IPowerUpViewFactory* powerUpViews, ISoundFactoryView* sound,
                             const TGameRecords& records, const TTowerTuning& tuning)
    : mPowerUpViews(powerUpViews),
      mSound(sound),
      mScheme(std::make_unique<TScoringScheme>()),
      mRecords(records),
      mTuning(tuning) {
  TClockProxyRegistry::Instance().AttachMetrics(mRecords.metrics);
}

TTowerFactory::~TTowerFactory() { TClockProxyRegistry::Instance().DetachMetrics(mRecords.metrics); }

void TTowerFactory::SetLevel(const TLevelSettings& settings, IPieceViewFactory* pieceViews) {
  auto pieces = std::make_unique<TStandardPieceFactory>(
      settings.GetNumberOfPiecesInUse(), pieceViews, mSound, mRecords.metrics,
      mTuning.energyRateFromBomb);
  auto powerUps = std::make_unique<TStandardPowerUpFactory>(
      mPowerUpViews, mTuning.areaBombHeight, mTuning.areaBombWidth, mTuning.timeBombRate);
  // The previous level's parts live on while its generator or tower does.
  mLevel = std::make_shared<TLevelParts>(settings, std::move(pieces), std::move(powerUps),
                                         mTuning.colouredBlocker);
  mRecords.results->GetLevelResult().level = settings.GetKey();
}

std::unique_ptr<IRingGenerator> TTowerFactory::CreateRingGenerator() {
  TRingGeneratorSetup setup =
      TRandomRingGenerator::SetupFromSettings(mLevel->settings, mTuning.usingTableGenerate);
  setup.pieceFactory = mLevel->pieces.get();
  setup.powerUpFactory = mLevel->powerUps.get();
  setup.layout = &mLevel->layout;
  // Seeded from the C library's generator, which the game seeds at start.
  setup.random = std::make_unique<TRandomSource>(static_cast<uint32_t>(std::rand()));
  setup.level = mLevel;
  return std::make_unique<TRandomRingGenerator>(std::move(setup));
}

std::unique_ptr<TTower> TTowerFactory::CreateTower(ITowerView* view, IRingGenerator* generator,
                                                   IScoringModel* scoring) {
  mLevel->powerUps->SetTowerView(view);
  const TLevelSettings& settings = mLevel->settings;
  TTowerSetup setup;
  setup.ringCount = static_cast<uint32_t>(std::max(settings.GetMaxRings(), 0));
  setup.generator = generator;
  setup.pieceFactory = mLevel->pieces.get();
  setup.scoring = scoring;
  setup.powerUpFactory = mLevel->powerUps.get();
  setup.sound = mSound;
  setup.metrics = mRecords.metrics;
  setup.results = mRecords.results;
  setup.blockerEnergyRatios = settings.GetBlockerEnergyRatios();
  setup.linkedBlockMoving = mTuning.linkedBlockMoving;
  setup.completeDestroyedPieces = settings.GetCompleteDestroyedPieces();
  setup.hasPieceJug = settings.HasPieceJug();
  setup.sideMatch = settings.HasSideMatch();
  setup.blockerExplode = settings.HasBlockerExplode();
  setup.bombChainReaction = mTuning.bombChainReaction;
  setup.deliveryMode = settings.GetPieceDeliveryFromTop();
  setup.level = mLevel;
  return std::make_unique<TTower>(setup);
}

std::unique_ptr<ITowerControl> TTowerFactory::CreateControl(ITowerModel* tower, ITowerView* view,
                                                           IRateController** rate,
                                                           ITimeController** time,
                                                           bool deliveryFromTop,
                                                           bool whenTopClear) {
  const TLevelSettings& settings = mLevel->settings;
  const bool zen = settings.GetWorld() == 0;
  auto control = std::make_unique<TClickDragTowerControl>(
      mTuning.clickRotationRate, mTuning.snapRotationRate, mTuning.clickRotationDelay,
      static_cast<uint32_t>(std::max(mTuning.highlightDelayTime, 0)), tower, view, mSound,
      mRecords.metrics);
  std::unique_ptr<TCounterPieceControlPolicy> counter;
  if (zen) {
    counter = std::make_unique<TCounterPieceControlPolicy>(
        control.get(), !mRecords.playMode->IsCountMode(), settings.GetCounterTimerRate());
    control->SetTurnListener(counter.get());
  }
  const uint32_t threshold =
      whenTopClear ? static_cast<uint32_t>(std::max(settings.GetMaxRings(), 0)) : 0;
  auto addRing = std::make_unique<TAddRingControlPolicy>(
      control.get(), tower->GetScoring(), settings.GetInitialRaiseRingRate(),
      settings.GetFinalRaiseRingRate(), deliveryFromTop, threshold);
  *rate = addRing.get();
  auto raising = std::make_unique<TRaisingPieceControlPolicy>(control.get());
  std::unique_ptr<TTimerControlPolicy> timer;
  if (!zen) {
    timer = std::make_unique<TTimerControlPolicy>(control.get(), settings.GetGameTime() * 1000,
                                                  settings.IsTutorial());
  }
  *time = timer.get();

  control->AddSubController(std::make_unique<TStartUpControlPolicy>(
      control.get(), addRing.get(), settings.GetPieceDeliveryFromTop() != 0));
  control->AddSubController(std::move(addRing));
  control->AddSubController(std::make_unique<TPieceDisappearingControlPolicy>(control.get()));
  control->AddSubController(std::make_unique<TFallingPieceControlPolicy>(control.get()));
  control->AddSubController(std::move(raising));
  control->AddSubController(std::make_unique<TMovingPieceControlPolicy>(control.get()));
  if (timer) control->AddSubController(std::move(timer));
  if (counter) control->AddSubController(std::move(counter));

  mLevel->powerUps->SetTimeController(*time);
  return control;
}

std::unique_ptr<TScoring> TTowerFactory::CreateScoring(
    std::map<std::pair<int32_t, int32_t>, int32_t> match, std::map<int32_t, int32_t> combo,
    std::map<int32_t, float> energyScale) {
  return std::make_unique<TScoring>(
      mScheme.get(), TPowerUpTables{std::move(match), std::move(combo), std::move(energyScale)},
      mRecords);
}

IPieceFactory* TTowerFactory::GetPieceFactory() { return mLevel ? mLevel->pieces.get() : nullptr; }

IPowerUpFactory* TTowerFactory::GetPowerUpFactory() {
  return mLevel ? mLevel->powerUps.get() : nullptr;
}

}  // namespace GamePlay
