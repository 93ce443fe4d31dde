#pragma once

#include <memory>

#include "game/gui/effects/IGraphic.h"

namespace GUI {

// The registry hands out no graphic for a name it never knew; a view drawing
// such a graphic shows nothing in its place.
inline void DrawIfPresent(const std::shared_ptr<IGraphic>& graphic, const TVec2& position, float alpha,
                          float scale, float rotation) {
  if (graphic) graphic->Draw(position, alpha, scale, rotation);
}

}  // namespace GUI
