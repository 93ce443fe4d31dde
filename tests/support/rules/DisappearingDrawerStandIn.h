#pragma once

#include <memory>

#include "game/rules/pieces/TPiecePtr.h"
#include "platform/time/TClock.h"
#include "tests/support/rules/NullPieceViews.h"

// Plays the part of the presentation's disappearing-piece drawer: drawn after
// its duration has passed, it marks its piece finished, as a drawer does once
// its animation is over.
class DisappearingDrawerStandIn final : public NullPieceView {
 public:
  static constexpr uint32_t kDuration = 440;  // the longest ordinary drawer

  explicit DisappearingDrawerStandIn(const GamePlay::TPiecePtr& piece);

  void DrawInPlace() override;

 private:
  std::weak_ptr<GamePlay::IPiece> mPiece;  // the piece holds its view
  TClock mClock;
};
