#pragma once

#include <cstdint>

#include "game/rules/level/TLevelKey.h"
#include "game/rules/scoring/IMetricsRecorder.h"
#include "platform/time/TClock.h"

namespace GamePlay {

// Records how the game is played. The rules count ring turns, power-ups and
// broken blockers, locks and gears into it, and the clock-proxy registry
// pauses its level clock together with the game clocks.
class TMetrics final : public IMetricsRecorder {
 public:
  TMetrics();

  // The level clock follows the global pause of the game clocks.
  void PauseClock() override;
  void ResumeClock() override;
  // Called by the game main for every event; the records it will keep are
  // not there yet, so it only counts the events.
  void Tick() { ++mTicks; }
  uint32_t GetTicks() const { return mTicks; }
  uint32_t GetLevelTime() const { return mLevelClock.GetTime(); }

  // The play window times each level from its set-up to its end, and a
  // level left by quitting counts as failed; the level records are not
  // kept yet, so these do nothing.
  void StartLevel(const TLevelKey&, bool) {}
  void EndLevel() {}
  void AddLevelFailed() {}

  void CountRingTurn() override { ++mRingTurns; }
  void CountPowerUpTriggered() override { ++mPowerUpsTriggered; }
  void CountPowerUpClicked() override { ++mPowerUpsClicked; }
  void CountBlockerBroken() override { ++mBlockersBroken; }
  void CountLockBroken() override { ++mLocksBroken; }
  void CountGearBroken() override { ++mGearsBroken; }

  uint32_t GetRingTurns() const { return mRingTurns; }
  uint32_t GetPowerUpsTriggered() const { return mPowerUpsTriggered; }
  uint32_t GetPowerUpsClicked() const { return mPowerUpsClicked; }
  uint32_t GetBlockersBroken() const { return mBlockersBroken; }
  uint32_t GetLocksBroken() const { return mLocksBroken; }
  uint32_t GetGearsBroken() const { return mGearsBroken; }

 private:
  TClock mLevelClock;
  uint32_t mRingTurns = 0;
  uint32_t mPowerUpsTriggered = 0;
  uint32_t mPowerUpsClicked = 0;
  uint32_t mBlockersBroken = 0;
  uint32_t mLocksBroken = 0;
  uint32_t mGearsBroken = 0;
  uint32_t mTicks = 0;
};

}  // namespace GamePlay
