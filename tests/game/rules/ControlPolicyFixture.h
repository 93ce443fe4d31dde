#pragma once

// The control policies at work on a real tower of real pieces with null
// views: a stub tower control holds the locks and runs the policies, a stub
// view and a recording sound view and scoring model hear what they do, and a
// fake clock moves 10 ms per update.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "game/rules/control/TAddRingControlPolicy.h"
#include "game/rules/control/TCounterPieceControlPolicy.h"
#include "game/rules/control/TInputLocks.h"
#include "game/rules/control/TPieceDisappearingControlPolicy.h"
#include "game/rules/control/TSettlingPiecePolicies.h"
#include "game/rules/control/TStartUpControlPolicy.h"
#include "game/rules/control/TTimerControlPolicy.h"
#include "game/rules/tower/TTower.h"
#include "tests/game/rules/RecordedTowerFixture.h"
#include "tests/game/rules/TowerFixture.h"
#include "tests/support/rules/LockLiveness.h"
#include "tests/support/rules/StubTowerControl.h"
#include "tests/support/rules/StubTowerView.h"

namespace GamePlay {

// What a level's policies are made with.
struct LevelOptions {
  bool startUp = true;  // false: the level has started already
  bool deliveryFromTop = false;
  float initialRate = 0;  // ring delivery progress per update, full tower
  float finalRate = 0;    // the same on an empty tower
  uint32_t threshold = 0;
  // A timed level: the level time in ms and the tutorial flag.
  float gameTime = 60000;
  bool tutorial = false;
  // A Zen level (no timer) and its counters.
  bool zen = false;
  bool timeMode = true;
  float counterRate = 0;
};

// The policies of a level that the tests reach; null when not made.
struct LevelPolicies {
  TStartUpControlPolicy* startUp = nullptr;
  TAddRingControlPolicy* addRing = nullptr;
  TTimerControlPolicy* timer = nullptr;
  TCounterPieceControlPolicy* counter = nullptr;
};

// The policies of a level, added to the control in the order the tower
// factory adds them.
inline LevelPolicies AddLevelPolicies(ITowerControl& control, IScoringModel* scoring,
                                      const LevelOptions& options) {
  LevelPolicies made;
  auto add = [&control](auto policy) {
    auto* added = policy.get();
    control.AddSubController(std::move(policy));
    return added;
  };
  auto addRing = std::make_unique<TAddRingControlPolicy>(&control, scoring, options.initialRate,
                                                         options.finalRate, options.deliveryFromTop,
                                                         options.threshold);
  made.addRing = addRing.get();
  if (options.startUp) {
    made.startUp = add(
        std::make_unique<TStartUpControlPolicy>(&control, made.addRing, options.deliveryFromTop));
  }
  add(std::move(addRing));
  add(std::make_unique<TPieceDisappearingControlPolicy>(&control));
  add(std::make_unique<TFallingPieceControlPolicy>(&control));
  add(std::make_unique<TRaisingPieceControlPolicy>(&control));
  add(std::make_unique<TMovingPieceControlPolicy>(&control));
  if (options.zen) {
    made.counter = add(std::make_unique<TCounterPieceControlPolicy>(&control, options.timeMode,
                                                                    options.counterRate));
  } else {
    made.timer =
        add(std::make_unique<TTimerControlPolicy>(&control, options.gameTime, options.tutorial));
  }
  return made;
}

class ControlPolicyTest : public RecordedTowerTest {
 protected:
  // rings as KitTower reads them; the view gets as many rings.
  TTower& BuildLevelTower(const std::vector<std::string>& rings, TTowerSetup setup = {},
                          uint32_t generatorRings = 0) {
    BuildTower(rings, setup, generatorRings);
    control.model = tower;
    view.ringAngles.assign(rings.size(), 0.0f);
    return *tower;
  }
  // A policy made with the control and the arguments given, added to the
  // control after the ones added before.
  template <class TPolicy, class... TArgs>
  TPolicy& Add(TArgs&&... args) {
    auto policy = std::make_unique<TPolicy>(&control, std::forward<TArgs>(args)...);
    TPolicy& added = *policy;
    control.AddSubController(std::move(policy));
    return added;
  }

  LevelPolicies AddLevelPolicies(const LevelOptions& options) {
    return GamePlay::AddLevelPolicies(control, &scoring, options);
  }

  // Updates of play: 10 ms pass, then the control updates.
  void Update(int updates = 1) {
    for (int i = 0; i < updates; ++i) {
      clock.Update();
      control.Update();
    }
  }
  std::string Column(int32_t slot) {
    std::string text;
    for (uint32_t ring = 0; ring < tower->GetRingCount(); ++ring) {
      text += Describe(*tower->GetPiece(static_cast<int32_t>(ring), slot));
    }
    return text;
  }
  void PlaceColumn(int32_t slot, const std::string& codes) {
    for (size_t ring = 0; ring < codes.size(); ++ring) {
      tower->SetPiece(static_cast<int32_t>(ring), slot, MakeKitPiece(pieces, codes[ring]));
    }
  }
  // Takes the tower out of its first fill, after which blockers hold.
  void FinishFill() {
    for (uint32_t i = 0; i <= tower->GetRingCount(); ++i) tower->StepAllColumns(-1);
  }
  bool Locked(TInputLock lock) const { return control.locks.IsLocked(lock); }
  int Count(const std::vector<std::string>& events, const std::string& name) const {
    return static_cast<int>(std::count(events.begin(), events.end(), name));
  }

  StubTowerView view;
  StubTowerControl control{nullptr, &view, &sound};
};

}  // namespace GamePlay
