#pragma once

#include <cstdint>

#include "game/rules/powerups/IPowerUpFactory.h"

namespace GamePlay {

class IPowerUpViewFactory;
class ITimeController;
class ITowerView;

// The power-up factory of a level: makes each power-up with the level's
// values and gives it its view.
class TStandardPowerUpFactory final : public IPowerUpFactory {
 public:
  TStandardPowerUpFactory(IPowerUpViewFactory* views, int32_t areaBombHeight,
                          int32_t areaBombWidth, float timeBombRate);

  TPowerUpPtr CreatePowerUp(int32_t code) override;
  TPowerUpPtr CreateLock() override;
  TPowerUpPtr CreateGear() override;
  TPowerUpPtr CreateNone() override { return nullptr; }

  // Levels with a timer have one; without it a time bomb is made as a small
  // cross bomb.
  void SetTimeController(ITimeController* timer) { mTimer = timer; }
  void SetTowerView(ITowerView* view) { mTowerView = view; }
  ITowerView* GetTowerView() const { return mTowerView; }

 private:
  TPowerUpPtr Make(int32_t code);
  TPowerUpPtr WithView(TPowerUpPtr powerUp);

  IPowerUpViewFactory* mViews;
  int32_t mAreaBombHeight;
  int32_t mAreaBombWidth;
  ITimeController* mTimer = nullptr;
  ITowerView* mTowerView = nullptr;
  float mTimeBombRate;
};

}  // namespace GamePlay
