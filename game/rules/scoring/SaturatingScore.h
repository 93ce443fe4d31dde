#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace GamePlay {

// Scores, counts and times stay within their 32 bits whatever the values of
// a damaged install add up to: they stop at the ends of their range instead
// of wrapping round.

inline int32_t SaturatedScore(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

inline int32_t AddScores(int32_t score, int64_t points) {
  return SaturatedScore(int64_t{score} + points);
}

// The value truncated toward zero, held to the range of T; not a number
// gives 0.
template <class T>
T TruncatedInto(float value) {
  if (std::isnan(value)) return 0;
  // A limit that a float cannot hold rounds up to the next power of two,
  // just past the range, so comparing with it keeps the cast inside.
  constexpr float kBelow = static_cast<float>(std::numeric_limits<T>::min());
  constexpr float kAbove = static_cast<float>(std::numeric_limits<T>::max());
  if (value <= kBelow) return std::numeric_limits<T>::min();
  if (value >= kAbove) return std::numeric_limits<T>::max();
  return static_cast<T>(value);
}

}  // namespace GamePlay
