#include "game/gui/progress/TMetrics.h"

namespace GamePlay {

TMetrics::TMetrics() { mLevelClock.Reset(); }

void TMetrics::PauseClock() { mLevelClock.Pause(); }

void TMetrics::ResumeClock() { mLevelClock.Start(); }

}  // namespace GamePlay
