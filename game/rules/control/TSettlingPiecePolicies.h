#pragma once

#include "game/rules/pieces/IPiece.h"
#include "game/rules/control/IRateController.h"
#include "game/rules/control/ITowerControlPolicy.h"
#include "game/rules/pieces/PieceAs.h"
#include "game/rules/control/TInputLocks.h"

namespace GamePlay {

class ITowerControl;

// Moves the pieces of one passing kind (falling, moving, raising) on by a
// fixed step each update and puts back their inner pieces as they arrive.
// Its lock is held while any of them is underway. When they have all arrived
// after a fall that a match set off, the fall is over: unless something else
// still holds the tower, the match check runs again, so that a new match
// makes a combo.
class TSettlingPiecePolicy : public ITowerControlPolicy {
 public:
  void Update() final;

 protected:
  enum class TProgress { NotOfKind, Underway, Arrived };

  // control: not owned, outlives the policy.
  TSettlingPiecePolicy(ITowerControl* control, TInputLock lock) : mControl(control), mLock(lock) {}

  // One update's step of a piece of the policy's kind.
  virtual TProgress Advance(IPiece& piece) = 0;
  virtual void OnFallOver() {}

  // Steps a piece of kind TKind; reports any other piece as not of the kind.
  template <class TKind>
  static TProgress AdvanceAs(IPiece& piece, float step) {
    auto* passing = PieceAs<TKind>(&piece);
    if (!passing) return TProgress::NotOfKind;
    passing->Step(step);
    return passing->IsDone() ? TProgress::Arrived : TProgress::Underway;
  }

  ITowerControl* mControl;

 private:
  // True when every piece of the kind has arrived.
  bool AdvanceAll();
  void EndFall(TInputLocks& locks);

  TInputLock mLock;
};

// Pieces falling into cells that emptied.
class TFallingPieceControlPolicy final : public TSettlingPiecePolicy {
 public:
  static constexpr float kStep = 0.01f;

  explicit TFallingPieceControlPolicy(ITowerControl* control)
      : TSettlingPiecePolicy(control, TInputLock::Falling) {}

 protected:
  TProgress Advance(IPiece& piece) override;
};

// Pieces pushed on by a delivery.
class TMovingPieceControlPolicy final : public TSettlingPiecePolicy {
 public:
  static constexpr float kStep = 0.5f;

  explicit TMovingPieceControlPolicy(ITowerControl* control)
      : TSettlingPiecePolicy(control, TInputLock::Moving) {}

 protected:
  TProgress Advance(IPiece& piece) override;
};

// New pieces rising into the tower: slower while the level starts up. Its
// rate is how far the last of them has risen, 1 once a fall is over.
class TRaisingPieceControlPolicy final : public TSettlingPiecePolicy, public IRateController {
 public:
  static constexpr float kStep = 0.9f;
  static constexpr float kStartUpStep = 0.5f;

  explicit TRaisingPieceControlPolicy(ITowerControl* control)
      : TSettlingPiecePolicy(control, TInputLock::Raising) {}

  float GetRate() override { return mLastProgress; }
  // Raising takes no time from outside.
  void AddTime(float) override {}

 protected:
  TProgress Advance(IPiece& piece) override;
  void OnFallOver() override { mLastProgress = 1.0f; }

 private:
  float mLastProgress = 0;
};

}  // namespace GamePlay
