#include "game/gui/effects/GraphicBlend.h"

namespace GUI {

int32_t DisplayBlendMode(int32_t graphicMode) {
  switch (graphicMode) {
    case 0:
      return 0;
    case 1:
      return 2;
    case 2:
      return 3;
    default:
      return -1;
  }
}

}  // namespace GUI
