#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "game/rules/tower/IPieceDeliveryPolicy.h"
#include "game/rules/control/IRateController.h"
#include "game/rules/control/ITowerControlPolicy.h"

namespace GamePlay {

class IScoringModel;
class ITowerControl;

// Delivers new rings of pieces during play: a ring every time the timed
// delivery's progress is full, and a ring whenever the tower has emptied
// down to the level's threshold. Nothing is delivered while any input lock
// is held; progress goes on building meanwhile. Its rate is the timed
// delivery's progress, which the presentation shows.
class TAddRingControlPolicy final : public ITowerControlPolicy, public IRateController {
 public:
  // control and scoring: not owned, outlive the policy. The rates are the
  // timed delivery's progress per update on a full and on an empty tower.
  // threshold: see TForceRingDelivery.
  TAddRingControlPolicy(ITowerControl* control, IScoringModel* scoring, float initialRate,
                        float finalRate, bool deliveryFromTop, uint32_t threshold);
  ~TAddRingControlPolicy() override;
  TAddRingControlPolicy(const TAddRingControlPolicy&) = delete;
  TAddRingControlPolicy& operator=(const TAddRingControlPolicy&) = delete;

  void Update() override;
  float GetRate() override;
  // Delivery takes no time from outside.
  void AddTime(float) override {}

  // One new piece into every column that can take one.
  void Deliver();
  ITowerControl* GetControl() const { return mControl; }

 private:
  ITowerControl* mControl;
  std::vector<std::unique_ptr<IPieceDeliveryPolicy>> mDeliveries;
  IRateController* mRateSource;  // the timed delivery, one of mDeliveries
  int32_t mDeliveryMode;
};

// A ring each time its progress reaches 1. Progress grows by the rate each
// update, nothing while the level starts up. The rate ramps from the final
// rate on an empty tower to the initial rate once the tower is filled as
// far as the generator's rings reach, and stays there beyond.
class TTimerRingDelivery final : public IPieceDeliveryPolicy, public IRateController {
 public:
  // owner and fillSource: not owned, outlive the delivery.
  TTimerRingDelivery(TAddRingControlPolicy* owner, IScoringModel* fillSource, float initialRate,
                     float finalRate);

  void Update() override { mProgress += CurrentRate(); }
  void DeliverIfDue() override;
  // The progress towards the next ring, 0 to 1.
  float GetRate() override { return mProgress; }
  void AddTime(float) override {}

  float CurrentRate();

 private:
  float mProgress = 0;
  float mInitialRate;
  float mFinalRate;
  float mRampEnd;  // the fill up to which the rate ramps
  IScoringModel* mFillSource;
  TAddRingControlPolicy* mOwner;
};

// A ring whenever the topmost ring holding a settled piece is below the ring
// count minus the threshold. A threshold of the ring count delivers whenever
// ring 0 is clear; a threshold of 0 only when the whole tower is empty and
// has fewer rings than a ring has slots.
class TForceRingDelivery final : public IPieceDeliveryPolicy {
 public:
  // owner: not owned, outlives the delivery.
  TForceRingDelivery(TAddRingControlPolicy* owner, uint32_t threshold)
      : mOwner(owner), mThreshold(threshold) {}

  void Update() override {}
  void DeliverIfDue() override;

 private:
  TAddRingControlPolicy* mOwner;
  uint32_t mThreshold;
};

}  // namespace GamePlay
