#pragma once

namespace GamePlay {

// The game's record of how a level is played. The rules count into it as
// things happen, and the global pause of the game clocks holds its clock
// too.
class IMetricsRecorder {
 public:
  virtual ~IMetricsRecorder() = default;

  virtual void PauseClock() = 0;
  virtual void ResumeClock() = 0;
  // A ring turn was completed.
  virtual void CountRingTurn() = 0;
  // A power-up piece arrived in the tower.
  virtual void CountPowerUpTriggered() = 0;
  // The player set a power-up off by clicking it.
  virtual void CountPowerUpClicked() = 0;
  virtual void CountBlockerBroken() = 0;
  virtual void CountLockBroken() = 0;
  virtual void CountGearBroken() = 0;
  // A blocker or a gear was drawn for the first time.
  virtual void CountBlockerOrGearShown() = 0;
  // A lock was drawn for the first time.
  virtual void CountLockShown() = 0;
};

}  // namespace GamePlay
