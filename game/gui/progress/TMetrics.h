#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>

#include "game/gui/progress/TMetricDataMgr.h"
#include "game/rules/level/TLevelKey.h"
#include "game/rules/scoring/IMetricsRecorder.h"
#include "game/rules/scoring/IScoringObserver.h"
#include "platform/time/TClock.h"

namespace GamePlay {

// Records how the game is played: the play time of the session and of the
// installation, in all and per mode, and per level its time, its outcome
// and a row of counters. The records go to "user:metrics.txt" when the
// recorder is deleted, and the total times to the global preferences.
//
// The application object owns it from the end of its Init to its Shutdown.
// Whoever reports to it asks the application object for it each time, as it
// is gone before the windows are.
class TMetrics final : public IMetricsRecorder, public IScoringObserver {
 public:
  // The counters of the current level, zeroed when a level starts, in the
  // order the level record writes them.
  enum LevelCount : size_t {
    kLargeScores,  // matches of three pieces or more
    kCombos,
    kPowerUpsTriggered,
    kPowerUpsClicked,
    kLocksShown,
    kLocksBroken,
    kGearsAndBlockersShown,
    kGearsBroken,
    kBlockersBroken,
    kUnusedCount,  // written as it stands: nothing raises it
    kLevelCountCount
  };
  // Minutes of total play at which the furthest levels are recorded, each
  // once per installation.
  static constexpr std::array<int32_t, 4> kMarks{15, 30, 45, 59};
  static constexpr char kFileName[] = "user:metrics.txt";

  // Starts the session and reads the totals and the marks made.
  TMetrics();
  // Adds the session record, appends every record to the file and stores
  // the totals.
  ~TMetrics() override;
  TMetrics(const TMetrics&) = delete;
  TMetrics& operator=(const TMetrics&) = delete;

  // Called by the game main for every event: records each mark of total
  // play passed.
  void Tick();
  // How many events the game main reported.
  uint32_t GetTicks() const { return mTicks; }

  // A level is set up; in keep-mode the mode clocks and the current level
  // stay as they were.
  void StartLevel(const TLevelKey& level, bool keepMode);
  void EndLevel();
  // Records of the current level's end; nothing while no level is current.
  void AddLevelCompleted() { AddLevelRecord(false); }
  void AddLevelFailed() { AddLevelRecord(true); }
  // The Zen menu counts as Zen time.
  void EnterZenMenu();
  void LeaveZenMenu();

  // The level clock follows the global pause of the game clocks.
  void PauseClock() override { mLevelClock.Pause(); }
  void ResumeClock() override { mLevelClock.Start(); }

  void CountRingTurn() override { ++mRingTurns; }
  void CountPowerUpTriggered() override { Count(kPowerUpsTriggered); }
  void CountPowerUpClicked() override { Count(kPowerUpsClicked); }
  void CountBlockerBroken() override { Count(kBlockersBroken); }
  void CountLockBroken() override { Count(kLocksBroken); }
  void CountGearBroken() override { Count(kGearsBroken); }
  // The views count what they show the player for the first time.
  void CountLockShown() override { Count(kLocksShown); }
  void CountBlockerOrGearShown() override { Count(kGearsAndBlockersShown); }
  void SetLevelScore(int32_t score) { mLevelScore = score; }

  // Counts matches of three or more and matches in a run.
  void OnScore(int32_t size, int32_t combo, int32_t ring, int32_t slot, int32_t points, bool side) override;
  void OnLevelEnd() override {}
  bool IsBusy() override { return false; }

  // What the records read when they are made.
  uint32_t GetSessionTime() const { return mSessionClock.GetTime(); }
  uint32_t GetJourneySessionTime() const { return mJourneySessionClock.GetTime(); }
  uint32_t GetZenSessionTime() const { return mZenSessionClock.GetTime(); }
  uint32_t GetTotalPlayTime() const { return mTotalClock.GetTime(); }
  uint32_t GetTotalJourneyTime() const { return mTotalJourneyClock.GetTime(); }
  uint32_t GetTotalZenTime() const { return mTotalZenClock.GetTime(); }
  uint32_t GetLevelTime() const { return mLevelClock.GetTime(); }
  uint32_t GetRingTurns() const { return mRingTurns; }
  uint32_t GetLevelCount(LevelCount count) const { return mLevelCounts[count]; }
  int32_t GetLevelScore() const { return mLevelScore; }
  // Null while no level is being played.
  const TLevelKey* GetCurrentLevel() const { return mCurrentLevel.get(); }
  const TMetricDataMgr& GetRecords() const { return *mRecords; }

 private:
  void Count(LevelCount count) { ++mLevelCounts[count]; }
  void AddLevelRecord(bool failed);
  // The clocks of the mode of a level: Journey for a world, else Zen.
  void StartModeClocks(bool journey);
  void PauseModeClocks(bool journey);
  void StoreTotals();

  TClock mSessionClock;
  TClock mJourneySessionClock;
  TClock mZenSessionClock;
  TClock mTotalClock;
  TClock mTotalJourneyClock;
  TClock mTotalZenClock;
  TClock mLevelClock;
  std::map<int32_t, bool> mMarks;  // minutes to whether its record was made
  uint32_t mRingTurns = 0;
  std::array<uint32_t, kLevelCountCount> mLevelCounts{};
  int32_t mLevelScore = 0;
  std::unique_ptr<TLevelKey> mCurrentLevel;
  std::unique_ptr<TMetricDataMgr> mRecords;
  uint32_t mTicks = 0;
};

}  // namespace GamePlay
