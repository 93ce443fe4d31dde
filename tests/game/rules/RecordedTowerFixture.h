#pragma once

// A tower of real pieces with null views whose scoring model and power-up
// factory only write down what they are asked, for tests of what acts on
// the tower (power-ups, explosions).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/rules/tower/TTower.h"
#include "tests/support/FakeClock.h"
#include "tests/support/rules/KitPieceFactory.h"
#include "tests/support/rules/KitPowerUps.h"
#include "tests/support/rules/KitTower.h"
#include "tests/support/rules/NullPieceViews.h"
#include "tests/support/rules/RecordingGameRecords.h"
#include "tests/support/rules/RecordingScoringModel.h"
#include "tests/support/rules/RecordingSoundView.h"

namespace GamePlay {

class RecordedTowerTest : public testing::Test {
 protected:
  // rings and generatorRings as KitTower reads them; cells left out are vacant.
  void BuildTower(const std::vector<std::string>& rings, TTowerSetup setup = {},
                  uint32_t generatorRings = 0) {
    setup.scoring = &scoring;
    setup.powerUpFactory = &powerUps;
    setup.sound = &sound;
    setup.metrics = &records;
    setup.results = &records;
    kit = std::make_unique<KitTower>(pieces, setup, rings, generatorRings);
    tower = kit->tower.get();
  }

  FakeClock clock;
  RecordingGameRecords records;
  RecordingSoundView sound;
  NullPieceViewFactory views;
  KitPieceFactory pieces{&views, &sound, &records};
  RecordingPowerUpFactory powerUps;
  RecordingScoringModel scoring;
  std::unique_ptr<KitTower> kit;
  TTower* tower = nullptr;  // the kit's
};

}  // namespace GamePlay
