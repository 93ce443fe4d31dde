#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/rules/pieces/IPieceFactory.h"
#include "game/rules/tower/IPieceJugModel.h"
#include "game/rules/control/ITimeController.h"
#include "game/rules/control/ITowerControl.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "game/rules/pieces/TCounterPiece.h"
#include "game/rules/control/TInputLocks.h"
#include "game/rules/level/TLevelSettings.h"
#include "game/rules/powerups/TPowerUpControl.h"
#include "game/rules/scoring/TScoring.h"
#include "game/rules/tower/TTower.h"
#include "tests/support/rules/LevelRig.h"
#include "tests/support/rules/LockLiveness.h"
#include "tests/support/rules/SampleLevels.h"

namespace GamePlay {
namespace {

using Strings = std::vector<std::string>;

const char* const kStartPicture =
    "010101010101\n"
    "232323232323\n"
    "010141010101\n"
    "232423232323\n"
    "010141010101\n";

class WholeLevelTest : public testing::Test {
 protected:
  void Play(const LevelFiles& files, TLevelKey key = {1, 1}) {
    rig = std::make_unique<LevelRig>(files, key, SampleLevelTuning());
  }
  // Updates with no input until every lock but the end-of-play lock is free.
  testing::AssertionResult ComesToRest() {
    return LocksComeToRest(*rig->control->GetInputLocks(), [this] { rig->Update(); });
  }
  bool Locked(TInputLock lock) { return rig->control->GetInputLocks()->IsLocked(lock); }
  size_t Count(const Strings& lines, const std::string& line) {
    return static_cast<size_t>(std::count(lines.begin(), lines.end(), line));
  }

  // Liveness: whatever a scenario did, its cascades come to rest.
  void TearDown() override {
    if (rig) {
      EXPECT_TRUE(ComesToRest());
    }
  }

  std::unique_ptr<LevelRig> rig;
};

// The first match of the Journey level, played from the start-up to the
// cascade's rest.
void PlayFirstMatch(LevelRig& rig) {
  rig.Update(400);
  rig.Drag(3, 1);
  rig.Update(300);
}

TEST_F(WholeLevelTest, AJourneyLevelPlaysFromItsStartUpToItsTimeOut) {
  Play(JourneyFiles());
  ASSERT_TRUE(ComesToRest()) << "the start-up ends";
  rig->Update(400 - static_cast<int>(rig->clock.Ticks() / 10) % 400);
  EXPECT_EQ(rig->Picture(), kStartPicture);
  EXPECT_TRUE(rig->observer.heard.empty());

  rig->Drag(3, 1);
  rig->Update(5);
  EXPECT_EQ(rig->Picture(),
            "010101010101\n"
            "232323232323\n"
            "0101x1010101\n"
            "3232x2323232\n"
            "0101x1010101\n")
      << "the turned ring lined up colour 4 in column 4";
  ASSERT_TRUE(ComesToRest());
  rig->Update(150);
  EXPECT_EQ(rig->Picture(),
            "0101.1010101\n"
            "2323.3232323\n"
            "0101.1010101\n"
            "323202323232\n"
            "010121010101\n")
      << "the two pieces above fell to the bottom";
  EXPECT_EQ(rig->observer.heard, Strings{"OnScore 3 1 2 4 30 0"});
  EXPECT_EQ(rig->scoring->GetLevelScore(), 30 + 3 * 1)
      << "the scheme's value of a first match of three and of its three single pieces";
  EXPECT_FLOAT_EQ(rig->scoring->GetPieceJug()->GetFill(4), 1.0f * 0.25f / (0.5f * 0 + 1))
      << "gem energy rate times the energy of a match of three, shared with no linked jug";
  EXPECT_EQ(rig->records.ringTurns, 1u);
  const TLevelResult& result = rig->records.levelResult;
  EXPECT_EQ(result.level, (TLevelKey{1, 1}));
  EXPECT_EQ(result.matchCount, 1);
  EXPECT_EQ(result.activationCount, 3) << "the three matched pieces";

  const std::string rested = rig->Picture();
  for (int i = 0; i < 600 && rig->Picture() == rested; ++i) rig->Update();
  ASSERT_TRUE(ComesToRest());
  EXPECT_EQ(rig->Picture(),
            "0101.1010101\n"
            "2323.3232323\n"
            "010101010101\n"
            "323222323232\n"
            "010101010101\n")
      << "a raised ring fills column 4 from the bottom with the table's next entry, its first";

  std::vector<std::string>& sounds = rig->sound.played;
  EXPECT_EQ(Count(sounds, "StartAlmostTimeOut"), 0u);
  while (!Locked(TInputLock::EndOfPlay) && rig->timer->GetRate() < 2) rig->Update();
  EXPECT_GT(Count(sounds, "StartAlmostTimeOut"), 0u);
  EXPECT_EQ(rig->view->events.back(), "ShowTimeUpMessage");
  EXPECT_TRUE(Locked(TInputLock::EndOfPlay));

  const std::string ended = rig->Picture();
  rig->Drag(0, 1);
  rig->Update(1000);
  EXPECT_EQ(rig->Picture(), ended) << "no turn and no delivery after the time is up";
  EXPECT_EQ(Count(rig->view->events, "ShowTimeUpMessage"), 1u);
}

TEST_F(WholeLevelTest, ARunMadeByTheFallAfterAMatchScoresAsTheSecondOfACombo) {
  Play(CascadeFiles());
  ASSERT_TRUE(ComesToRest()) << "the start-up ends";
  rig->Drag(3, 1);
  rig->Update(150);
  EXPECT_EQ(rig->Picture(),
            "0101.1010101\n"
            "2323.3232323\n"
            "0101.1010101\n"
            "3232x2323232\n"
            "0101x1010101\n"
            "2323x3232323\n")
      << "the pieces above fell onto the third and their run vanishes";
  ASSERT_TRUE(ComesToRest());
  rig->Update(150);
  EXPECT_EQ(rig->observer.heard, (Strings{"OnScore 3 1 2 4 30 0", "OnScore 3 2 3 4 70 0"}));
  EXPECT_EQ(rig->scoring->GetLevelScore(), 30 + 70 + 6 * 1);
  EXPECT_FALSE(rig->tower->IsComboRunning()) << "the tower came to rest with no new match";
}

TEST_F(WholeLevelTest, FillingEveryJugTalliesAndEndsTheLevelOnce) {
  LevelFiles files = JourneyFiles();
  files.powerUps = {{"Energy Scale Match3", "1"}};  // one match fills the jug
  Play(files);
  PlayFirstMatch(*rig);
  ASSERT_TRUE(ComesToRest());
  rig->Update(1000);
  EXPECT_EQ(Count(rig->observer.heard, "OnLevelEnd"), 1u) << "one tally";
  EXPECT_EQ(Count(rig->view->events, "OnLevelEnd"), 1u) << "one level end";
  EXPECT_EQ(Count(rig->sound.played, "PlayJugFull"), 1u);
  EXPECT_TRUE(Locked(TInputLock::EndOfPlay));
  EXPECT_EQ(rig->records.ringTurns, 1u);
  const TLevelResult& result = rig->records.levelResult;
  EXPECT_EQ(result.matchCount, 1);
  EXPECT_EQ(result.activationCount, 3);
  EXPECT_EQ(result.levelScore, 30 + 3 * 1) << "no bonus: no blocker bonus, power-up or time bonus set";
  EXPECT_EQ(result.totalScore, 33) << "nothing saved before";
  EXPECT_EQ(result.blockerBonus + result.powerUpBonus + result.timeBonus, 0);
  EXPECT_EQ(result.secondsLeft, 9);
  EXPECT_EQ(result.levelTimeMs, 15000u);
  EXPECT_EQ(result.elapsedMs, 5060u) << "the level's clock from its start to the full jug";
  EXPECT_EQ(rig->records.recorded,
            (std::vector<RecordingGameRecords::RecordedResult>{{33, 33, TLevelKey{1, 1}}}));
}

TEST_F(WholeLevelTest, TheSameScriptGivesTheSameTrace) {
  std::string traces[2];
  for (std::string& trace : traces) {
    Play(JourneyFiles());
    PlayFirstMatch(*rig);
    rig->Update(3500);
    trace = rig->Trace();
    rig.reset();
  }
  EXPECT_EQ(traces[0], traces[1]);
  EXPECT_NE(traces[0].find("ShowTimeUpMessage"), std::string::npos);
}

TEST_F(WholeLevelTest, OnlyAZenLevelRunsCountersDownAndItHasNoTimer) {
  struct Case {
    TLevelKey key;
    bool zen;
  };
  for (Case c : {Case{{0, 1}, true}, Case{{1, 1}, false}}) {
    Play(JourneyFiles(), c.key);
    EXPECT_EQ(rig->timer == nullptr, c.zen);
    ASSERT_TRUE(ComesToRest());
    // The game counts by turns: 10 for each.
    rig->tower->SetPiece(4, 0, rig->factory->GetPieceFactory()->CreateCounter(1, 10));
    rig->Drag(1, 1);
    rig->Update(100);
    EXPECT_EQ(dynamic_cast<TCounterPiece*>(rig->tower->GetPiece(4, 0).get()) == nullptr, c.zen)
        << "world " << c.key.world;
    rig.reset();
  }
}

TEST_F(WholeLevelTest, AZenLevelNeverTimesOut) {
  Play(JourneyFiles(), {0, 1});
  PlayFirstMatch(*rig);
  rig->Update(5000);
  EXPECT_EQ(Count(rig->view->events, "ShowTimeUpMessage"), 0u);
  EXPECT_EQ(rig->view->events.back(), "ShowNoMoveMessage") << "the third raised ring left no move";
  EXPECT_EQ(rig->observer.heard, Strings{"OnScore 3 1 2 4 30 0"});
}

TEST_F(WholeLevelTest, ALevelAskingForMoreRingsThanATowerHoldsGetsTheMost) {
  LevelFiles files = JourneyFiles();
  files.level[0] = {"Lvl01 Max Rings", "2000000000"};
  Play(files);
  EXPECT_EQ(rig->tower->GetRingCount(), 12u);
  EXPECT_EQ(rig->generator->GetRingCount(), 12u);
  EXPECT_EQ(rig->view->ringAngles.size(), 12u);
}

TEST_F(WholeLevelTest, ATimedLevelHasItsGameTimeInMilliseconds) {
  Play(JourneyFiles());
  ASSERT_NE(rig->timer, nullptr);
  ASSERT_TRUE(ComesToRest());
  float before = rig->timer->GetRate();
  rig->Update(300);
  EXPECT_NEAR(rig->timer->GetRate() - before, 3000.0f / 15000.0f, 1e-4f);
}

TEST_F(WholeLevelTest, PausingTheGameClocksHoldsTheMetricsClockWhileTheFactoryLives) {
  Play(JourneyFiles());
  TClockProxyRegistry& registry = TClockProxyRegistry::Instance();
  registry.PauseAll();
  registry.ResumeAll();
  EXPECT_EQ(rig->records.clockCalls, (Strings{"PauseClock", "ResumeClock"}));
  rig.reset();
  EXPECT_EQ(registry.GetMetrics(), nullptr) << "the factory takes its metrics back";
}

TEST_F(WholeLevelTest, TheLastLevelsObjectsOutliveTheNextSetLevel) {
  Play(JourneyFiles());
  PlayFirstMatch(*rig);
  std::unique_ptr<TLevelSettings> settings = CreateLevelSettings({1, 1}, rig->records);
  rig->factory->SetLevel(*settings, &rig->views);
  EXPECT_NE(rig->factory->GetPieceFactory(), rig->tower->GetPieceFactory());
  rig->Update(200);  // the old tower, generator and pieces play on, and go after
  EXPECT_TRUE(rig->tower->GetPiece(-1, 0)->IsVoid());
}

}  // namespace
}  // namespace GamePlay
