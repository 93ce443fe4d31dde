#pragma once

#include <cstdint>

namespace GamePlay {

// Where the rules take their chance from. One source per level, made from a
// seed, lets the level be dealt again exactly.
class IRandomSource {
 public:
  virtual ~IRandomSource() = default;

  // A whole number from 0 up to, but not including, bound (bound >= 1).
  virtual int32_t NextBelow(int32_t bound) = 0;
};

}  // namespace GamePlay
