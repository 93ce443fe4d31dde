#include "game/rules/TTimeBombPowerUp.h"

#include "game/rules/ISoundFactoryView.h"
#include "game/rules/ITimeController.h"
#include "game/rules/ITowerModel.h"

namespace GamePlay {

void TTimeBombPowerUp::Activate(int32_t, int32_t, ITowerModel* model, TPowerUpPtr) {
  ActOnce([&] {
    if (mTimer) mTimer->AddTime(-mAmount);
    if (ISoundFactoryView* sound = model->GetSoundView()) sound->PlayTimeBomb();
  });
}

}  // namespace GamePlay
