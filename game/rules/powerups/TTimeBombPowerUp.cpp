#include "game/rules/powerups/TTimeBombPowerUp.h"

#include "game/rules/control/ISoundFactoryView.h"
#include "game/rules/control/ITimeController.h"
#include "game/rules/tower/ITowerModel.h"

namespace GamePlay {

void TTimeBombPowerUp::Activate(int32_t, int32_t, ITowerModel* model, TPowerUpPtr) {
  ActOnce([&] {
    if (mTimer) mTimer->AddTime(-mAmount);
    if (ISoundFactoryView* sound = model->GetSoundView()) sound->PlayTimeBomb();
  });
}

}  // namespace GamePlay
