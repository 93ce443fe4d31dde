#pragma once

// A level for the scoring model: a real tower of real pieces with null
// views, a recording power-up factory, a stub tower control and view, and a
// scoring scheme whose values are fixed here, so that every score can be
// told apart.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "game/rules/scoring/IScoringSchemeModel.h"
#include "game/rules/pieces/TPowerUpPiece.h"
#include "game/rules/scoring/TScoring.h"
#include "game/rules/tower/TTower.h"
#include "tests/support/FakeClock.h"
#include "tests/support/TestFileLayer.h"
#include "tests/support/rules/FakePieceJugs.h"
#include "tests/support/rules/FakeTimeController.h"
#include "tests/support/rules/KitPieceFactory.h"
#include "tests/support/rules/KitPowerUps.h"
#include "tests/support/rules/KitTower.h"
#include "tests/support/rules/NullPieceViews.h"
#include "tests/support/rules/RecordingGameRecords.h"
#include "tests/support/rules/RecordingScoringObserver.h"
#include "tests/support/rules/RecordingSoundView.h"
#include "tests/support/rules/StubTowerControl.h"
#include "tests/support/rules/StubTowerView.h"

namespace GamePlay {

// Combo matches score 100 x combo + size, side matches 1000 x combo + size.
class FixedScoringScheme final : public IScoringSchemeModel {
 public:
  int32_t GetSinglePiece() override { return 1; }
  int32_t GetLockExplode() override { return 20; }
  int32_t GetGearExplode() override { return 30; }
  int32_t GetPieceBombBonus(bool accepted) override { return accepted ? 45 : 4; }
  int32_t GetBlockerExplode() override { return 5; }
  int32_t GetComboMatch(int32_t m, int32_t c) override { return 100 * c + m; }
  int32_t GetSideMatch(int32_t m, int32_t c) override { return 1000 * c + m; }
  int32_t GetPowerUp() override { return 7; }
  int32_t GetPowerUpBonus() override { return 50; }
  float GetTimeBonus() override { return 2.5f; }
};

class ScoringTest : public testing::Test {
 protected:
  static constexpr TLevelKey kLevel{1, 1};

  // A tower of the given rings (as KitTower reads them) and
  // a scoring model started on it, with the control set.
  void Build(const std::vector<std::string>& rings, bool hasJugs = false) {
    MakeScoring();
    MakeTower(rings, hasJugs);
    scoring->StartLevel(Start());
    scoring->SetTowerControl(&control);
  }
  void MakeScoring() {
    auto makeJugs = [this](const TJugSetup& setup) {
      auto made = std::make_unique<FakePieceJugs>(setup);
      jugs = made.get();
      return made;
    };
    scoring = std::make_unique<TScoring>(schemeModel, tables, records.Records(), makeJugs);
    scoring->AddObserver(&observer);
  }
  void MakeTower(const std::vector<std::string>& rings, bool hasJugs) {
    TTowerSetup setup;
    setup.scoring = scoring.get();
    setup.powerUpFactory = powerUpFactory;
    setup.sound = &sound;
    setup.metrics = &records;
    setup.results = &records;
    setup.hasPieceJug = hasJugs;
    kit = std::make_unique<KitTower>(pieces, setup, rings);
    tower = kit->tower.get();
    control.model = tower;
  }
  TScoringStart Start() {
    TScoringStart start;
    start.tower = tower;
    start.singlePieceEnergy = 0.25f;
    start.explosionStepTime = 100;
    start.jugLinkFactor = 0.5f;
    start.level = kLevel;
    start.scoreGoal = 1000;
    start.jugTimeBoost = 0.2f;
    start.clearBlockerBonus = 1000;
    return start;
  }

  // Takes the tower out of its first fill, after which blockers hold.
  void FinishFill() {
    for (uint32_t i = 0; i <= tower->GetRingCount(); ++i) tower->StepAllColumns(-1);
  }
  TLevelResult& Result() { return records.levelResult; }

  FakeClock clock;
  TestFileLayer files;
  RecordingGameRecords records;
  RecordingSoundView sound;
  NullPieceViewFactory views;
  KitPieceFactory pieces{&views, &sound, &records};
  RecordingPowerUpFactory powerUps;
  IPowerUpFactory* powerUpFactory = &powerUps;  // the tower's
  FixedScoringScheme scheme;
  IScoringSchemeModel* schemeModel = &scheme;  // the scoring model's
  TPowerUpTables tables;
  RecordingScoringObserver observer;
  StubTowerView view;
  StubTowerControl control{nullptr, &view, &sound};
  FakePieceJugs* jugs = nullptr;  // the jugs of the current level, when made
  std::unique_ptr<TScoring> scoring;
  std::unique_ptr<KitTower> kit;
  TTower* tower = nullptr;  // the kit's
};

// Twelve pieces of one colour.
inline std::string Full(char colour) { return std::string(12, colour); }

}  // namespace GamePlay
