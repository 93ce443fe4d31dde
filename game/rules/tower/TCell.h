#pragma once

#include <compare>
#include <cstdint>

namespace GamePlay {

// A place in the tower: ring 0 is the top ring, slots 0 to 11 go round a ring.
struct TCell {
  int32_t ring = 0;
  int32_t slot = 0;

  auto operator<=>(const TCell&) const = default;
};

}  // namespace GamePlay
