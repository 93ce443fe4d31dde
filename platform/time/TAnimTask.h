#pragma once

#include <cstdint>

#include "platform/time/TTask.h"

class TClock;

// A task due at a time on a millisecond clock (game time unless it is given a
// clock of its own), optionally repeating with a period. Each due time runs
// Animate once; a catch-up task makes up for missed periods within one step,
// but a task more than a second late starts its cadence afresh from now.
// Times wrap at 2^32 and are ordered by their signed difference.
class TAnimTask : public TTask {
 public:
  explicit TAnimTask(TClock* clock = nullptr);

  // Frame pass: the ready flag. Timed pass: scheduled and due.
  bool IsReady(TTaskPass pass) override;
  bool Step() override;

  // Schedules the task delay ms after its previous due time (keeping the
  // cadence), or after now when restartFromNow is set or the task is stopped.
  // With repeat the delay is also the period; without it the task is one-shot.
  void Start(uint32_t delay, bool repeat, bool restartFromNow, bool catchUp);
  void Stop();
  void SetReady(bool ready);
  uint32_t GetNow() const;
  // Now less the due time; 0xFFFFFFFF while stopped.
  uint32_t GetTimeSinceDue() const;

 protected:
  // The work of one due time; false ends the task.
  virtual bool Animate() = 0;

 private:
  static constexpr int32_t kResyncLateness = 1000;

  bool IsBehind(uint32_t now) const;

  bool mReady = false;
  bool mStopped = false;
  uint32_t mDue;
  uint32_t mPeriod = 0;
  bool mRestartFromNow = false;
  bool mCatchUp = false;
  TClock* mClock;
};
