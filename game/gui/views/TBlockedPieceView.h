#pragma once

#include "game/gui/effects/IGraphic.h"
#include "game/gui/views/TCellPieceView.h"
#include "game/gui/views/TShownCounter.h"

namespace GUI {

// A blocker: its own picture when it holds no coloured piece, else the
// piece inside drawn by that piece's view; over either the cracks, more of
// them the further the blocker is worn down. The first draw counts the
// blocker as shown in the level's metrics.
class TBlockedPieceView final : public TCellPieceView {
 public:
  // base may be empty (a blocker around a coloured piece has none).
  TBlockedPieceView(std::shared_ptr<IGraphic> base, std::shared_ptr<IGraphic> cracks,
                    const GamePlay::TPiecePtr& piece, GamePlay::ITowerView* towerView);

  void Draw(const TVec2& pos, float alpha, float scaleX, float scaleY, float rotation) override;

 private:
  std::shared_ptr<IGraphic> mBase;
  std::shared_ptr<IGraphic> mCracks;
  TShownCounter mShown;
};

}  // namespace GUI
