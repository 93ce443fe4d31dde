#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "game/gui/effects/IGraphic.h"
#include "game/rules/tower/TPoint.h"
#include "platform/types/TVec2.h"

namespace GUI {

// The points and frames the vanishing animations are drawn by.

inline TVec2 ToVec2(const GamePlay::TPoint& point) {
  return {static_cast<float>(point.x), static_cast<float>(point.y)};
}

// A + (B - A) t, with t held to [0, 1].
inline TVec2 Lerp(float t, const TVec2& from, const TVec2& to) {
  return from + (to - from) * std::clamp(t, 0.0f, 1.0f);
}

// The direction from a point to another; none when they coincide.
inline TVec2 Direction(const TVec2& from, const TVec2& to) {
  TVec2 direction = to - from;
  return direction.Normalize();
}

// How much nearer the centre a point is than the piece it flies from: a
// spark shrinks as it nears the centre. A piece at the centre itself gives
// no measure, and 1.
inline float DistanceScale(const TVec2& point, const TVec2& piecePos, const TVec2& centre) {
  const float pieceDistance = (piecePos - centre).Length();
  if (pieceDistance == 0.0f) return 1.0f;
  return (point - centre).Length() / pieceDistance;
}

// A vector turned by an angle in radians.
inline TVec2 Turned(const TVec2& v, float angle) {
  const float c = std::cos(angle);
  const float s = std::sin(angle);
  return {v.x * c - v.y * s, v.x * s + v.y * c};
}

// Plays a picture's frames as u falls from 1 to 0. The picture holds the
// frame number to its last frame.
inline void ShowFrameOfProgress(IGraphic& graphic, float u) {
  const float frames = static_cast<float>(graphic.GetFrameCount());
  graphic.SetFrame(static_cast<uint32_t>(std::max(frames * (1.0f - u), 0.0f)));
}

inline void ShowLastFrame(IGraphic& graphic) {
  graphic.SetFrame(std::numeric_limits<uint32_t>::max());
}

}  // namespace GUI
