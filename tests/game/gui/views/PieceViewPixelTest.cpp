// A piece view on our display, read back pixel by pixel: the piece's
// picture lands at its cell, and the spark of a matched piece lights it up
// additively, less as it fades.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "game/gui/effects/TStaticGraphic.h"
#include "game/gui/views/TStandardPieceView.h"
#include "game/rules/pieces/TStandardPiece.h"
#include "tests/game/gui/effects/GraphicPixelRig.h"
#include "tests/support/FakeClock.h"
#include "tests/support/rules/StubTowerView.h"

namespace GUI {
namespace {

// Whether two colours differ by at most a few steps of rounding per channel.
bool NearColour(uint32_t actual, uint32_t expected) {
  for (int shift = 0; shift < 32; shift += 8) {
    const int a = static_cast<int>((actual >> shift) & 0xFF);
    const int e = static_cast<int>((expected >> shift) & 0xFF);
    if (std::abs(a - e) > 3) return false;
  }
  return true;
}

using PieceViewPixelTest = GraphicPixelRig;

TEST_F(PieceViewPixelTest, APieceIsDrawnAtItsCellAndItsSparkLightsItUp) {
  Store("red", 16, 16, [](uint32_t, uint32_t) { return 0xFF0000u; });
  Store("spark", 8, 8, [](uint32_t, uint32_t) { return 0x00FF00u; });
  FakeClock clock;
  StubTowerView tower(4);
  auto piece = std::make_shared<GamePlay::TStandardPiece>(5);
  auto view = std::make_shared<TStandardPieceView>(std::make_shared<TStaticGraphic>("red"),
                                                   std::make_shared<TStaticGraphic>("spark"), piece,
                                                   &tower);
  piece->SetView(view);
  view->SetCell(1, 3, false);
  const TVec2 at = view->GetScreenPos();
  const auto x = static_cast<int32_t>(at.x), y = static_cast<int32_t>(at.y);
  ASSERT_GT(x, 480) << "right of the centre, a little below it";
  ASSERT_GT(y, 300);
  piece->StartClock();
  struct Step {
    uint32_t advance;
    uint32_t centre;
  };
  const Step steps[] = {{0, 0xFFFFFF00u}, {250, 0xFFFF8000u}, {250, kRigRed}};
  for (const Step& step : steps) {
    clock.Advance(step.advance);
    DrawFrame([&] { view->DrawInPlace(); });
    EXPECT_TRUE(NearColour(ScreenAt(x, y), step.centre)) << std::hex << ScreenAt(x, y);
    EXPECT_EQ(ScreenAt(x, y - 9), kRigRed)
        << "the piece's picture, 1.67 times its size, past the spark";
    EXPECT_EQ(ScreenAt(800 - x, 600 - y), kRigBlue) << "nothing across the tower";
  }
}

}  // namespace
}  // namespace GUI
