#include "game/rules/pieces/TPowerUpPiece.h"

#include "game/rules/control/ISoundFactoryView.h"
#include "game/rules/powerups/IPowerUp.h"
#include "game/rules/scoring/IMetricsRecorder.h"

namespace GamePlay {

void TPowerUpPiece::OnRemoved(int32_t ring, int32_t slot, ITowerModel* tower) {
  mColour = kNoColour;
  if (mPowerUp) mPowerUp->Activate(ring, slot, tower, mPowerUp);
}

void TPowerUpPiece::StartTimer() {
  mTimer = std::make_unique<TClock>();
  mTimer->Reset();
  mTimer->Start();
  if (mSound) mSound->PlayPowerUpCreation();
  if (mMetrics) mMetrics->CountPowerUpTriggered();
}

}  // namespace GamePlay
