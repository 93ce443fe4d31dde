#include "game/gui/progress/TWorldData.h"

namespace GamePlay {

TWorldData& TWorldData::Instance() {
  static TWorldData worldData;
  return worldData;
}

}  // namespace GamePlay
