#pragma once

#include <memory>

#include "game/rules/pieces/TPieceBase.h"
#include "platform/time/TClock.h"

namespace GamePlay {

class IMetricsRecorder;
class ISoundFactoryView;

// A piece that is a power-up on its own. It never matches; the player sets it
// off by clicking it, and it reports triggered once marked so. The sound view
// and the metrics may be null.
class TPowerUpPiece final : public TPieceBase {
 public:
  TPowerUpPiece(int32_t colour, ISoundFactoryView* sound, IMetricsRecorder* metrics)
      : mColour(colour), mSound(sound), mMetrics(metrics) {}

  // Loses its colour, then sets its power-up off.
  void OnRemoved(int32_t ring, int32_t slot, ITowerModel* tower) override;
  int32_t GetColour() override { return mColour; }
  bool IsTriggered() override { return mTriggered; }
  TPowerUpPtr GetPowerUp() override { return mPowerUp; }
  void ClearPowerUp(TPowerUpPtr powerUp) override { mPowerUp = std::move(powerUp); }

  void SetTriggered(bool triggered) { mTriggered = triggered; }
  // Runs a fresh timer for the piece's arrival, with its sound, and counts it.
  void StartTimer();
  // Null until started.
  TClock* GetClock() const { return mTimer.get(); }
  void ResetClock() { mTimer.reset(); }

 private:
  TPowerUpPtr mPowerUp;
  bool mTriggered = false;
  int32_t mColour;
  std::unique_ptr<TClock> mTimer;
  ISoundFactoryView* mSound;
  IMetricsRecorder* mMetrics;
};

}  // namespace GamePlay
