// Graphics on our display, read back pixel by pixel: alpha blending over
// what is there, a separate alpha image, strips with their corner alphas,
// a picture that failed to load, and a banner over the tower.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "game/gui/effects/TAnimGraphic.h"
#include "game/gui/effects/TLevelBanner.h"
#include "game/gui/effects/TStaticGraphic.h"
#include "tests/game/gui/effects/GraphicPixelRig.h"
#include "tests/support/FakeClock.h"
#include "tests/support/rules/RecordingScoringModel.h"
#include "tests/support/rules/StubTowerView.h"

namespace GUI {
namespace {

// Whether two colours differ by at most one step of rounding per channel.
bool Close(uint32_t actual, uint32_t expected) {
  for (int shift = 0; shift < 32; shift += 8) {
    if (std::abs(static_cast<int>((actual >> shift) & 0xFF) - static_cast<int>((expected >> shift) & 0xFF)) > 2) {
      return false;
    }
  }
  return true;
}

using GraphicPixelTest = GraphicPixelRig;

TEST_F(GraphicPixelTest, HalfAlphaBlendsThePictureWithWhatIsBehindIt) {
  Store("red", 16, 16, [](uint32_t, uint32_t) { return 0xFF0000u; });
  TStaticGraphic graphic("red");
  ASSERT_EQ(graphic.GetWidth(), 16);
  DrawFrame([&] { graphic.Draw(TVec2(100, 100), 0.5f, 1.0f, 0.0f); });
  EXPECT_TRUE(Close(ScreenAt(100, 100), 0xFF800080u)) << std::hex << ScreenAt(100, 100);
  EXPECT_EQ(ScreenAt(80, 100), kRigBlue) << "outside the picture";
  DrawFrame([&] { graphic.DrawScaled(TVec2(100, 100), 1.0f, 2.0f, 1.0f, 0.0f); });
  EXPECT_EQ(ScreenAt(85, 100), kRigRed) << "twice as wide";
  EXPECT_EQ(ScreenAt(100, 89), kRigBlue) << "as high as the picture";
}

TEST_F(GraphicPixelTest, TheAlphaImagesDarkPartLeavesTheBackground) {
  Store("red", 16, 16, [](uint32_t, uint32_t) { return 0xFF0000u; });
  Store("halfmask", 16, 16, [](uint32_t x, uint32_t) { return x < 8 ? 0xFFFFFFu : 0x000000u; });
  std::shared_ptr<IGraphic> graphic = MakeStaticGraphicWithAlpha("red", "halfmask");
  TAnimGraphic animation(std::vector<TString>{"red"}, "halfmask");
  DrawFrame([&] {
    graphic->Draw(TVec2(100, 100), 1.0f, 1.0f, 0.0f);
    animation.Draw(TVec2(300, 100), 1.0f, 1.0f, 0.0f);
  });
  for (int32_t x : {100, 300}) {
    EXPECT_EQ(ScreenAt(x - 6, 100), kRigRed) << x;
    EXPECT_EQ(ScreenAt(x + 5, 100), kRigBlue) << x;
  }
}

TEST_F(GraphicPixelTest, StripsBlendByTheirCornerAlphas) {
  Store("red", 30, 10, [](uint32_t, uint32_t) { return 0xFF0000u; });
  TStaticGraphic graphic("red");
  DrawFrame([&] {
    graphic.DrawSlices(TVec2(100, 100), {{1, 1, 1, 1}, {0, 0, 0, 0}, {0.5f, 0.5f, 0.5f, 0.5f}}, 2.0f);
  });
  EXPECT_EQ(ScreenAt(80, 100), kRigRed) << "the first strip, opaque";
  EXPECT_EQ(ScreenAt(100, 100), kRigBlue) << "the second, transparent";
  EXPECT_TRUE(Close(ScreenAt(120, 100), 0xFF800080u)) << std::hex << ScreenAt(120, 100);
  EXPECT_EQ(ScreenAt(80, 85), kRigBlue) << "above the scaled height";
  EXPECT_EQ(ScreenAt(80, 108), kRigRed) << "the picture reaches the bottom, though its surface is higher";
  EXPECT_TRUE(Close(ScreenAt(128, 100), 0xFF800080u)) << "and the right edge: " << std::hex << ScreenAt(128, 100);
}

TEST_F(GraphicPixelTest, APictureThatFailedToLoadDrawsNothing) {
  TStaticGraphic graphic("nothere");
  TAnimGraphic animation(std::vector<TString>{"nothere"}, 10.0f);
  EXPECT_EQ(graphic.GetWidth(), 0);
  EXPECT_EQ(animation.GetHeight(), 0);
  DrawFrame([&] {
    graphic.Draw(TVec2(100, 100), 1.0f, 1.0f, 0.0f);
    graphic.DrawSlices(TVec2(100, 100), {{1, 1, 1, 1}}, 1.0f);
    animation.DrawScaled(TVec2(100, 100), 1.0f, 1.0f, 1.0f, 0.0f);
  });
  EXPECT_EQ(ScreenAt(100, 100), kRigBlue);
}

// The play window steps the banners over the tower outside the 2D drawing
// state; a banner wiping in and one standing still show on the screen.
TEST_F(GraphicPixelTest, ABannerOverTheTowerShowsWhenSteppedOutsideTwoDimensionalDrawing) {
  Store("red", 32, 8, [](uint32_t, uint32_t) { return 0xFF0000u; });
  FakeClock clock{1000};
  RecordingScoringModel scoring;
  scoring.medalTarget = 1000;
  StubTowerView tower;
  tower.timeUpShown = true;
  TLevelBanner banner({nullptr, std::make_shared<TStaticGraphic>("red"), nullptr, nullptr, nullptr, nullptr},
                      &scoring, &tower, nullptr);
  DrawFrameOutside2d([&] { banner.UpdateBanners(); });
  clock.Advance(TLevelBanner::kShowUpMs * 3 / 4);
  DrawFrameOutside2d([&] { banner.UpdateBanners(); });
  EXPECT_EQ(ScreenAt(370, 300), kRigRed) << "the wiped-in left part";
  EXPECT_EQ(ScreenAt(428, 300), kRigBlue) << "the right part, still to come";
  clock.Advance(TLevelBanner::kShowUpMs);
  DrawFrameOutside2d([&] { banner.UpdateBanners(); });
  EXPECT_EQ(ScreenAt(428, 300), kRigRed) << "standing, whole";
}

}  // namespace
}  // namespace GUI
