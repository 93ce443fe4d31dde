#pragma once

#include <memory>

#include "game/gui/effects/IGraphic.h"
#include "game/gui/views/TCellPieceView.h"
#include "game/rules/control/IClockProxy.h"

namespace GUI {

// A blocker counting down: the coloured piece inside the blocker, the
// number it shows, and, once that is below 6, a white pulse that beats
// faster as the count runs out. The pulse runs on a game clock, so it
// stands still while the game is paused.
class TCounterPieceView final : public TCellPieceView {
 public:
  TCounterPieceView(std::shared_ptr<IGraphic> digits, std::shared_ptr<IGraphic> white,
                    const GamePlay::TPiecePtr& piece, GamePlay::ITowerView* towerView);

  void Draw(const TVec2& pos, float alpha, float scaleX, float scaleY, float rotation) override;

 private:
  std::shared_ptr<IGraphic> mDigits;
  std::shared_ptr<IGraphic> mWhite;
  std::unique_ptr<GamePlay::IClockProxy> mPulseClock;
};

}  // namespace GUI
