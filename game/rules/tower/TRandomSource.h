#pragma once

#include <cstdint>
#include <random>

#include "game/rules/tower/IRandomSource.h"

namespace GamePlay {

// A seeded source: the same seed gives the same numbers on every machine,
// since the Mersenne twister's output is fixed by the standard and the
// reduction to a bound is our own.
class TRandomSource final : public IRandomSource {
 public:
  explicit TRandomSource(uint32_t seed) : mEngine(seed) {}

  int32_t NextBelow(int32_t bound) override;

 private:
  std::mt19937 mEngine;
};

}  // namespace GamePlay
