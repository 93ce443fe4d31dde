#include <gtest/gtest.h>

#include "system/os/Sleep.h"
#include "tests/media/display/OpenDisplayRig.h"

using sys::gfx::AdapterOperation;
using sys::gfx::PixelLayout;
using sys::gfx::Result;

namespace {

uint32_t gSlept = 0;
void AddUpSleep(uint32_t milliseconds) { gSlept += milliseconds; }

class DisplayTargetsTest : public OpenDisplayRig {
 protected:
  void TearDown() override { sys::SetSleepFunction(nullptr); }

  sys::gfx::Viewport3d Applied() { return Device().GetViewport(); }
  TRect Viewport() {
    TRect out;
    display->GetViewport(out.left, out.top, out.right, out.bottom);
    return out;
  }
  // A frame whose screen is black but for a white quad over everything.
  void FrameFilledWhite() {
    ASSERT_TRUE(display->BeginDraw(false));
    display->Begin2d();
    DrawQuad(-10, -10, 1000, 1000);
    display->EndDraw(false);
  }
};

TEST_F(DisplayTargetsTest, AViewportBeyondTheDisplayIsCutToIt) {
  display->SetViewport(-5, -5, 2000, 2000);
  EXPECT_EQ(Applied(), (sys::gfx::Viewport3d{0, 0, 800, 600, 0.0f, 1.0f}));
  EXPECT_EQ(Viewport(), TRect(-5, -5, 2000, 2000)) << "the edges asked for are kept";
}

TEST_F(DisplayTargetsTest, AViewportPastTheCornerKeepsItsLastPixel) {
  display->DrawRect(0, 0, -1, -1, TColor(0.0f, 0.0f, 0.0f, 1.0f), nullptr);
  display->SetViewport(900, 700, 10, 10);
  EXPECT_EQ(Applied(), (sys::gfx::Viewport3d{799, 599, 1, 1, 0.0f, 1.0f}));
  ASSERT_TRUE(display->BeginDraw(false));
  display->Begin2d();
  DrawQuad(0, 0, 800, 600);
  display->EndDraw(false);
  EXPECT_EQ(CountNot(Back(), 0xFF000000u), 1) << "nothing outside the viewport is touched";
  EXPECT_EQ(ColourAt(Back(), 799, 599), 0xFFFFFFFFu);
}

TEST_F(DisplayTargetsTest, PushAndPopPairsRestoreTheViewport) {
  display->SetViewport(10, 20, 300, 400);
  display->PushViewport(50, 60, 70, 80);
  display->PushViewport(0, 0, 5, 5);
  EXPECT_EQ(Viewport(), TRect(0, 0, 5, 5));
  EXPECT_EQ(display->PopViewport(), 0);
  EXPECT_EQ(Viewport(), TRect(50, 60, 70, 80));
  EXPECT_EQ(Applied(), (sys::gfx::Viewport3d{50, 60, 20, 20, 0.0f, 1.0f}));
  EXPECT_EQ(display->PopViewport(), 0);
  EXPECT_EQ(Viewport(), TRect(10, 20, 300, 400));
  EXPECT_EQ(Applied(), (sys::gfx::Viewport3d{10, 20, 290, 380, 0.0f, 1.0f}));
}

TEST_F(DisplayTargetsTest, APopWithoutAPushChangesNothing) {
  display->SetViewport(10, 20, 300, 400);
  EXPECT_NE(display->PopViewport(), 0);
  EXPECT_EQ(Viewport(), TRect(10, 20, 300, 400));
  EXPECT_TRUE(Logged("PopViewport without a pushed viewport"));
}

TEST_F(DisplayTargetsTest, ARefusedViewportIsLoggedAndReported) {
  adapter->Force(AdapterOperation::SetViewport, Result::OutOfVideoMemory);
  display->SetViewport(1, 2, 3, 4);
  EXPECT_TRUE(Logged("Bad viewport: 1, 2, 3, 4"));
  EXPECT_EQ(OutOfVideoMemoryReports(), 1);
}

TEST_F(DisplayTargetsTest, AScaledViewportStaysInsideTheScaledDisplay) {
  platform.embedded = true;
  platform.displayScale = 0.75f;
  Open();
  ASSERT_EQ(Back().Width(), 600);
  display->SetViewport(100, 101, 799, 600);
  EXPECT_EQ(Applied(), (sys::gfx::Viewport3d{75, 76, 524, 374, 0.0f, 1.0f}));
  display->SetViewport(0, 0, 800, 600);
  EXPECT_EQ(Applied(), (sys::gfx::Viewport3d{0, 0, 600, 450, 0.0f, 1.0f}));
}

TEST_F(DisplayTargetsTest, DrawingGoesIntoARenderTextureAndBackToTheScreen) {
  std::shared_ptr<TTexture> target = MakeTexture(64, 32, PixelLayout::X8R8G8B8, TTextureData::kRenderTarget);
  std::shared_ptr<sys::gfx::Surface> surface = target->GetData()->GetSurface();
  surface->Fill(nullptr, 0);
  display->DrawRect(0, 0, -1, -1, TColor(0.0f, 0.0f, 0.0f, 1.0f), nullptr);
  ASSERT_TRUE(display->PushRenderTarget(target));
  EXPECT_FALSE(display->IsDrawingToScreen());
  int32_t width = 0, height = 0;
  bool fullScreen = true;
  display->GetDisplaySize(width, height, fullScreen);
  EXPECT_EQ(width, 64);
  EXPECT_EQ(height, 32);
  display->Begin2d();
  DrawQuad(0, 0, 16, 16, 0xFFFF0000);
  display->End2d();
  ASSERT_TRUE(display->PopRenderTarget());
  EXPECT_TRUE(display->IsDrawingToScreen());
  EXPECT_EQ(ColourAt(*surface, 15, 15), 0xFFFF0000u);
  EXPECT_EQ(ColourAt(*surface, 16, 16), 0xFF000000u);
  EXPECT_EQ(CountNot(Back(), 0xFF000000u), 0) << "nothing reached the screen";
  display->GetDisplaySize(width, height, fullScreen);
  EXPECT_EQ(width, 800);
  EXPECT_EQ(Device().GetRenderTarget(), Data().mBackBuffer);

  FrameFilledWhite();
  EXPECT_EQ(CountNot(Back(), 0xFFFFFFFFu), 0) << "the screen is drawn again";
}

TEST_F(DisplayTargetsTest, OnlyRenderTexturesArePushed) {
  EXPECT_FALSE(display->PushRenderTarget(MakeTexture(16, 16, PixelLayout::X8R8G8B8)));
  EXPECT_FALSE(display->PushRenderTarget(nullptr));
  EXPECT_TRUE(display->IsDrawingToScreen());
  EXPECT_EQ(Device().GetRenderTarget(), Data().mBackBuffer);
}

TEST_F(DisplayTargetsTest, APopBelowTheScreenChangesNothing) {
  EXPECT_FALSE(display->PopRenderTarget());
  EXPECT_TRUE(display->IsDrawingToScreen());
  EXPECT_TRUE(Logged("PopRenderTarget without a pushed render target"));
}

TEST_F(DisplayTargetsTest, APushInsideAnOpenFrameIsRefused) {
  std::shared_ptr<TTexture> target = MakeTexture(32, 32, PixelLayout::X8R8G8B8, TTextureData::kRenderTarget);
  ASSERT_TRUE(display->BeginDraw(false));
  EXPECT_FALSE(display->PushRenderTarget(target));
  EXPECT_TRUE(Logged("PushRenderTarget refused inside a frame"));
  EXPECT_TRUE(display->IsDrawingToScreen());
  display->EndDraw(true);
  EXPECT_EQ(native->framesShown, 1) << "the frame is still shown";
}

TEST_F(DisplayTargetsTest, APushWhoseSceneCannotBeginLeavesTheScreenCurrent) {
  std::shared_ptr<TTexture> target = MakeTexture(32, 32, PixelLayout::X8R8G8B8, TTextureData::kRenderTarget);
  adapter->Force(AdapterOperation::BeginScene, Result::Failed);
  EXPECT_FALSE(display->PushRenderTarget(target));
  EXPECT_TRUE(display->IsDrawingToScreen());
  EXPECT_EQ(Device().GetRenderTarget(), Data().mBackBuffer);
  EXPECT_EQ(Data().mDisplayRect, TRect(0, 0, 800, 600));
}

TEST_F(DisplayTargetsTest, ASixteenBitTargetRefusedTwiceBreaksTheDisplay) {
  std::shared_ptr<TTexture> target = MakeTexture(32, 32, PixelLayout::R5G6B5, TTextureData::kRenderTarget);
  adapter->Force(AdapterOperation::SetViewport, Result::CurrentlyNotAvailable);
  adapter->Force(AdapterOperation::SetViewport, Result::CurrentlyNotAvailable);
  EXPECT_FALSE(display->PushRenderTarget(target));
  EXPECT_TRUE(Logged("Bad viewport in switching render target!"));
  EXPECT_TRUE(Logged("Failed to SetRenderTarget with bit depth 16"));
  EXPECT_TRUE(Data().mBroken);
  EXPECT_FALSE(display->IsReady());
  EXPECT_TRUE(Data().mContext->Uses32BitRenderTextures());
  EXPECT_EQ(Data().mDisplayRect, TRect(0, 0, 800, 600)) << "the display rectangle stays";
}

TEST_F(DisplayTargetsTest, ATargetRefusedOnceFallsBackToTheDisplayRectangle) {
  std::shared_ptr<TTexture> target = MakeTexture(32, 32, PixelLayout::X8R8G8B8, TTextureData::kRenderTarget);
  adapter->Force(AdapterOperation::SetViewport, Result::Failed);
  display->SwitchRenderTarget(Data().mBackBuffer, target->GetData()->GetSurface());
  EXPECT_TRUE(Logged("Bad viewport in switching render target!"));
  EXPECT_FALSE(Data().mBroken);
  EXPECT_EQ(Data().mDisplayRect, TRect(0, 0, 800, 600));
  EXPECT_EQ(Device().GetRenderTarget(), target->GetData()->GetSurface());
}

TEST_F(DisplayTargetsTest, AScaleOfZeroSwitchesAsOne) {
  platform.embedded = true;
  platform.displayScale = 0.0f;
  std::shared_ptr<TTexture> target = MakeTexture(64, 48, PixelLayout::X8R8G8B8, TTextureData::kRenderTarget);
  display->SwitchRenderTarget(Data().mBackBuffer, target->GetData()->GetSurface());
  EXPECT_EQ(Data().mDisplayRect, TRect(0, 0, 64, 48));
}

TEST_F(DisplayTargetsTest, AFrameClearsDepthCountsItselfAndPresents) {
  native->framesShown = 0;
  ASSERT_TRUE(display->BeginDraw(true));
  EXPECT_TRUE(Data().mInScene);
  EXPECT_EQ(Data().mWorkingCount, 1u);
  display->Begin2d();
  DrawQuad(0, 0, 8, 8, 0xFF00FF00);
  display->EndDraw(true);
  EXPECT_FALSE(Data().mInScene);
  EXPECT_EQ(native->framesShown, 1);
  sys::Picture shown;
  ASSERT_TRUE(native->ReadShownPicture(shown));
  EXPECT_EQ(shown.pixels[3 * shown.width + 3] & 0xFFFFFF, 0x00FF00u);
  display->EndDraw(true);
  EXPECT_EQ(native->framesShown, 1) << "an end without a beginning does nothing";
}

TEST_F(DisplayTargetsTest, AnInactiveProgramWaitsInsteadOfDrawing) {
  gSlept = 0;
  sys::SetSleepFunction(AddUpSleep);
  platform.active = false;
  EXPECT_FALSE(display->BeginDraw(false));
  EXPECT_EQ(gSlept, 200u);
  EXPECT_EQ(Data().mWorkingCount, 0u);
  platform.active = true;
  display->MarkBroken();
  EXPECT_FALSE(display->BeginDraw(false));
}

TEST_F(DisplayTargetsTest, ASceneThatCannotEndBreaksTheDisplay) {
  platform.time = 1234;
  ASSERT_TRUE(display->BeginDraw(false));
  adapter->Force(AdapterOperation::EndScene, Result::SceneEndFailed);
  display->EndDraw(true);
  EXPECT_TRUE(Data().mBroken);
  EXPECT_EQ(Data().mBrokenTime, 1234u);
  EXPECT_EQ(native->framesShown, 0);
}

}  // namespace
