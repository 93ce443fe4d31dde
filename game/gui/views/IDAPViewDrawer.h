#pragma once

#include <cstdint>

#include "platform/types/TVec2.h"

namespace GamePlay {
class TDisappearingPiece;
}

namespace GUI {

// One short animation of a piece that vanishes, drawn frame by frame until
// it is finished.
class IDAPViewDrawer {
 public:
  virtual ~IDAPViewDrawer() = default;

  virtual void Draw(GamePlay::TDisappearingPiece& piece, const TVec2& pos, float alpha,
                    float scaleX, float scaleY, float rotation) = 0;
  // The cell the vanishing piece stands in.
  virtual void SetCell(int32_t ring, int32_t slot) = 0;
  virtual bool IsFinished() = 0;
};

}  // namespace GUI
