// The tower's geometry ("levels/rings.xml") and the pictures drawn on it
// agree: the largest tower fits the screen round the jug pie, a piece keeps
// its shape from ring to ring, and every piece picture, drawn as the piece
// views draw it, fills its cell without reaching into a neighbour's.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "game/rules/level/TLevelSettings.h"
#include "platform/xml/TStringTable.h"
#include "tests/assets/DecodedPicture.h"
#include "tests/assets/PictureNames.h"
#include "tests/support/BuiltDataFolder.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kSlotAngle = kPi / 6;
// Piece pictures are drawn at this times their ring's scale.
constexpr double kPieceScale = 1.666599988937378;
// The tower's centre is (400, 300) on an 800 x 600 screen; its top ring must
// end this near to the centre.
constexpr double kMostRadius = 290;

// The ring measures the tower draws with, read from "levels/rings.xml" the
// way the tower measurement reads them.
class Rings {
 public:
  Rings() {
    EXPECT_TRUE(mTable.Load("levels/rings.xml"));
    mPieceHeight = List("Piece Height").at(0);
    mOutermostPieceHeight = List("Outermost Piece Height").at(0);
    mScalesX = List("Ring ScalesX");
    mScalesY = List("Ring ScalesY");
    mDiameters = List("Ring Radius");
  }

  int Count() const { return static_cast<int>(mDiameters.size()); }
  double ScaleX(int ring) const { return Product(mScalesX, ring); }
  double ScaleY(int ring) const { return Product(mScalesY, ring); }
  // The ring's outer edge.
  double Radius(int ring) const { return 0.5 * mDiameters[std::min(ring, Count() - 1)]; }
  double InnerRadius(int ring) const { return Radius(ring) - mOutermostPieceHeight * ScaleY(ring); }
  // Where the centres of the ring's pieces stand.
  double PieceRadius(int ring) const { return Radius(ring) - 0.5 * mPieceHeight * ScaleY(ring); }

 private:
  std::vector<double> List(const char* key) const {
    std::istringstream text(mTable.GetString(key).CStr());
    std::vector<double> values;
    for (double value; text >> value;) values.push_back(value);
    EXPECT_FALSE(values.empty()) << key;
    return values;
  }

  static double Product(const std::vector<double>& scales, int ring) {
    double product = 1.0;
    for (int i = 0; i <= ring && i < static_cast<int>(scales.size()); ++i) product *= scales[i];
    return product;
  }

  TStringTable mTable;
  double mPieceHeight = 0;
  double mOutermostPieceHeight = 0;
  std::vector<double> mScalesX, mScalesY, mDiameters;
};

TEST(RingGeometry, TheLargestTowerFitsTheScreen) {
  BuiltDataFolder folder;
  Rings rings;
  ASSERT_EQ(rings.Count(), GamePlay::TLevelSettings::kMostRings);
  const int top = rings.Count() - 1;
  EXPECT_LE(rings.Radius(top), kMostRadius);
  EXPECT_GT(rings.InnerRadius(0), 0.0);
}

// Each ring starts where the one inside it ends, and a piece's cell keeps its
// shape: its height and its arc (radius x pi/6) grow with the ring's scale.
TEST(RingGeometry, RingsMeetAndKeepTheirPiecesShape) {
  BuiltDataFolder folder;
  Rings rings;
  for (int ring = 0; ring < rings.Count(); ++ring) {
    SCOPED_TRACE(ring);
    EXPECT_NEAR(rings.ScaleX(ring), rings.ScaleY(ring), 1e-6);
    EXPECT_NEAR(rings.PieceRadius(ring) / rings.ScaleX(ring), rings.PieceRadius(0) / rings.ScaleX(0), 0.05);
    if (ring > 0) {
      EXPECT_NEAR(rings.InnerRadius(ring), rings.Radius(ring - 1), 0.05);
      EXPECT_GT(rings.ScaleX(ring), rings.ScaleX(ring - 1));
    }
  }
}

// Where a picture's pixel lands in polar terms round the tower's centre when
// the picture is drawn centred on the cell straight up from the centre at
// scale: its radius, and its angle from straight up (clockwise positive).
struct Polar {
  double radius;
  double angle;
};

Polar OnTower(const DecodedPicture& picture, int x, int y, double cellRadius, double scale) {
  const double across = (x + 0.5 - picture.Width() / 2.0) * scale;
  const double up = cellRadius - (y + 0.5 - picture.Height() / 2.0) * scale;
  return {std::hypot(across, up), std::atan2(across, up)};
}

// Fits: no pixel of alpha above 16 lands outside the cell (half a screen
// pixel of slack); fills: the drawn pixels span most of the cell's width and
// height.
void ExpectFillsItsCell(const std::string& name, double pictureScale) {
  Rings rings;
  const DecodedPicture picture = LoadPicture(name);
  ASSERT_TRUE(picture.loaded) << name;
  for (int ring = 0; ring < rings.Count(); ++ring) {
    SCOPED_TRACE(name + " on ring " + std::to_string(ring));
    const double scale = pictureScale * rings.ScaleX(ring);
    const double inner = rings.InnerRadius(ring);
    const double outer = rings.Radius(ring);
    double lowest = outer, highest = inner, leftmost = 0, rightmost = 0;
    int outside = 0;
    for (int y = 0; y < picture.Height(); ++y) {
      for (int x = 0; x < picture.Width(); ++x) {
        if (picture.Rgba(x, y)[3] <= 16) continue;
        const Polar at = OnTower(picture, x, y, rings.PieceRadius(ring), scale);
        const double slack = 0.5 + 0.5 * scale;  // half a screen pixel beyond the pixel's own half size
        const bool inside = at.radius >= inner - slack && at.radius <= outer + slack &&
                            std::abs(at.angle) * at.radius <= kSlotAngle / 2 * at.radius + slack;
        outside += !inside;
        lowest = std::min(lowest, at.radius);
        highest = std::max(highest, at.radius);
        leftmost = std::min(leftmost, at.angle);
        rightmost = std::max(rightmost, at.angle);
      }
    }
    EXPECT_EQ(outside, 0);
    EXPECT_GE(rightmost - leftmost, 0.85 * kSlotAngle);
    EXPECT_GE(highest - lowest, 0.8 * (outer - inner));
  }
}

TEST(RingGeometry, PiecePicturesFillTheirCellOnEveryRing) {
  BuiltDataFolder folder;
  for (const char* colour : kPieceColours) ExpectFillsItsCell(std::string("sprites/piece-") + colour + "-1", kPieceScale);
  ExpectFillsItsCell("sprites/blockers/piece-blockers-darken", kPieceScale);
}

// A blocker, its cage and the flash over a counter are drawn at the ring's
// scale itself, and cover the same cell.
TEST(RingGeometry, CellPicturesDrawnAtTheRingScaleFillTheSameCell) {
  BuiltDataFolder folder;
  for (const std::string& name : SpellOut("sprites/{piece-white,blockers/piece-block12,"
                                          "blockers/counter/piece-blockers-50,blockers/counter/piece-blockers-100}")) {
    ExpectFillsItsCell(name, 1.0);
  }
}

// The jug pie's pictures are centred on the tower's centre and, at their
// largest (scale 1, a full jug), stay inside ring 0; each jug's wedge runs
// from straight up to 30 degrees clockwise.
TEST(RingGeometry, TheJugPieStaysInsideRingZero) {
  BuiltDataFolder folder;
  Rings rings;
  for (const std::string& name :
       SpellOut("sprites/jugs/{center-color-alpha,center-color-black-alpha,piece-line}")) {
    SCOPED_TRACE(name);
    const DecodedPicture picture = LoadPicture(name);
    ASSERT_TRUE(picture.loaded);
    const bool mask = name.find("alpha") != std::string::npos;
    int drawn = 0;
    for (int y = 0; y < picture.Height(); ++y) {
      for (int x = 0; x < picture.Width(); ++x) {
        const auto pixel = picture.Rgba(x, y);
        if ((mask ? pixel[0] : pixel[3]) <= 16) continue;
        ++drawn;
        const Polar at = OnTower(picture, x, y, 0.0, 1.0);
        EXPECT_LE(at.radius, rings.InnerRadius(0)) << x << ", " << y;
        // Within a pixel of the wedge's sides.
        if (mask) {
          EXPECT_GE(at.angle * at.radius, -1.0) << x << ", " << y;
          EXPECT_LE((at.angle - kSlotAngle) * at.radius, 1.0) << x << ", " << y;
        }
      }
    }
    EXPECT_GT(drawn, 20);
  }
}

}  // namespace
