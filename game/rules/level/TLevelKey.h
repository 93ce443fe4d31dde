#pragma once

#include <compare>
#include <cstdint>

namespace GamePlay {

// A level: world 1 to 10 with level 1 to 5 in the Journey; world 0 with the
// level's number for Zen levels.
struct TLevelKey {
  uint32_t world = 0;
  uint32_t level = 0;

  auto operator<=>(const TLevelKey&) const = default;
};

}  // namespace GamePlay
