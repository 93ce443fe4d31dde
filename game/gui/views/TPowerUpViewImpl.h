#pragma once

#include <memory>

#include "game/gui/effects/IGraphic.h"
#include "game/gui/views/TShownCounter.h"
#include "game/rules/control/IClockProxy.h"
#include "game/rules/pieces/TPiecePtr.h"
#include "game/rules/powerups/IPowerUpView.h"

namespace GUI {

// A power-up drawn on the piece that carries it: its picture at the piece,
// and on request its glow, pulsing twice a second on a game clock. A gear is
// counted as shown in the level's metrics the first time it is drawn.
class TPowerUpViewImpl final : public GamePlay::IPowerUpView {
 public:
  // Either picture may be empty (the time bomb has none), and then is not
  // drawn.
  TPowerUpViewImpl(const GamePlay::TPowerUpPtr& powerUp, std::shared_ptr<IGraphic> graphic,
                   std::shared_ptr<IGraphic> glow);

  void Draw(bool glow, int32_t ring, const TVec2& pos, float alpha, float scaleX, float scaleY,
            float rotation) override;

 private:
  // 1 at the start of each pulse, 0 halfway through.
  float PulseValue();

  bool mIsGear;
  std::shared_ptr<IGraphic> mGraphic;
  std::shared_ptr<IGraphic> mGlow;
  std::unique_ptr<GamePlay::IClockProxy> mPulseClock;
  TShownCounter mShown;
};

}  // namespace GUI
