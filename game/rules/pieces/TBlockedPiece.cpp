#include "game/rules/pieces/TBlockedPiece.h"

#include "game/rules/control/ISoundFactoryView.h"
#include "game/rules/scoring/IMetricsRecorder.h"

namespace GamePlay {

void TBlockedPiece::Hit(float amount) {
  if (!mBreakable) return;
  mProgress += amount;
  if (amount <= 0) return;
  if (IsSpent()) {
    if (mSound) mSound->PlayBlockerBroken();
    if (mMetrics) mMetrics->CountBlockerBroken();
  } else if (mSound) {
    mSound->PlayBlockerBreak();
  }
}

}  // namespace GamePlay
