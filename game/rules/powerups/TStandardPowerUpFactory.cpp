#include "game/rules/powerups/TStandardPowerUpFactory.h"

#include "game/rules/powerups/IPowerUpViewFactory.h"
#include "game/rules/powerups/TBigAreaBombPowerUp.h"
#include "game/rules/powerups/TChangeColorPowerUp.h"
#include "game/rules/powerups/TColorBombPowerUp.h"
#include "game/rules/powerups/TLinkPowerUps.h"
#include "game/rules/powerups/TTimeBombPowerUp.h"

namespace GamePlay {

namespace {

TPowerUpPtr SmallCrossBomb() {
  return std::make_shared<TBigAreaBombPowerUp>(1, 1, true, true, false);
}

}  // namespace

TStandardPowerUpFactory::TStandardPowerUpFactory(IPowerUpViewFactory* views,
                                                 int32_t areaBombHeight, int32_t areaBombWidth,
                                                 float timeBombRate)
    : mViews(views),
      mAreaBombHeight(areaBombHeight),
      mAreaBombWidth(areaBombWidth),
      mTimeBombRate(timeBombRate) {}

TPowerUpPtr TStandardPowerUpFactory::CreatePowerUp(int32_t code) {
  TPowerUpPtr powerUp = Make(code);
  return powerUp ? WithView(std::move(powerUp)) : nullptr;
}

TPowerUpPtr TStandardPowerUpFactory::CreateLock() {
  return WithView(std::make_shared<TLockPowerUp>());
}

TPowerUpPtr TStandardPowerUpFactory::CreateGear() {
  return WithView(std::make_shared<TGearPowerUp>());
}

TPowerUpPtr TStandardPowerUpFactory::Make(int32_t code) {
  switch (code) {
    case kLockBreaker: return std::make_shared<TLockBreakerPowerUp>();
    case kGearBreaker: return std::make_shared<TGearBreakerPowerUp>();
    case kTimeBomb:
      if (!mTimer) return SmallCrossBomb();
      return std::make_shared<TTimeBombPowerUp>(mTimer, mTimeBombRate);
    case kRingBomb: return std::make_shared<TBigAreaBombPowerUp>(0, 6, false, false, true);
    case kSmallCrossBomb: return SmallCrossBomb();
    case kAreaBomb:
      // The tuning values were set with the width as the first extent.
      return std::make_shared<TBigAreaBombPowerUp>(mAreaBombWidth, mAreaBombHeight, false, false,
                                                   false);
    case kColourBomb: return std::make_shared<TColorBombPowerUp>();
    case kChangeColour: return std::make_shared<TChangeColorPowerUp>();
    default: return nullptr;
  }
}

// The power-up keeps its view weakly; the view factory holds it.
TPowerUpPtr TStandardPowerUpFactory::WithView(TPowerUpPtr powerUp) {
  powerUp->SetView(mViews->CreatePowerUpView(powerUp));
  return powerUp;
}

}  // namespace GamePlay
