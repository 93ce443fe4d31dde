#include "game/gui/effects/TDeliverFlasher.h"

namespace GUI {

void TDeliverFlasher::Update(float) {
  if (mRateSource) mValue = mRateSource->GetRate();
}

}  // namespace GUI
