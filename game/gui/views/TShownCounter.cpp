#include "game/gui/views/TShownCounter.h"

#include "game/rules/control/TClockProxyRegistry.h"

namespace GUI {

// The level's metrics are the ones its model handed to the clock registry
// for as long as the model lives; without them nothing is counted.
void TShownCounter::CountOnce() {
  if (mCounted) return;
  mCounted = true;
  if (GamePlay::IMetricsRecorder* metrics =
          GamePlay::TClockProxyRegistry::Instance().GetMetrics()) {
    (metrics->*mCount)();
  }
}

}  // namespace GUI
