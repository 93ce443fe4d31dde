#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "game/gui/effects/TGraphicRegistry.h"
#include "game/gui/play/TTowerViewImpl.h"
#include "game/gui/views/TViewFactory.h"
#include "game/rules/control/ITowerControl.h"
#include "game/rules/control/TInputLocks.h"
#include "game/rules/level/TLevelSettings.h"
#include "game/rules/scoring/TScoring.h"
#include "game/rules/tower/TTower.h"
#include "tests/game/gui/views/ViewTestKit.h"
#include "tests/support/BuiltDataFolder.h"
#include "tests/support/rules/LevelRig.h"

namespace GUI {

// Level 3-2 of our data, eight blockers among seven rings, played by the
// rules with the game's view factory and tower view; every picture records
// its draws.
class BlockerLevelTest : public testing::Test {
 protected:
  static constexpr GamePlay::TLevelKey kBlockerLevel{3, 2};

  void SetUp() override {
    auto settings = GamePlay::TLevelSettings::Load(kBlockerLevel, "levels/world03.xml", false);
    ASSERT_NE(settings, nullptr);
    factory.SetVanishingSounds(&sounds);
    towerView = factory.CreateTowerView(nullptr, *settings);
    rig = std::make_unique<LevelRig>(BuiltDataFolder::ProgramFolder(), kBlockerLevel,
                                     TuningFromStrings(),
                                     LevelViews{&factory, &factory, towerView.get()});
    ASSERT_TRUE(rig->IsReady());
    towerView->SetModel(rig->tower.get());
    towerView->SetUp(rig->scoring.get(), nullptr);
  }

  TGraphicRegistry* HeldPictures() {
    HoldRecordingPictures(registry, &journal);
    return &registry;
  }

  bool IsAtRest() {
    return !rig->control->GetInputLocks()->IsAnyLocked() && !rig->tower->IsComboRunning() &&
           !rig->tower->CanDeliver();
  }

  BuiltDataFolder folder;
  TGraphicRegistry registry;
  std::vector<RecordedDraw> journal;
  RecordingVanishingSounds sounds;
  TViewFactory factory{HeldPictures(), nullptr, true, 1.0f};
  std::unique_ptr<TTowerViewImpl> towerView;
  std::unique_ptr<LevelRig> rig;
};

}  // namespace GUI
