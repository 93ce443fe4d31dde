#include "game/rules/pieces/TBlockedPiece.h"

#include "game/gui/TGameApp.h"
#include "game/rules/control/ISoundFactoryView.h"

namespace GamePlay {

void TBlockedPiece::Hit(float amount) {
  if (!mBreakable) return;
  mProgress += amount;
  if (amount <= 0) return;
  if (IsSpent()) {
    if (mSound) mSound->PlayBlockerBroken();
    if (TMetrics* metrics = TGameApp::Instance().GetMetrics()) metrics->CountBlockerBroken();
  } else if (mSound) {
    mSound->PlayBlockerBreak();
  }
}

}  // namespace GamePlay
