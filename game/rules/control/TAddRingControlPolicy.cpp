#include "game/rules/control/TAddRingControlPolicy.h"

#include "game/rules/scoring/IScoringModel.h"
#include "game/rules/control/ITowerControl.h"
#include "game/rules/tower/ITowerModel.h"
#include "game/rules/control/TInputLocks.h"

namespace GamePlay {

TAddRingControlPolicy::TAddRingControlPolicy(ITowerControl* control, IScoringModel* scoring,
                                             float initialRate, float finalRate,
                                             bool deliveryFromTop, uint32_t threshold)
    : mControl(control), mDeliveryMode(deliveryFromTop ? kDeliverFromTop : kDeliverFromBottom) {
  auto timed = std::make_unique<TTimerRingDelivery>(this, scoring, initialRate, finalRate);
  mRateSource = timed.get();
  mDeliveries.push_back(std::move(timed));
  mDeliveries.push_back(std::make_unique<TForceRingDelivery>(this, threshold));
}

TAddRingControlPolicy::~TAddRingControlPolicy() = default;

void TAddRingControlPolicy::Update() {
  for (auto& delivery : mDeliveries) delivery->Update();
  if (mControl->GetInputLocks()->IsAnyLocked()) return;
  for (auto& delivery : mDeliveries) delivery->DeliverIfDue();
}

float TAddRingControlPolicy::GetRate() { return mRateSource->GetRate(); }

void TAddRingControlPolicy::Deliver() { mControl->GetModel()->StepAllColumns(mDeliveryMode); }

TTimerRingDelivery::TTimerRingDelivery(TAddRingControlPolicy* owner, IScoringModel* fillSource,
                                       float initialRate, float finalRate)
    : mInitialRate(initialRate), mFinalRate(finalRate), mFillSource(fillSource), mOwner(owner) {
  ITowerModel& tower = *owner->GetControl()->GetModel();
  uint32_t rings = tower.GetRingCount();
  mRampEnd = rings == 0
                 ? 0.0f
                 : static_cast<float>(tower.GetGeneratorRingCount()) / static_cast<float>(rings);
}

// Without a ramp (a tower without rings) the rate is the initial rate.
float TTimerRingDelivery::CurrentRate() {
  if (mOwner->GetControl()->GetInputLocks()->IsLocked(TInputLock::StartUpDelivery)) return 0;
  float fill = mFillSource->GetFillFraction();
  if (fill > mRampEnd || mRampEnd <= 0) return mInitialRate;
  return (mInitialRate - mFinalRate) / mRampEnd * fill + mFinalRate;
}

void TTimerRingDelivery::DeliverIfDue() {
  if (mProgress < 1.0f) return;
  mOwner->Deliver();
  mProgress = 0;
}

// Signed: the ring count minus the threshold may be below 0.
void TForceRingDelivery::DeliverIfDue() {
  ITowerModel& tower = *mOwner->GetControl()->GetModel();
  int64_t top = tower.GetTopOccupiedRing();
  if (top > static_cast<int64_t>(tower.GetRingCount()) - mThreshold) mOwner->Deliver();
}

}  // namespace GamePlay
