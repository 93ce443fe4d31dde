// The tower's geometry read from "levels/rings.xml": scales multiplied
// outward, radii halved and held past the list, the lists' reading, the cell
// locator's angles and positions, and picking cells through it.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "game/gui/play/TCellLocator.h"
#include "game/gui/play/TTowerMeasurement.h"
#include "game/rules/powerups/TCellPicker.h"
#include "platform/file/FileIndex.h"
#include "platform/text/Log.h"
#include "tests/game/rules/RecordedTowerFixture.h"
#include "tests/support/StringTableFile.h"
#include "tests/support/rules/StubTowerView.h"

namespace GUI {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kSlot = kPi / 6;

const TableRows kSmallTower = {{"Whole Radii", "400"},
                               {"Piece Height", "20"},
                               {"Outermost Piece Height", "30"},
                               {"Ring Shadow Scales", "1 1"},
                               {"Ring ScalesX", "1 0.9 0.8"},
                               {"Ring ScalesY", "0.5 2"},
                               {"Ring Radius", "100 200"},
                               {"Shadow Ring Radius", "110 210"}};

class TowerMeasurementTest : public testing::Test {
 protected:
  TowerMeasurementTest() { SetLogFolder(mLogs.Path().c_str()); }

  void WriteRings(const TableRows& rows) {
    WriteStringTable(mFiles, TRingRecord::kFileName, rows);
  }
  void WriteRingsFile(const std::string& bytes) {
    mFiles.WriteAsset(TRingRecord::kFileName, bytes);
    BuildFileIndex();
  }
  std::string LogText() const { return ReadWholeFile(GetLogPath().CStr()); }

 private:
  TestFileLayer mFiles;
  TempFolder mLogs;
};

TEST_F(TowerMeasurementTest, ScalesMultiplyOutwardAndRadiiHoldPastTheList) {
  WriteRings(kSmallTower);
  TTowerMeasurement m;
  struct Case {
    int32_t ring;
    float scaleX, scaleY, radius;
  };
  for (Case c : {Case{0, 1.0f, 0.5f, 50}, Case{1, 0.9f, 1.0f, 100}, Case{2, 0.72f, 1.0f, 100},
                 Case{3, 0.72f, 1.0f, 100}, Case{-1, 0.72f, 1.0f, 100}}) {
    SCOPED_TRACE(c.ring);
    EXPECT_FLOAT_EQ(m.GetRingScaleX(c.ring), c.scaleX);
    EXPECT_FLOAT_EQ(m.GetRingScaleY(c.ring), c.scaleY);
    EXPECT_FLOAT_EQ(m.GetRadius(c.ring), c.radius);
    EXPECT_FLOAT_EQ(m.GetInnerRadius(c.ring), c.radius - 30 * c.scaleY);
    EXPECT_FLOAT_EQ(m.GetRingRadius(c.ring), c.radius - 0.5f * 20 * c.scaleY);
  }
  EXPECT_FLOAT_EQ(m.GetPieceHeight(), 20);
  EXPECT_FLOAT_EQ(m.GetPieceAngle(), 0.5235988f);
  EXPECT_FLOAT_EQ(m.GetSlotStartAngle(5, 3), 3 * kSlot);
  EXPECT_FLOAT_EQ(m.GetSlotEndAngle(5, 3), 4 * kSlot);
  EXPECT_FLOAT_EQ(m.GetSlotEndAngle(0, 11), 2 * kPi);
}

TEST_F(TowerMeasurementTest, ListsEndAtTheirFirstNonNumber) {
  struct Case {
    std::string radii;
    float ring0, ring5;
  };
  for (const Case& c : {Case{"100 200 x 300", 50, 100}, Case{"  100\t\n 200  ", 50, 100},
                        Case{"1e2 2.5e2", 50, 125}, Case{"100 200abc 300", 50, 100},
                        Case{"100 1e999 300", 50, 50}}) {
    SCOPED_TRACE(c.radii);
    WriteRings({{"Ring Radius", c.radii}});
    TTowerMeasurement m;
    EXPECT_FLOAT_EQ(m.GetRadius(0), c.ring0);
    EXPECT_FLOAT_EQ(m.GetRadius(5), c.ring5);
  }
}

TEST_F(TowerMeasurementTest, MissingKeysReadAsZeroAndEmptyLists) {
  WriteRings({{"Ring Radius", "100"}});
  TTowerMeasurement m;
  EXPECT_FLOAT_EQ(m.GetRingScaleX(3), 1.0f);
  EXPECT_FLOAT_EQ(m.GetRingScaleY(3), 1.0f);
  EXPECT_FLOAT_EQ(m.GetPieceHeight(), 0);
  EXPECT_FLOAT_EQ(m.GetInnerRadius(0), 50);
}

TEST_F(TowerMeasurementTest, WithoutRingRadiiEveryRingHasRadiusZero) {
  for (const TableRows& rows : {TableRows{{"Piece Height", "20"}, {"Outermost Piece Height", "30"}},
                                TableRows{{"Piece Height", "20"}, {"Ring Radius", "none"}}}) {
    WriteRings(rows);
    TTowerMeasurement m;
    for (int32_t ring : {0, 1, 11, -1}) {
      EXPECT_FLOAT_EQ(m.GetRadius(ring), 0) << ring;
    }
    EXPECT_FLOAT_EQ(m.GetRingRadius(0), -10);
  }
  EXPECT_NE(LogText().find("levels/rings.xml gives no \"Ring Radius\": every ring has radius 0"),
            std::string::npos);
}

TEST_F(TowerMeasurementTest, WithoutTheFileTheTowerHasNoSize) {
  TTowerMeasurement m;
  EXPECT_FLOAT_EQ(m.GetRadius(0), 0);
  EXPECT_FLOAT_EQ(m.GetRingScaleX(0), 1);
  EXPECT_NE(LogText().find("Cannot read the ring geometry from levels/rings.xml"), std::string::npos);
}

TEST_F(TowerMeasurementTest, OurTowersBandsFollowOneAnotherOutward) {
  WriteRingsFile(ReadWholeFile("assets/levels/rings.xml"));
  TTowerMeasurement m;
  EXPECT_GT(m.GetInnerRadius(0), 0);
  for (int32_t ring = 0; ring < 12; ++ring) {
    EXPECT_LT(m.GetInnerRadius(ring), m.GetRadius(ring)) << ring;
    if (ring > 0) {
      EXPECT_GE(m.GetInnerRadius(ring) + 0.01f, m.GetRadius(ring - 1)) << ring;
    }
  }
  EXPECT_EQ(LogText().find("Ring Radius"), std::string::npos);
}

// The locator over the small tower, seen through a stand-in view centred on
// (400, 300).
class CellLocatorTest : public TowerMeasurementTest {
 protected:
  CellLocatorTest() {
    WriteRings(kSmallTower);
    measurement = std::make_unique<TTowerMeasurement>();
    view.measurement = measurement.get();
  }

  std::unique_ptr<TTowerMeasurement> measurement;
  StubTowerView view{4};
};

TEST_F(CellLocatorTest, SlotZeroLiesHalfASlotClockwiseFromStraightUp) {
  TCellLocator cell(&view, false);
  cell.Set(1, 0, false);
  EXPECT_FLOAT_EQ(cell.GetStartAngle(), 0);
  EXPECT_FLOAT_EQ(cell.GetCentreAngle(), kPi / 12);
  float radius = measurement->GetRingRadius(1);  // 90
  TVec2 at = cell.GetPosition();
  EXPECT_FLOAT_EQ(at.x, 400 + radius * std::sin(kPi / 12));
  EXPECT_FLOAT_EQ(at.y, 300 - radius * std::cos(kPi / 12));
  EXPECT_GT(at.x, 400);
  EXPECT_LT(at.y, 300);
  EXPECT_EQ(cell.GetCentre(), (GamePlay::TPoint{400, 300}));
  EXPECT_FLOAT_EQ(cell.GetScaleX(), 0.9f);
  EXPECT_FLOAT_EQ(cell.GetScaleY(), 1.0f);
}

TEST_F(CellLocatorTest, TheRingsAngleTurnsTheCellUnlessItIsFixed) {
  view.SetRingAngle(2, kPi / 2);
  TCellLocator turning(&view, false);
  TCellLocator fixed(&view, true);
  turning.Set(2, 3, false);
  fixed.Set(2, 3, false);
  EXPECT_FLOAT_EQ(turning.GetStartAngle(), 3 * kSlot + kPi / 2);
  EXPECT_FLOAT_EQ(fixed.GetStartAngle(), 3 * kSlot);
  TVec2 at = turning.GetPosition();  // slot 3 turned a quarter: 3.5 slots past the bottom
  EXPECT_NEAR(at.x, 400 - 90 * std::sin(kSlot / 2), 1e-3);
}

TEST_F(CellLocatorTest, TheOffsetMovesTheCellOutByAPieceHeightPerSlot) {
  TCellLocator plain(&view, false);
  TCellLocator moved(&view, false);
  for (int32_t slot : {0, 4, 11}) {
    plain.Set(1, slot, false);
    moved.Set(1, slot, true);
    TVec2 a = plain.GetPosition();
    TVec2 b = moved.GetPosition();
    EXPECT_NEAR(std::hypot(b.x - 400, b.y - 300) - std::hypot(a.x - 400, a.y - 300),
                20.0f * (slot + 1), 1e-3)
        << slot;
    EXPECT_NEAR(std::atan2(b.x - 400, 300 - b.y), std::atan2(a.x - 400, 300 - a.y), 1e-5);
  }
}

// Picking over the tower: bands [50, 100), [100, 150), [150, 200) round the
// centre, as "Outermost Piece Height" 50 with scale 1 makes them.
class PickThroughMeasurementTest : public GamePlay::RecordedTowerTest {
 protected:
  PickThroughMeasurementTest() {
    SetLogFolder(mLogs.Path().c_str());
    WriteStringTable(mFiles, TRingRecord::kFileName,
                     {{"Piece Height", "50"}, {"Outermost Piece Height", "50"},
                      {"Ring Radius", "200 300 400"}});
    measurement = std::make_unique<TTowerMeasurement>();
    view.measurement = measurement.get();
    BuildTower({"000000000000", "111111111111", "222222222222"});
  }

  static GamePlay::TPoint At(float radius, float angle) {
    return {static_cast<int32_t>(std::lround(400 + radius * std::sin(angle))),
            static_cast<int32_t>(std::lround(300 - radius * std::cos(angle)))};
  }

  TestFileLayer mFiles;
  TempFolder mLogs;
  std::unique_ptr<TTowerMeasurement> measurement;
  StubTowerView view{3};
};

TEST_F(PickThroughMeasurementTest, PointsFallOnTheBandAndSlotTheyLieIn) {
  struct Case {
    GamePlay::TPoint point;
    bool picked;
    int32_t ring, slot;
  };
  const Case cases[] = {
      {{400, 250}, true, 0, 0},          // straight up on ring 0's inner edge
      {{400, 201}, true, 0, 0},          // 99 out: still ring 0
      {{400, 200}, true, 1, 0},          // 100 out: ring 1's inner edge
      {{400, 101}, true, 2, 0},          // 199 out
      {{400, 100}, false, 0, 0},         // 200 out: past the tower
      {{400, 251}, false, 0, 0},         // 49 out: inside the tower
      {{399, 200}, true, 1, 11},         // just left of straight up
      {At(99.5f, 3 * kSlot + 0.01f), true, 0, 3},
      {At(99.5f, 3 * kSlot - 0.01f), true, 0, 2},
      {At(120, 7 * kSlot + 0.01f), true, 1, 7},
      {At(120, 7 * kSlot - 0.01f), true, 1, 6},
      {At(175, kPi), true, 2, 6},
  };
  GamePlay::TCellPicker picker(tower, &view);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.point.x << "," << c.point.y);
    int32_t ring = -1;
    int32_t slot = -1;
    float angle = 0;
    ASSERT_EQ(picker.Pick(c.point, ring, slot, angle, true), c.picked);
    if (!c.picked) continue;
    EXPECT_EQ(ring, c.ring);
    EXPECT_EQ(slot, c.slot);
  }
}

TEST_F(PickThroughMeasurementTest, TurnedRingsArePickedByTheSlotOnScreen) {
  GamePlay::TCellPicker picker(tower, &view);
  view.SetRingAngle(1, 2.5f * kSlot);
  int32_t ring = -1;
  int32_t slot = -1;
  float angle = 0;
  ASSERT_TRUE(picker.Pick(At(120, 4.5f * kSlot), ring, slot, angle, true));
  EXPECT_EQ(ring, 1);
  EXPECT_EQ(slot, 4) << "a ring being turned is picked where its slots stood";
}

}  // namespace
}  // namespace GUI
