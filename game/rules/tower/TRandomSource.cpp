#include "game/rules/tower/TRandomSource.h"

namespace GamePlay {

int32_t TRandomSource::NextBelow(int32_t bound) {
  if (bound <= 1) return 0;
  return static_cast<int32_t>(mEngine() % static_cast<uint32_t>(bound));
}

}  // namespace GamePlay
