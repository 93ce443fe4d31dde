#pragma once

#include <cmath>
#include <cstdint>
#include <numbers>

#include "game/gui/play/TArcadeWindow.h"
#include "game/gui/play/TTowerViewImpl.h"
#include "game/rules/tower/ITowerMeasurementView.h"
#include "game/rules/tower/TPoint.h"

namespace GUI {

// The middle of a ring's band in the play window's level, slots round
// (clockwise) from straight above the tower's centre: where a player grabs
// the ring.
inline GamePlay::TPoint PointOnRing(TArcadeWindow& window, int32_t ring, float slots) {
  GamePlay::ITowerMeasurementView& measure = *window.GetTowerView()->GetMeasurement();
  const GamePlay::TPoint centre = window.GetTowerView()->GetCentre();
  const float radius = (measure.GetInnerRadius(ring) + measure.GetRadius(ring)) / 2;
  const float angle = slots * std::numbers::pi_v<float> / 6;
  return {centre.x + static_cast<int32_t>(std::lround(radius * std::sin(angle))),
          centre.y - static_cast<int32_t>(std::lround(radius * std::cos(angle)))};
}

}  // namespace GUI
