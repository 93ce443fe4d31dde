#include "system/window/FrameFit.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using sys::FrameFit;

struct FitCase {
  int32_t clientWidth, clientHeight, frameWidth, frameHeight;
  bool scale;
  int32_t x, y, width, height;
};

class FrameFits : public testing::TestWithParam<FitCase> {};

TEST_P(FrameFits, PlaceTheFrame) {
  const FitCase& c = GetParam();
  FrameFit fit = FrameFit::Of(c.clientWidth, c.clientHeight, c.frameWidth, c.frameHeight, c.scale);
  EXPECT_EQ(fit.x, c.x);
  EXPECT_EQ(fit.y, c.y);
  EXPECT_EQ(fit.width, c.width);
  EXPECT_EQ(fit.height, c.height);
}

INSTANTIATE_TEST_SUITE_P(All, FrameFits,
                         testing::Values(FitCase{1920, 1080, 800, 600, true, 240, 0, 1440, 1080},
                                         FitCase{1024, 1280, 800, 600, true, 0, 256, 1024, 768},
                                         FitCase{800, 600, 800, 600, true, 0, 0, 800, 600},
                                         FitCase{1920, 1080, 800, 600, false, 0, 0, 800, 600},
                                         FitCase{640, 480, 800, 600, false, 0, 0, 800, 600}));

TEST(FrameFit, PointersOnBarsGoToTheFramesEdgeAndTheMiddleToItsMiddle) {
  FrameFit fit = FrameFit::Of(1920, 1080, 800, 600, true);
  struct {
    int32_t x, y, frameX, frameY;
  } cases[] = {{960, 540, 400, 300}, {0, 0, 0, 0},     {239, 1079, 0, 599}, {1680, 0, 799, 0},
               {1919, 540, 799, 300}, {240, 0, 0, 0}, {1679, 1079, 799, 599}, {-50, 5000, 0, 599}};
  for (const auto& c : cases) {
    int32_t x = c.x;
    int32_t y = c.y;
    fit.ToFrame(x, y);
    EXPECT_EQ(x, c.frameX) << c.x << "," << c.y;
    EXPECT_EQ(y, c.frameY) << c.x << "," << c.y;
  }
}

TEST(FrameFit, FramePositionsGoBackToTheClientPixelsThatShowThem) {
  FrameFit fit = FrameFit::Of(1920, 1080, 800, 600, true);
  for (auto [frameX, frameY] : {std::pair{0, 0}, std::pair{400, 300}, std::pair{799, 599}, std::pair{13, 577}}) {
    int32_t x = frameX;
    int32_t y = frameY;
    fit.FromFrame(x, y);
    fit.ToFrame(x, y);
    EXPECT_EQ(x, frameX);
    EXPECT_EQ(y, frameY);
  }
}

TEST(FrameFit, ScaledDrawingRepeatsPixelsBetweenBlackBars) {
  const uint32_t frame[] = {1, 2, 3, 4};  // 2 x 2
  sys::FrameView view{reinterpret_cast<const uint8_t*>(frame), 2, 2, 8};
  FrameFit fit = FrameFit::Of(8, 4, 2, 2, true);
  std::vector<uint32_t> client(8 * 4, 0xDEAD);
  sys::DrawFittedFrame(view, fit, reinterpret_cast<uint8_t*>(client.data()), 32, 8, 4);
  const std::vector<uint32_t> expected = {0, 0, 1, 1, 2, 2, 0, 0,  //
                                          0, 0, 1, 1, 2, 2, 0, 0,  //
                                          0, 0, 3, 3, 4, 4, 0, 0,  //
                                          0, 0, 3, 3, 4, 4, 0, 0};
  EXPECT_EQ(client, expected);
}

TEST(FrameFit, UnscaledDrawingKeepsTheCornerAndBlacksTheRest) {
  const uint32_t frame[] = {1, 2, 3, 4, 5, 6};  // 3 x 2
  sys::FrameView view{reinterpret_cast<const uint8_t*>(frame), 3, 2, 12};
  FrameFit fit = FrameFit::Of(2, 3, 3, 2, false);
  std::vector<uint32_t> client(2 * 3, 0xDEAD);
  sys::DrawFittedFrame(view, fit, reinterpret_cast<uint8_t*>(client.data()), 8, 2, 3);
  const std::vector<uint32_t> expected = {1, 2, 4, 5, 0, 0};
  EXPECT_EQ(client, expected);
}

}  // namespace
