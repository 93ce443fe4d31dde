#pragma once

#include <memory>

#include "game/gui/effects/IGraphic.h"
#include "game/gui/views/TShownCounter.h"
#include "game/rules/control/IClockProxy.h"
#include "game/rules/pieces/TPiecePtr.h"
#include "game/rules/powerups/IPowerUpView.h"
#include "platform/time/TClock.h"

namespace GamePlay {
class ITowerView;
}

namespace GUI {

// A power-up drawn on the piece that carries it: its picture at the piece,
// and on request its glow, pulsing twice a second on a game clock. A gear
// turns four times as fast as its ring, a little nearer the tower's centre;
// a lock cross-fades through its three frames at the level's piece
// animation speed. Gears and locks are counted as shown in the level's
// metrics the first time they are drawn.
class TPowerUpViewImpl final : public GamePlay::IPowerUpView {
 public:
  // Either picture may be empty (the time bomb has none), and then is not
  // drawn. towerView tells a gear how its ring is turned and where the
  // centre is; without one a gear stands still at the piece.
  TPowerUpViewImpl(const GamePlay::TPowerUpPtr& powerUp, std::shared_ptr<IGraphic> graphic,
                   std::shared_ptr<IGraphic> glow, GamePlay::ITowerView* towerView,
                   float animationSpeed);

  void Draw(bool glow, int32_t ring, const TVec2& pos, float alpha, float scaleX, float scaleY,
            float rotation) override;

 private:
  enum class TKind { Other, Gear, Lock };

  // 1 at the start of each pulse, 0 halfway through.
  float PulseValue();
  // Animation steps since the last: 20 a second.
  float TakeFrameStep();
  void DrawLockFrames(const TVec2& pos, float alpha, float scaleX, float scaleY, float rotation);

  TKind mKind;
  std::shared_ptr<IGraphic> mGraphic;
  std::shared_ptr<IGraphic> mGlow;
  std::unique_ptr<GamePlay::IClockProxy> mPulseClock;
  TClock mFrameClock;
  float mLockPhase;
  float mAnimationSpeed;
  GamePlay::ITowerView* mTowerView;
  TShownCounter mShown;
};

}  // namespace GUI
