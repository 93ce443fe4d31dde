// The metrics recorder over a started game's preferences, with game time
// and the local date fixed by the test.
#include "game/gui/progress/TMetrics.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/rules/control/TClockProxyRegistry.h"
#include "system/os/LocalTime.h"
#include "tests/game/gui/progress/ProgressRig.h"
#include "tests/support/FakeClock.h"

namespace GamePlay {
namespace {

constexpr uint32_t kMetricsMinute = 60000;
constexpr char kMetricsMoment[] = "24.12.2026, 09:05:03";

sys::LocalDateTime MetricsChristmasEveMorning() { return {2026, 12, 24, 9, 5, 3, 4}; }

class MetricsTest : public ProgressRig {
 protected:
  MetricsTest() { sys::SetLocalTimeSource(MetricsChristmasEveMorning); }
  ~MetricsTest() override { sys::SetLocalTimeSource(nullptr); }

  std::vector<std::string> Lines(const TMetrics& metrics) const {
    std::vector<std::string> lines;
    for (size_t i = 0; i < metrics.GetRecords().GetCount(); ++i) {
      lines.push_back(metrics.GetRecords().Get(i).GetLine().CStr());
    }
    return lines;
  }
  std::string GlobalText(const char* name) { return Prefs().GetValue(name, "", TPrefs::kGlobalSection).CStr(); }
  void SetGlobal(const char* name, const char* value) { Prefs().SetValue(name, value, TPrefs::kGlobalSection, false); }
  std::string MetricsFile() const { return ReadWholeFile(files.UserPath("metrics.txt")); }

  FakeClock clock;
};

// Marks of total play.

TEST_F(MetricsTest, ANewInstallationRecordsNothingUntilFifteenMinutesArePassed) {
  TMetrics metrics;
  clock.Advance(15 * kMetricsMinute);
  metrics.Tick();
  EXPECT_EQ(metrics.GetRecords().GetCount(), 0u) << "exactly 15 minutes is not past the mark";
  EXPECT_EQ(GlobalText("Min15ProcessMetricAdded"), "");
  clock.Advance(1);
  metrics.Tick();
  metrics.Tick();
  ASSERT_EQ(metrics.GetRecords().GetCount(), 1u);
  EXPECT_EQ(metrics.GetRecords().Get(0).GetName(), "Progress-15");
  EXPECT_EQ(GlobalText("Min15ProcessMetricAdded"), "1");
  EXPECT_EQ(TPrefs(false).GetInt("Min15ProcessMetricAdded", 0, TPrefs::kGlobalSection), 1) << "saved at once";
}

TEST_F(MetricsTest, ThirtyMinutesAfterFifteenOfAnEarlierSessionRecordsOnlyTheThirty) {
  SetGlobal("TotalGamePlayTime", "1200000");
  SetGlobal("Min15ProcessMetricAdded", "1");
  TMetrics metrics;
  clock.Advance(10 * kMetricsMinute + 1);
  metrics.Tick();
  ASSERT_EQ(metrics.GetRecords().GetCount(), 1u);
  EXPECT_EQ(metrics.GetRecords().Get(0).GetName(), "Progress-30");
}

TEST_F(MetricsTest, EachMarkIsRecordedOncePerInstallationAcrossRestarts) {
  SetGlobal("TotalGamePlayTime", "1860000");  // 31 minutes
  {
    TMetrics first;
    first.Tick();
    EXPECT_EQ(first.GetRecords().GetCount(), 2u) << "15 and 30 in one pass";
    EXPECT_EQ(first.GetRecords().Get(0).GetName(), "Progress-15");
    EXPECT_EQ(first.GetRecords().Get(1).GetName(), "Progress-30");
  }
  TMetrics second;
  clock.Advance(15 * kMetricsMinute);
  second.Tick();
  ASSERT_EQ(second.GetRecords().GetCount(), 1u);
  EXPECT_EQ(second.GetRecords().Get(0).GetName(), "Progress-45");
  clock.Advance(60 * kMetricsMinute);
  second.Tick();
  EXPECT_EQ(second.GetRecords().GetCount(), 2u) << "59 is the last mark";
}

// Clocks.

TEST_F(MetricsTest, LevelsAndTheZenMenuAddToTheirModesSessionAndTotalClocks) {
  SetGlobal("TotalGamePlayTime", "100000");
  SetGlobal("TotalJourneyModeTime", "1000");
  SetGlobal("TotalZenModeTime", "2000");
  TMetrics metrics;
  metrics.StartLevel({2, 3}, false);
  clock.Advance(10000);
  metrics.EndLevel();
  clock.Advance(500);  // between screens: no mode
  metrics.StartLevel({0, 4}, false);
  clock.Advance(20000);
  metrics.EndLevel();
  metrics.EnterZenMenu();
  clock.Advance(5000);
  metrics.LeaveZenMenu();
  clock.Advance(700);
  EXPECT_EQ(metrics.GetSessionTime(), 36200u);
  EXPECT_EQ(metrics.GetTotalPlayTime(), 136200u);
  EXPECT_EQ(metrics.GetJourneySessionTime(), 10000u);
  EXPECT_EQ(metrics.GetTotalJourneyTime(), 11000u);
  EXPECT_EQ(metrics.GetZenSessionTime(), 25000u);
  EXPECT_EQ(metrics.GetTotalZenTime(), 27000u);
}

TEST_F(MetricsTest, LeavingTheZenMenuIntoALevelKeepsTheZenClocksRunning) {
  TMetrics metrics;
  metrics.EnterZenMenu();
  clock.Advance(1000);
  metrics.StartLevel({0, 1}, false);
  metrics.LeaveZenMenu();
  clock.Advance(2000);
  EXPECT_EQ(metrics.GetZenSessionTime(), 3000u);
  EXPECT_EQ(metrics.GetLevelTime(), 2000u);
}

TEST_F(MetricsTest, TheGlobalPauseOfTheGameClocksStopsOnlyTheLevelTime) {
  TMetrics metrics;
  TClockProxyRegistry& registry = TClockProxyRegistry::Instance();
  registry.AttachMetrics(&metrics);
  metrics.StartLevel({1, 1}, false);
  clock.Advance(300);
  registry.PauseAll();
  clock.Advance(5000);
  registry.ResumeAll();
  clock.Advance(200);
  EXPECT_EQ(metrics.GetLevelTime(), 500u);
  EXPECT_EQ(metrics.GetJourneySessionTime(), 5500u);
  EXPECT_EQ(metrics.GetSessionTime(), 5500u);
  EXPECT_EQ(metrics.GetTotalPlayTime(), 5500u);
  registry.DetachMetrics(&metrics);
}

TEST_F(MetricsTest, KeepModeRestartsTheLevelButLeavesTheModeClocksAndLevel) {
  TMetrics metrics;
  metrics.StartLevel({1, 2}, false);
  metrics.CountPowerUpClicked();
  clock.Advance(1000);
  metrics.StartLevel({0, 9}, true);
  clock.Advance(400);
  EXPECT_EQ(metrics.GetLevelTime(), 400u);
  EXPECT_EQ(metrics.GetLevelCount(TMetrics::kPowerUpsClicked), 0u) << "counters start afresh";
  EXPECT_EQ(metrics.GetJourneySessionTime(), 1400u);
  EXPECT_EQ(metrics.GetZenSessionTime(), 0u);
  ASSERT_NE(metrics.GetCurrentLevel(), nullptr);
  EXPECT_EQ(*metrics.GetCurrentLevel(), (TLevelKey{1, 2}));
}

// Records and their lines.

struct LevelRecordCase {
  TLevelKey level;
  bool failed;
  std::string line;
};

TEST_F(MetricsTest, LevelRecordsWriteTheLevelItsTimeOutcomeScoreAndCounters) {
  const std::vector<LevelRecordCase> cases = {
      {{3, 4}, false,
       "\"LevelCompleteJourney\", 24.12.2026, 09:05:03, \"03-04\", 2500, 0, 1234, 1, 2, 1, 1, 1, 1, 2, 1, 1, 0\n"},
      {{0, 7}, true, "\"LevelCompleteZen\", 24.12.2026, 09:05:03, \"07\", 2500, 1, 1234, 1, 2, 1, 1, 1, 1, 2, 1, 1, 0\n"},
      {{10, 5}, true,
       "\"LevelCompleteJourney\", 24.12.2026, 09:05:03, \"10-05\", 2500, 1, 1234, 1, 2, 1, 1, 1, 1, 2, 1, 1, 0\n"},
  };
  for (const LevelRecordCase& c : cases) {
    TMetrics metrics;
    metrics.StartLevel(c.level, false);
    metrics.OnScore(3, 0, 0, 0, 30, false);
    metrics.OnScore(2, 1, 0, 0, 20, false);
    metrics.OnScore(2, 2, 0, 0, 20, true);
    metrics.CountPowerUpTriggered();
    metrics.CountPowerUpClicked();
    metrics.CountLockShown();
    metrics.CountLockBroken();
    metrics.CountBlockerOrGearShown();
    metrics.CountBlockerOrGearShown();
    metrics.CountGearBroken();
    metrics.CountBlockerBroken();
    metrics.CountRingTurn();  // kept, but not written
    metrics.SetLevelScore(1234);
    clock.Advance(2500);
    if (c.failed) {
      metrics.AddLevelFailed();
    } else {
      metrics.AddLevelCompleted();
    }
    EXPECT_EQ(Lines(metrics), std::vector<std::string>{c.line});
    EXPECT_EQ(metrics.GetRecords().Get(0).GetFieldCount(), 14u);
    EXPECT_EQ(metrics.GetRingTurns(), 1u);
  }
}

TEST_F(MetricsTest, NoLevelRecordIsMadeWhileNoLevelIsCurrent) {
  TMetrics metrics;
  metrics.AddLevelCompleted();
  metrics.StartLevel({0, 2}, true);  // keep-mode sets no level
  metrics.AddLevelFailed();
  metrics.StartLevel({1, 1}, false);
  metrics.EndLevel();
  metrics.AddLevelFailed();
  EXPECT_EQ(metrics.GetRecords().GetCount(), 0u);
}

TEST_F(MetricsTest, TheProgressRecordWritesTheFurthestLevelsAndModeTotals) {
  SetGlobal("LatestJourneyWorldId", "2");
  SetGlobal("LatestJourneyLevelId", "5");
  SetGlobal("LatestZenLevel", "4");
  SetGlobal("TotalGamePlayTime", "899999");
  SetGlobal("TotalJourneyModeTime", "600000");
  SetGlobal("TotalZenModeTime", "7");
  TMetrics metrics;
  clock.Advance(2);
  metrics.Tick();
  EXPECT_EQ(Lines(metrics), std::vector<std::string>{"\"Progress-15\", 24.12.2026, 09:05:03, \"02-5\", 600000, \"04\", 7\n"});
}

TEST_F(MetricsTest, TheProgressRecordOfANewInstallationStartsAtTheFirstLevels) {
  SetGlobal("TotalGamePlayTime", "900001");
  TMetrics metrics;
  metrics.Tick();
  ASSERT_EQ(metrics.GetRecords().GetCount(), 1u);
  EXPECT_EQ(metrics.GetRecords().Get(0).GetFieldText(0), "\"01-1\"");
  EXPECT_EQ(metrics.GetRecords().Get(0).GetFieldText(2), "\"01\"");
  EXPECT_EQ(metrics.GetRecords().Get(0).GetFieldText(4), "") << "past the last field";
}

sys::LocalDateTime MetricsEarlyJanuary() { return {2027, 1, 2, 3, 4, 5, 6}; }

TEST_F(MetricsTest, TheLineCarriesTheLocalMomentTheRecordWasMade) {
  TMetrics metrics;
  metrics.StartLevel({0, 1}, false);
  metrics.AddLevelCompleted();
  sys::SetLocalTimeSource(MetricsEarlyJanuary);
  metrics.AddLevelCompleted();
  std::vector<std::string> lines = Lines(metrics);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].substr(0, 42), std::string("\"LevelCompleteZen\", ") + kMetricsMoment + ", ");
  EXPECT_EQ(lines[1].substr(0, 42), "\"LevelCompleteZen\", 02.01.2027, 03:04:05, ");
}

// Shut-down.

TEST_F(MetricsTest, ShutDownAppendsTheSessionAfterAnEarlierSessionsLines) {
  files.Write("user/metrics.txt", "\"SessionData\", 01.01.2026, 10:00:00, 0.9, 1, 0, 0, 0, 0\n");
  platform.versionString = "1.2.3.4";
  {
    TMetrics metrics;
    metrics.StartLevel({1, 3}, false);
    clock.Advance(4000);
    metrics.AddLevelCompleted();
    metrics.EndLevel();
    clock.Advance(1000);
  }
  EXPECT_EQ(MetricsFile(),
            "\"SessionData\", 01.01.2026, 10:00:00, 0.9, 1, 0, 0, 0, 0\n"
            "\"LevelCompleteJourney\", 24.12.2026, 09:05:03, \"01-03\", 4000, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\n"
            "\"SessionData\", 24.12.2026, 09:05:03, 1.2.3.4, 5000, 4000, 0, 0, 0\n");
}

TEST_F(MetricsTest, TheTotalsAreStoredUnsignedAndReadBackByTheNextRecorder) {
  SetGlobal("TotalGamePlayTime", "4294000000");
  SetGlobal("TotalJourneyModeTime", "2147483000");
  {
    TMetrics metrics;
    metrics.StartLevel({1, 1}, false);
    clock.Advance(1000);
  }
  EXPECT_EQ(GlobalText("TotalGamePlayTime"), "4294001000");
  EXPECT_EQ(GlobalText("TotalJourneyModeTime"), "2147484000") << "past 2^31, still positive";
  EXPECT_EQ(GlobalText("TotalZenModeTime"), "0");
  EXPECT_EQ(TPrefs(false).GetValue("TotalJourneyModeTime", "", TPrefs::kGlobalSection), "2147484000")
      << "saved at once";
  TMetrics next;
  EXPECT_EQ(next.GetTotalJourneyTime(), 2147484000u);
  EXPECT_EQ(next.GetTotalPlayTime(), 4294001000u);
}

TEST_F(MetricsTest, AStoredTotalThatIsNoTimeCountsFromZero) {
  for (const char* text : {"-5", "12ab", "99999999999", " 7"}) {
    SetGlobal("TotalZenModeTime", text);
    TMetrics metrics;
    EXPECT_EQ(metrics.GetTotalZenTime(), 0u) << text;
  }
  EXPECT_EQ(LogLinesWith("The preference TotalZenModeTime is not a time"), 4u);
}

TEST_F(MetricsTest, AMetricsFileThatCannotBeOpenedLosesTheLinesAndNothingElse) {
  files.Write("user/metrics.txt/blocker", "a folder where the file should be");
  {
    TMetrics metrics;
    clock.Advance(3000);
  }
  EXPECT_EQ(LogLinesWith("Cannot open user:metrics.txt to add the records"), 1u);
  EXPECT_EQ(GlobalText("TotalGamePlayTime"), "3000");
}

// The recorder is told of scores as an observer.
TEST_F(MetricsTest, ScoreEventsCountLargeMatchesAndCombos) {
  TMetrics metrics;
  IScoringObserver& observer = metrics;
  observer.OnScore(2, 0, 1, 1, 10, false);
  observer.OnScore(4, 0, 1, 1, 10, false);
  observer.OnScore(2, 3, 1, 1, 10, true);
  EXPECT_EQ(metrics.GetLevelCount(TMetrics::kLargeScores), 1u);
  EXPECT_EQ(metrics.GetLevelCount(TMetrics::kCombos), 1u);
  EXPECT_FALSE(observer.IsBusy());
}

}  // namespace
}  // namespace GamePlay
