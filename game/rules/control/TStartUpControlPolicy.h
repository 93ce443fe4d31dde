#pragma once

#include <cstdint>
#include <memory>

#include "game/rules/control/IClockProxy.h"
#include "game/rules/control/ITowerControlPolicy.h"

namespace GamePlay {

class IRateController;
class ITowerControl;

// The level's start: it holds the start-up lock from its making, so that
// nothing else is delivered and no input is taken. Delivering from the top,
// it frees the lock after the start delay and lets the add-ring policy fill
// the tower. Delivering from the bottom, it pushes the generator's rings in
// one by one after the start delay, each once the previous one has settled,
// and frees the lock when the last has. Either way it ends by clearing the
// placeholders of the start-up layout from the tower.
class TStartUpControlPolicy final : public ITowerControlPolicy {
 public:
  static constexpr uint32_t kStartDelay = 2500;  // ms

  // control and rateSource (the add-ring policy's delivery rate): not owned,
  // outlive the policy. Takes the start-up lock.
  TStartUpControlPolicy(ITowerControl* control, IRateController* rateSource, bool deliveryFromTop);

  void Update() override;
  bool IsActive() const { return mActive; }

 private:
  void UpdateFromTop();
  void UpdateFromBottom();
  // Some piece in the tower is falling, moving or rising.
  bool HasPassingPieces();
  void Finish();
  void ClearPlaceholders();

  ITowerControl* mControl;
  bool mActive = true;
  uint32_t mRingsToGo;
  bool mDeliveryFromTop;
  IRateController* mRateSource;
  std::unique_ptr<IClockProxy> mClock;
};

}  // namespace GamePlay
