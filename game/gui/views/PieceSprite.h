#pragma once

namespace GUI {

// From a ring's scale to the scale a piece's sprite, a ring indicator or a
// power-up is drawn at: the sprites are drawn smaller than the rings they
// fill. Sparks, cracks and counters are drawn at the ring's own scale.
constexpr double kPieceSpriteScale = 1.666599988937378;

inline float SpriteScale(float ringScale) {
  return static_cast<float>(ringScale * kPieceSpriteScale);
}

}  // namespace GUI
