#pragma once

#include "game/rules/scoring/IMetricsRecorder.h"

namespace GUI {

// Counts a blocker, gear or lock into the level's metrics the first time its
// view draws it, however often it is drawn after.
class TShownCounter {
 public:
  using Count = void (GamePlay::IMetricsRecorder::*)();

  // count: the recorder's count of what the view shows.
  explicit TShownCounter(Count count = &GamePlay::IMetricsRecorder::CountBlockerOrGearShown)
      : mCount(count) {}

  void CountOnce();

 private:
  Count mCount;
  bool mCounted = false;
};

}  // namespace GUI
