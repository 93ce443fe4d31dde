#pragma once

#include <cstdint>
#include <memory>

#include "platform/types/TVec2.h"

namespace GamePlay {

// How a power-up is drawn on the piece that carries it.
class IPowerUpView : public std::enable_shared_from_this<IPowerUpView> {
 public:
  virtual ~IPowerUpView() = default;
  // ring is the ring of the carrying piece.
  virtual void Draw(bool glow, int32_t ring, const TVec2& pos, float alpha, float scaleX,
                    float scaleY, float rotation) = 0;
};

}  // namespace GamePlay
