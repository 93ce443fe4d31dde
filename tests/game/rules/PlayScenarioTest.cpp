// Whole stretches of play on the real tower control with every policy of a
// level, left to run without input. Each scenario ends by checking that the
// play comes to rest: every input lock but the end-of-play lock is free
// within a bounded number of updates.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/rules/control/TClickDragTowerControl.h"
#include "game/rules/pieces/TCounterPiece.h"
#include "tests/game/rules/ControlPolicyFixture.h"
#include "tests/support/rules/LockLiveness.h"
#include "tests/support/rules/StubTowerView.h"

namespace GamePlay {
namespace {

using Strings = std::vector<std::string>;

// Rings without runs: ring r holds colour 2 + (slot + r) mod 4 at each slot,
// with column 0 given from the top.
Strings RingsWithColumn(const std::string& column) {
  Strings rings;
  for (size_t ring = 0; ring < column.size(); ++ring) {
    std::string codes(1, column[ring]);
    for (size_t slot = 1; slot < 12; ++slot) codes += static_cast<char>('2' + (slot + ring) % 4);
    rings.push_back(codes);
  }
  return rings;
}

class PlayTest : public RecordedTowerTest {
 protected:
  ~PlayTest() override { control.reset(); }

  void TearDown() override {
    if (control) {
      EXPECT_TRUE(LocksComeToRest(Locks(), [this] { Update(); }));
    }
  }

  // A level on the rings, out of its first fill unless it starts up.
  void Play(const Strings& rings, const LevelOptions& options) {
    view = StubTowerView{static_cast<int32_t>(rings.size())};
    BuildTower(rings);
    if (!options.startUp) {
      for (uint32_t i = 0; i <= tower->GetRingCount(); ++i) tower->StepAllColumns(-1);
    }
    control = std::make_unique<TClickDragTowerControl>(0.1f, 0.1f, 0.25f, 300, tower, &view, &sound,
                                                       nullptr);
    policies = AddLevelPolicies(*control, &scoring, options);
    if (policies.counter) control->SetTurnListener(policies.counter);
  }
  static LevelOptions Started() {
    LevelOptions options;
    options.startUp = false;
    return options;
  }
  void Update(int updates = 1) {
    for (int i = 0; i < updates; ++i) {
      clock.Update();
      scoring.Step();
      control->Update();
    }
  }
  TInputLocks& Locks() { return *control->GetInputLocks(); }
  std::string Column(int32_t slot) {
    std::string text;
    for (uint32_t ring = 0; ring < tower->GetRingCount(); ++ring) {
      text += Describe(*tower->GetPiece(static_cast<int32_t>(ring), slot));
    }
    return text;
  }
  Strings Scored() const { return scoring.Named("ScoreMatch"); }

  StubTowerView view;
  std::unique_ptr<TClickDragTowerControl> control;
  LevelPolicies policies;
};

TEST_F(PlayTest, AMatchVanishesThePiecesAboveFallAndTheirRunMatchesAgainAsACombo) {
  Play(RingsWithColumn("1000112"), Started());
  Update();
  EXPECT_TRUE(Locks().IsLocked(TInputLock::MatchRemoval));
  EXPECT_EQ(Column(0), "1xxx112");
  ASSERT_TRUE(LocksComeToRest(Locks(), [this] { Update(); }));
  EXPECT_EQ(Column(0), "1xxx112") << "at rest while the matched pieces vanish";
  Update(40);
  EXPECT_EQ(Column(0), "1xxx112");
  EXPECT_TRUE(tower->IsComboRunning()) << "the passes that found nothing kept the combo";
  Update(80);
  EXPECT_EQ(Column(0), "...xxx2") << "the piece above fell onto a run of three";
  ASSERT_TRUE(LocksComeToRest(Locks(), [this] { Update(); }));
  Update(100);
  EXPECT_EQ(Column(0), "......2");
  EXPECT_EQ(Scored(), (Strings{"ScoreMatch 3 1 {1 0, 2 0, 3 0}", "ScoreMatch 3 2 {3 0, 4 0, 5 0}"}));
  EXPECT_FALSE(tower->IsComboRunning()) << "the tower came to rest with no new match";
}

TEST_F(PlayTest, ATurnedRingStartsTheCascade) {
  Strings rings = RingsWithColumn("20002");
  rings[1] = "3" + rings[1].substr(1, 10) + "0";  // the run's second piece, one slot round
  Play(rings, Started());
  Update(50);
  EXPECT_TRUE(Scored().empty());
  control->QueueMove(1, 1);
  Update(40);
  EXPECT_EQ(Column(0), "2xxx2");
}

TEST_F(PlayTest, RingsAreDeliveredFromTheBottomAndMatchAsTheyCome) {
  LevelOptions options = Started();
  options.initialRate = options.finalRate = 0.05f;  // a ring every 20 updates
  Play(RingsWithColumn(".....3"), options);
  kit->generator->queued[0] = {1, 1, 1};
  Update(65);
  EXPECT_EQ(Column(0), "..3xxx") << "the third ring in made a run";
  Update(300);
  EXPECT_EQ(Scored(), Strings{"ScoreMatch 3 1 {3 0, 4 0, 5 0}"});
  EXPECT_TRUE(kit->generator->queued[0].empty());
}

TEST_F(PlayTest, TheLevelStartsUpFromTheBottomAndItsFirstMatchIsTakenOut) {
  LevelOptions options;
  Play(Strings(4), options);
  for (int32_t slot = 0; slot < 12; ++slot) {
    kit->generator->queued[slot] = {2 + slot % 4, 2 + (slot + 1) % 4, 2 + (slot + 2) % 4,
                                    2 + (slot + 3) % 4};
  }
  kit->generator->queued[0] = {3, 0, 0, 0};
  ASSERT_TRUE(LocksComeToRest(
      Locks(), [this] { Update(); }, 300));
  EXPECT_FALSE(policies.startUp->IsActive());
  Update();
  EXPECT_EQ(Column(0), "3xxx");
}

TEST_F(PlayTest, TheTimeRunsOutDuringACascadeAndPlayStopsWithTheEndLockAlone) {
  LevelOptions options = Started();
  options.gameTime = 500;
  Play(RingsWithColumn("1000112"), options);
  Update(200);
  EXPECT_TRUE(Locks().IsLocked(TInputLock::EndOfPlay));
  EXPECT_EQ(view.events, Strings{"ShowTimeUpMessage"});
  Update(500);
  EXPECT_EQ(view.events, Strings{"ShowTimeUpMessage"});
  EXPECT_EQ(Column(0), "1...112") << "the matched pieces vanished; nothing falls after the end";
}

TEST_F(PlayTest, CountersOfAZenLevelRunOutWhilePlayGoesOn) {
  LevelOptions options = Started();
  options.zen = true;
  options.counterRate = 0.01f;  // a counter of 10 runs out in 100 updates
  Play(RingsWithColumn("1000112"), options);
  tower->SetPiece(6, 5, pieces.CreateCounter(3, 10));
  Update(150);
  EXPECT_EQ(dynamic_cast<TCounterPiece*>(tower->GetPiece(6, 5).get()), nullptr);
}

}  // namespace
}  // namespace GamePlay
