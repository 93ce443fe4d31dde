// The coordinate coding of window tables, as windows attached from tables
// get it: coded positions and extents, the alignment bits, the parent that
// grows to take its child in, and values far outside any screen.
#include <gtest/gtest.h>

#include <ostream>

#include "tests/windows/script/ScriptedWindows.h"
#include "windows/core/WindowCoordinates.h"

namespace {

inline void PrintTo(const TRect& rect, std::ostream* out) {
  *out << "(" << rect.left << " " << rect.top << " " << rect.right << " " << rect.bottom << ")";
}

struct PlaceCase {
  const char* keys;
  int32_t parentWidth;
  int32_t parentHeight;
  TRect placed;
  // The parent's size afterwards.
  int32_t grownWidth;
  int32_t grownHeight;
};

constexpr int32_t kLimit = static_cast<int32_t>(kMaxPlacedCoordinate);

// A new window has no size, so a missing "w" or "h" is 0.
const PlaceCase kCases[] = {
    // Positions: centred, from the far edge, absolute after alignment.
    {"x = 80000, w = 100", 800, 600, TRect(350, 0, 450, 0), 800, 600},
    {"x = 80010, w = 100", 800, 600, TRect(360, 0, 460, 0), 800, 600},
    {"x = 159990, w = 10", 800, 600, TRect(790, 0, 800, 0), 800, 600},
    {"x = -10, w = 10", 800, 600, TRect(790, 0, 800, 0), 800, 600},
    {"x = 400, w = 100, align = 1", 800, 600, TRect(350, 0, 450, 0), 800, 600},
    {"x = 400, w = 100, align = 2", 800, 600, TRect(300, 0, 400, 0), 800, 600},
    {"y = 80000, h = 100", 800, 600, TRect(0, 250, 0, 350), 800, 600},
    {"y = 80010, h = 100", 800, 600, TRect(0, 260, 0, 360), 800, 600},
    {"y = 159990, h = 10", 800, 600, TRect(0, 590, 0, 600), 800, 600},
    {"y = -10, h = 10", 800, 600, TRect(0, 590, 0, 600), 800, 600},
    {"y = 300, h = 100, align = 4", 800, 600, TRect(0, 250, 0, 350), 800, 600},
    {"y = 300, h = 100, align = 8", 800, 600, TRect(0, 200, 0, 300), 800, 600},
    // Extents: reaching to the far edge, and negative ones ending at the
    // coded position.
    {"x = 10, w = 159990", 800, 600, TRect(10, 0, 790, 0), 800, 600},
    {"x = 300, w = -100", 800, 600, TRect(200, 0, 300, 0), 800, 600},
    {"y = 10, h = 159990", 800, 600, TRect(0, 10, 0, 590), 800, 600},
    {"y = 300, h = -100", 800, 600, TRect(0, 200, 0, 300), 800, 600},
    // Equal margins: a centred position 10 right of the centre, 10 left of
    // it, and one from the far edge; a negative extent goes the same way.
    {"x = 80010, w = 159990", 800, 600, TRect(20, 0, 790, 0), 800, 600},
    {"x = 79990, w = 159990", 800, 600, TRect(0, 0, 770, 0), 800, 600},
    {"x = 159590, w = 160000", 800, 600, TRect(780, 0, 800, 0), 800, 600},
    {"x = 80010, w = -159990", 800, 600, TRect(20, 0, 790, 0), 800, 600},
    {"y = 80010, h = 159990", 800, 600, TRect(0, 20, 0, 590), 800, 600},
    // A negative extent above 80000 at a position up to 40000 keeps what
    // scripts have always got: extent and position swapped out of the way.
    {"x = 100, w = -100000", 800, 600, TRect(159900, 0, 160000, 0), 160000, 600},
    // A parent without a size takes it from its first child, before and
    // after placing it.
    {"x = 10, y = 20, w = 100, h = 50", 0, 0, TRect(10, 20, 110, 70), 110, 70},
    {"x = 80010, w = 100, h = 30", 0, 0, TRect(15, 0, 115, 30), 115, 30},
    {"x = 10, w = 159990", 0, 0, TRect(10, 0, 10, 0), 10, 0},
    {"x = 750, y = 580, w = 100, h = 40", 800, 600, TRect(750, 580, 850, 620), 850, 620},
    // Far outside any screen: script integers (1e12 keeps its low 32 bits,
    // 1e300 and NaN read as 0), 64-bit arithmetic, clamped results.
    {"x = 1e12, w = 2147483647", 800, 600, TRect(-kLimit, 0, 0, 0), 800, 600},
    {"x = 2147483647, w = 100", 800, 600, TRect(kLimit, 0, kLimit + 100, 0), kLimit + 100, 600},
    {"x = -2147483648, w = -2147483648", 800, 600, TRect(kLimit, 0, kLimit, 0), kLimit, 600},
    {"x = 2147483647, w = 100", 0, 0, TRect(kLimit, 0, kLimit + 100, 0), kLimit + 100, 0},
    {"x = 0/0, y = 1e300, w = 1e300, h = 0/0", 800, 600, TRect(0, 0, 0, 0), 800, 600},
    {"y = 1e12, h = 2147483647, align = 4", 800, 600, TRect(0, -kLimit, 0, 0), 800, 600},
};

TEST(WindowCoordinates, EachCodingPlacesTheWindowAndGrowsTheParent) {
  ScriptedWindows windows;
  for (const PlaceCase& place : kCases) {
    SCOPED_TRACE(testing::Message() << place.keys << " in " << place.parentWidth << " x " << place.parentHeight);
    windows.script->SetWindow(windows.root);
    TWindow* parent = windows.AddCurrent(*windows.root, place.parentWidth, place.parentHeight);
    TWindow* window = windows.Create(place.keys);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->GetParent(), parent);
    EXPECT_EQ(window->GetRect(), place.placed);
    EXPECT_EQ(parent->GetWidth(), place.grownWidth);
    EXPECT_EQ(parent->GetHeight(), place.grownHeight);
    EXPECT_EQ(windows.Global("gDialogWidth"), place.placed.Width());
    EXPECT_EQ(windows.Global("gDialogHeight"), place.placed.Height());
  }
}

TEST(WindowCoordinates, WithoutAParentOnlyTheAlignmentApplies) {
  int64_t position = 400;
  int64_t extent = 100;
  ResolveAxis(nullptr, TAxis::kHorizontal, true, false, position, extent);
  EXPECT_EQ(position, 350);
  position = 159990;
  ResolveAxis(nullptr, TAxis::kVertical, false, true, position, extent);
  EXPECT_EQ(position, 159890) << "no coding without a parent extent";
  EXPECT_EQ(extent, 100);
}

}  // namespace
