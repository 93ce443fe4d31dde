#pragma once

#include "game/rules/pieces/TPieceBase.h"

namespace GamePlay {

class IMetricsRecorder;
class ISoundFactoryView;

// A blocker, around a coloured piece or around nothing. Hits wear a breakable
// blocker down; once worn through it is spent, and only then settled. The
// sound view and the metrics may be null.
class TBlockedPiece final : public TDecoratorPiece {
 public:
  TBlockedPiece(TPiecePtr inner, bool breakable, ISoundFactoryView* sound,
                IMetricsRecorder* metrics)
      : TDecoratorPiece(std::move(inner)),
        mBreakable(breakable),
        mSound(sound),
        mMetrics(metrics) {}

  bool Matches(IPiece& other) override { return InnerMatches(other); }
  bool IsSettled() override { return IsSpent(); }
  bool IsTriggered() override { return IsSpent(); }

  // Wears a breakable blocker by amount, with the sound of a crack or of the
  // final break, which the metrics count.
  void Hit(float amount);
  bool IsBreakable() const { return mBreakable; }
  // 0 whole, 1 or more broken.
  float GetProgress() const { return mProgress; }

 private:
  bool IsSpent() const { return mBreakable && mProgress >= 1.0f; }

  float mProgress = 0;
  bool mBreakable;
  ISoundFactoryView* mSound;
  IMetricsRecorder* mMetrics;
};

}  // namespace GamePlay
