#include "game/gui/sound/TSoundEvent.h"

namespace GUI {

void TSoundCounter::OnEnd(const std::shared_ptr<TSound>&, int32_t, const std::shared_ptr<TSound>&, int32_t) {
  if (mEvent->playing > 0) --mEvent->playing;
}

}  // namespace GUI
