#pragma once

#include <cstdint>

namespace GUI {

// The sounds a vanishing piece's animation makes: a spark filling a jug, and
// a spark bouncing off a blocker.
class IVanishingSounds {
 public:
  virtual ~IVanishingSounds() = default;

  virtual void PlayJugFill(int32_t colour) = 0;
  virtual void PlayBlockerBlocked() = 0;
};

// Those sounds as the game's sound factory plays them.
IVanishingSounds& GameVanishingSounds();

}  // namespace GUI
