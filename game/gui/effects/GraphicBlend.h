#pragma once

#include <cstdint>

#include "platform/TPlatform.h"

namespace GUI {

// The display's blend mode for a graphic's: 0 normal, the graphic's two
// special modes as the display's 2 and 3; -1 leaves the display's mode.
int32_t DisplayBlendMode(int32_t graphicMode);

// Draws in the graphic's blend mode and leaves the display in the normal
// mode afterwards. Nothing is drawn without a platform.
template <class Draw>
void DrawInBlendMode(int32_t graphicMode, Draw draw) {
  TPlatform* platform = TPlatform::Instance();
  if (!platform) return;
  if (const int32_t mode = DisplayBlendMode(graphicMode); mode >= 0) platform->SetBlendMode(mode);
  draw(*platform);
  platform->SetBlendMode(0);
}

}  // namespace GUI
