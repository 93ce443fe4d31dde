// Render textures made by the texture factories: the render-target test
// that settles the drawing offset, and the render-target stack with them.
#include <gtest/gtest.h>

#include "tests/media/texture/TextureRig.h"

namespace {

using sys::gfx::AdapterOperation;
using sys::gfx::Result;

uint32_t DistinctTexel(int32_t x, int32_t y) {
  return 0xFF000000u | static_cast<uint32_t>(x * 16 + 8) << 16 | static_cast<uint32_t>(y * 16 + 4) << 8 |
         static_cast<uint32_t>((x * 7 + y * 3) & 0xFF);
}

using RenderTargetTextureTest = TextureRig;

TEST_F(RenderTargetTextureTest, TheTestSettlesOnMinusAHalfOnOurDeviceOnce) {
  Data().mPixelOffset = 0.25f;
  display->TestRenderTarget();
  EXPECT_FLOAT_EQ(Data().mPixelOffset, -0.5f);
  EXPECT_TRUE(Data().mRenderTargetTestDone);
  EXPECT_TRUE(display->IsDrawingToScreen());
  EXPECT_EQ(Device().GetRenderTarget(), Data().mBackBuffer);
  EXPECT_FALSE(platform.in2d);
  Data().mPixelOffset = 0.25f;
  display->TestRenderTarget();
  EXPECT_FLOAT_EQ(Data().mPixelOffset, 0.25f) << "it runs once";
}

TEST_F(RenderTargetTextureTest, ATestWhose2dBlockIsRefusedEndsNoBlock) {
  platform.in2d = true;  // a block of the caller's is open: the test's own is refused
  display->TestRenderTarget();
  EXPECT_TRUE(platform.journal.Contains("Begin2d"));
  EXPECT_FALSE(platform.journal.Contains("End2d"));
  EXPECT_TRUE(platform.in2d) << "the caller's block is still open";
  EXPECT_TRUE(display->IsDrawingToScreen());
}

TEST_F(RenderTargetTextureTest, ARenderTargetThatShowsNothingLeavesMinusAHalf) {
  Data().mPixelOffset = 0.25f;
  for (int n = 0; n < 10; ++n) adapter->Force(AdapterOperation::DrawPrimitive, Result::Failed);
  display->TestRenderTarget();
  EXPECT_FLOAT_EQ(Data().mPixelOffset, -0.5f);
}

TEST_F(RenderTargetTextureTest, WithoutADeviceTheTestWaitsForOne) {
  display = std::make_unique<TDx3dDisplayHandler>(adapter);
  platform.displayHandler = display.get();
  display->TestRenderTarget();
  EXPECT_FALSE(Data().mRenderTargetTestDone);
}

TEST_F(RenderTargetTextureTest, OnlyARenderTextureIsPushedAndBothStacksStayOtherwise) {
  display->PushViewport(1, 2, 3, 4);
  std::shared_ptr<TTexture> plain = TTexture::CreateBlank(32, 32, false);
  const auto targets = Data().mRenderTargets;
  const auto viewports = Data().mViewports;
  EXPECT_FALSE(display->PushRenderTarget(plain));
  EXPECT_EQ(Data().mRenderTargets, targets);
  EXPECT_EQ(Data().mViewports, viewports);
  EXPECT_EQ(Data().mViewport, TRect(1, 2, 3, 4));
}

TEST_F(RenderTargetTextureTest, APatternDrawnIntoARenderTextureReadsBackExactly) {
  Store("distinct.png", PngOf(16, 16, DistinctTexel, false));
  std::shared_ptr<TTexture> pattern = TTexture::Get("distinct", 0);
  std::shared_ptr<TTexture> target = TTexture::CreateRenderTarget(64, 32);
  ASSERT_TRUE(pattern && target);
  ASSERT_TRUE(platform.PushRenderTarget(target));
  EXPECT_FALSE(display->IsDrawingToScreen());
  ASSERT_TRUE(platform.Begin2d());
  pattern->DrawAt(40, 16, 1, 1, 0, 0);
  platform.End2d();
  ASSERT_TRUE(platform.PopRenderTarget());
  EXPECT_TRUE(display->IsDrawingToScreen());
  std::vector<uint32_t> pixels = LockedPixels(target);
  ASSERT_EQ(pixels.size(), 64u * 32u);
  for (int32_t y = 0; y < 32; ++y) {
    for (int32_t x = 0; x < 64; ++x) {
      const bool inside = x >= 32 && x < 48 && y >= 8 && y < 24;
      ASSERT_EQ(pixels[static_cast<size_t>(y) * 64 + x], inside ? DistinctTexel(x - 32, y - 8) : 0xFF000000u)
          << x << ", " << y;
    }
  }
  EXPECT_EQ(CountNot(Back(), 0xFF000000u), 0) << "nothing reached the screen";
}

}  // namespace
