#include "system/gfx/Screen.h"

#include <gtest/gtest.h>

#include <thread>

#include "tests/system/gfx/GfxRig.h"

namespace {

using namespace sys::gfx;

class ScreenTest : public GfxRig {
 protected:
  void SetUp() override {
    AdapterConfig config = Config();
    config.desktop.width = 1920;
    config.desktop.height = 1080;
    MakeDevice(config);
  }

  // Full screen at 800 x 600: the front surface with its back buffer.
  void GoFullScreen(uint32_t bits = 32) {
    ASSERT_EQ(device->SetCooperativeLevel(&window, CooperativeLevel::ExclusiveFullScreen), Result::Ok);
    ASSERT_EQ(device->SetDisplayMode(DisplayMode{800, 600, bits}), Result::Ok);
    SurfaceDesc chain = DescOf(0, 0, kCapsPrimarySurface | kCapsFlip | kCapsComplex | kCaps3dDevice);
    chain.backBufferCount = 1;
    ASSERT_EQ(device->CreateSurface(chain, front), Result::Ok);
    ASSERT_EQ(front->GetAttachedSurface(kCapsBackBuffer, back), Result::Ok);
  }

  // A window whose 800 x 600 client area lies at (100, 50) on the desktop,
  // a clipped primary surface and an off-screen back buffer.
  void GoWindowed() {
    window.x = 97;
    window.y = 30;
    window.borderLeft = 3;
    window.borderTop = 20;
    window.clientWidth = 800;
    window.clientHeight = 600;
    ASSERT_EQ(device->CreateSurface(DescOf(0, 0, kCapsPrimarySurface), front), Result::Ok);
    std::shared_ptr<Clipper> clipper;
    ASSERT_EQ(device->CreateClipper(clipper), Result::Ok);
    ASSERT_EQ(clipper->SetWindow(&window), Result::Ok);
    ASSERT_EQ(front->SetClipper(clipper), Result::Ok);
    back = Make(800, 600, kCapsOffscreenPlain | kCaps3dDevice);
  }

  // The back buffer: four quarters of red, green, blue and white.
  void DrawQuarters(Surface& surface) {
    const PixelFormat& format = surface.Format();
    Rect quarters[] = {{0, 0, 400, 300}, {400, 0, 800, 300}, {0, 300, 400, 600}, {400, 300, 800, 600}};
    uint32_t colors[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    for (int i = 0; i < 4; ++i) ASSERT_EQ(surface.Fill(&quarters[i], PixelFromArgb(format, colors[i])), Result::Ok);
  }

  std::shared_ptr<Surface> front;
  std::shared_ptr<Surface> back;
};

TEST_F(ScreenTest, FlipSwapsThePicturesOfFrontAndBack) {
  GoFullScreen();
  ASSERT_EQ(back->Fill(nullptr, 0xAAAAAA), Result::Ok);
  ASSERT_EQ(front->Flip(), Result::Ok);
  EXPECT_EQ(PixelAt(*front, 5, 5), 0xAAAAAAu);
  EXPECT_EQ(window.picture.At(960, 540), 0xFFAAAAAAu);

  ASSERT_EQ(back->Fill(nullptr, 0xBBBBBB), Result::Ok);
  ASSERT_EQ(front->Flip(), Result::Ok);
  EXPECT_EQ(PixelAt(*front, 5, 5), 0xBBBBBBu);
  EXPECT_EQ(PixelAt(*back, 5, 5), 0xAAAAAAu);  // the previous picture, kept
  EXPECT_EQ(window.picture.At(960, 540), 0xFFBBBBBBu);
  EXPECT_EQ(back->Flip(), Result::NotFlippable);
}

TEST_F(ScreenTest, FullScreenFrameIsScaledCentredBetweenBars) {
  GoFullScreen();
  EXPECT_TRUE(window.fullScreen);
  DrawQuarters(*back);
  ASSERT_EQ(front->Flip(), Result::Ok);
  sys::Picture picture;
  ASSERT_TRUE(window.ReadShownPicture(picture));
  ASSERT_EQ(picture.width, 1920);
  ASSERT_EQ(picture.height, 1080);
  // 800 x 600 fits 1440 x 1080, from x = 240 to 1680.
  EXPECT_EQ(picture.At(0, 0), 0xFF000000u);
  EXPECT_EQ(picture.At(239, 540), 0xFF000000u);
  EXPECT_EQ(picture.At(1680, 540), 0xFF000000u);
  EXPECT_EQ(picture.At(1919, 1079), 0xFF000000u);
  EXPECT_EQ(picture.At(240, 0), 0xFFFF0000u);
  EXPECT_EQ(picture.At(959, 539), 0xFFFF0000u);
  EXPECT_EQ(picture.At(960, 539), 0xFF00FF00u);
  EXPECT_EQ(picture.At(959, 540), 0xFF0000FFu);
  EXPECT_EQ(picture.At(1679, 1079), 0xFFFFFFFFu);
}

TEST_F(ScreenTest, PointerOnTheFullScreenMapsIntoTheFrame) {
  GoFullScreen();
  ASSERT_EQ(front->Flip(), Result::Ok);
  window.MoveTo(100, 540);      // on the left bar
  window.MoveTo(960, 540);      // the middle
  window.Press(sys::MouseButton::Left, 1900, 1079);  // the bottom right bar
  window.Release(sys::MouseButton::Left, 1000, -20);  // above the desktop
  std::vector<sys::InputEvent> input;
  window.ReadInput(input);
  ASSERT_EQ(input.size(), 4u);
  EXPECT_EQ(std::make_pair(input[0].x, input[0].y), std::make_pair(0, 300));
  EXPECT_EQ(std::make_pair(input[1].x, input[1].y), std::make_pair(400, 300));
  EXPECT_EQ(std::make_pair(input[2].x, input[2].y), std::make_pair(799, 599));
  EXPECT_EQ(std::make_pair(input[3].x, input[3].y), std::make_pair(422, 0));
  int32_t width = 0;
  int32_t height = 0;
  window.GetClientSize(width, height);
  EXPECT_EQ(std::make_pair(width, height), std::make_pair(800, 600));  // the frame, not the desktop
}

TEST_F(ScreenTest, WindowedFrameIsTheClientAreaAtItsOwnSize) {
  GoWindowed();
  EXPECT_EQ(front->Width(), 1920);  // the desktop
  DrawQuarters(*back);
  Rect client{100, 50, 900, 650};
  ASSERT_EQ(front->Blit(&client, *back, nullptr, kBlitWait), Result::Ok);
  sys::Picture picture;
  ASSERT_TRUE(window.ReadShownPicture(picture));
  ASSERT_EQ(picture.width, 800);
  ASSERT_EQ(picture.height, 600);
  EXPECT_EQ(picture.At(0, 0), 0xFFFF0000u);
  EXPECT_EQ(picture.At(799, 0), 0xFF00FF00u);
  EXPECT_EQ(picture.At(0, 599), 0xFF0000FFu);
  EXPECT_EQ(picture.At(799, 599), 0xFFFFFFFFu);

  // Pointer positions stay client positions.
  window.MoveTo(-5, 700);
  std::vector<sys::InputEvent> input;
  window.ReadInput(input);
  EXPECT_EQ(std::make_pair(input[0].x, input[0].y), std::make_pair(-5, 700));
}

TEST_F(ScreenTest, WindowPartlyOffTheDesktopShowsBlackBeyondIt) {
  GoWindowed();
  window.x = 1500;
  ASSERT_EQ(front->Fill(nullptr, 0x123456), Result::Ok);
  EXPECT_EQ(window.picture.At(0, 0), 0xFF123456u);
  EXPECT_EQ(window.picture.At(416, 0), 0xFF123456u);   // desktop x 1919
  EXPECT_EQ(window.picture.At(417, 0), 0xFF000000u);   // beyond it
}

TEST_F(ScreenTest, SixteenBitPicturesAreConvertedWhenShown) {
  GoFullScreen(16);
  EXPECT_EQ(front->Format(), MakePixelFormat(PixelLayout::R5G6B5));
  ASSERT_EQ(back->Fill(nullptr, PixelFromArgb(back->Format(), 0xFF877F0F)), Result::Ok);
  ASSERT_EQ(front->Flip(), Result::Ok);
  EXPECT_EQ(window.picture.At(960, 540), 0xFF847D08u);
}

TEST_F(ScreenTest, ChangeFromAnotherThreadShowsAfterTheMainThreadsNextPass) {
  GoFullScreen();
  ASSERT_EQ(front->Flip(), Result::Ok);
  int shown = window.framesShown;
  std::thread cursor([&] {
    Rect spot{400, 300, 410, 310};
    EXPECT_EQ(front->Fill(&spot, 0xFFFFFF), Result::Ok);
  });
  cursor.join();
  EXPECT_EQ(window.framesShown, shown);
  EXPECT_EQ(window.picture.At(962, 542), 0xFF000000u);
  PresentChangedScreens();
  EXPECT_EQ(window.framesShown, shown + 1);
  EXPECT_EQ(window.picture.At(962, 542), 0xFFFFFFFFu);
  PresentChangedScreens();
  EXPECT_EQ(window.framesShown, shown + 1);
}

TEST_F(ScreenTest, DirectWritesShowWhenUnlocked) {
  GoFullScreen();
  LockedPixels locked;
  ASSERT_EQ(front->Lock(nullptr, locked), Result::Ok);
  WritePixel(locked.bits, 4, 0x00FF00);
  int shown = window.framesShown;
  ASSERT_EQ(front->Unlock(), Result::Ok);
  EXPECT_EQ(window.framesShown, shown + 1);
  EXPECT_EQ(window.picture.At(240, 0), 0xFF00FF00u);
}

TEST_F(ScreenTest, LostScreenShowsNothingUntilRestored) {
  GoFullScreen();
  ASSERT_EQ(front->Flip(), Result::Ok);
  int shown = window.framesShown;
  adapter->LoseVideoSurfaces();
  EXPECT_EQ(front->Flip(), Result::SurfaceLost);
  EXPECT_EQ(back->Fill(nullptr, 0), Result::SurfaceLost);
  ASSERT_EQ(device->RestoreAllSurfaces(), Result::Ok);
  ASSERT_EQ(front->Flip(), Result::Ok);
  EXPECT_EQ(window.framesShown, shown + 1);
  // The picture is the garbage the restore left, 0xXXRRGGBB of its first bytes.
  uint32_t garbage = Surface::GarbageByte(0) | Surface::GarbageByte(1) << 8 | Surface::GarbageByte(2) << 16;
  EXPECT_EQ(window.picture.At(240, 0), 0xFF000000u | garbage);
}

TEST_F(ScreenTest, LeavingTheExclusiveLevelLeavesTheDesktopFullScreen) {
  GoFullScreen();
  ASSERT_TRUE(window.fullScreen);
  ASSERT_EQ(device->SetCooperativeLevel(&window, CooperativeLevel::Normal), Result::Ok);
  EXPECT_FALSE(window.fullScreen);
  EXPECT_EQ(device->GetDisplayMode(), (DisplayMode{1920, 1080, 32}));
}

}  // namespace
