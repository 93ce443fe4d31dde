#include "game/rules/powerups/TCellPicker.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "tests/game/rules/RecordedTowerFixture.h"
#include "tests/support/rules/StubTowerView.h"

namespace GamePlay {
namespace {

constexpr float kCellAngle = std::numbers::pi_v<float> / 6;

// The stub view's bands, ring r from 60 + 25 r to 85 + 25 r pixels.
class CellPickerTest : public RecordedTowerTest {
 protected:
  CellPickerTest() { BuildTower({"000000000000", "1111111.1111", "222222222222"}); }

  // The point at the angle (clockwise from straight up) and radius round the centre.
  static TPoint At(float angle, float radius) {
    return {static_cast<int32_t>(std::lround(400 + radius * std::sin(angle))),
            static_cast<int32_t>(std::lround(300 - radius * std::cos(angle)))};
  }
  // "ring slot", or "none".
  std::string Pick(const TPoint& point, bool skipVacant = false) {
    int32_t ring = -1;
    int32_t slot = -1;
    float angle = -1;
    TCellPicker picker(tower, &view);
    if (!picker.Pick(point, ring, slot, angle, skipVacant)) return "none";
    return std::to_string(ring) + " " + std::to_string(slot);
  }

  StubTowerView view{3};
};

TEST_F(CellPickerTest, FindsTheRingByItsBandAndTheSlotByItsAngle) {
  struct Case {
    TPoint point;
    const char* cell;
  };
  const Case cases[] = {
      {{400, 300}, "none"},  // the centre
      {{400, 241}, "none"},  // 59 pixels out: inside the top ring's band
      {{400, 240}, "0 0"},   // straight up; the inner edge belongs to the band
      {{400, 216}, "0 0"},
      {{400, 215}, "1 0"},   // the outer edge belongs to the next band
      {{400, 165}, "none"},  // beyond the last band
      {At(3.5f * kCellAngle, 97), "1 3"},
      {At(6.5f * kCellAngle, 120), "2 6"},
      {At(9.5f * kCellAngle, 70), "0 9"},
      {At(11.9f * kCellAngle, 120), "2 11"},  // just before a full turn
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Pick(c.point), c.cell) << c.point.x << " " << c.point.y;
  }
}

TEST_F(CellPickerTest, SkippingVacantCellsFindsNothingThroughAHole) {
  TPoint hole = At(7.5f * kCellAngle, 97);
  EXPECT_EQ(Pick(hole), "1 7");
  EXPECT_EQ(Pick(hole, true), "none");
  EXPECT_EQ(Pick(At(6.5f * kCellAngle, 97), true), "1 6");
}

}  // namespace
}  // namespace GamePlay
