#include "media/display/CDisplay.h"

#include <gtest/gtest.h>

#include "tests/media/display/DisplayRig.h"

using sys::gfx::AdapterOperation;
using sys::gfx::Result;

namespace {

class CDisplayTest : public DisplayRig {
 protected:
  CDisplay& Display() {
    if (!mDisplay) mDisplay = std::make_unique<CDisplay>(adapter);
    return *mDisplay;
  }
  Result FullScreen(int32_t width = 800, int32_t height = 600, uint32_t bits = 32) {
    return Display().CreateFullScreenDisplay(native, width, height, bits, 0);
  }
  Result Windowed(int32_t width = 320, int32_t height = 240) {
    return Display().CreateWindowedDisplay(native, nullptr, width, height, false, false);
  }
  static uint32_t PixelAt(sys::gfx::Surface& surface, int32_t x, int32_t y) {
    sys::gfx::LockedPixels locked;
    sys::gfx::Rect pixel{x, y, x + 1, y + 1};
    EXPECT_EQ(surface.Lock(&pixel, locked), Result::Ok);
    uint32_t value = sys::gfx::ReadPixel(locked.bits, locked.format.BytesPerPixel());
    EXPECT_EQ(surface.Unlock(), Result::Ok);
    return value;
  }
  static sys::gfx::AdapterDevice DeviceCalled(const std::string& description, bool hasGuid) {
    sys::gfx::AdapterDevice device;
    device.identifier.description = description;
    device.hasGuid = hasGuid;
    return device;
  }

  std::unique_ptr<CDisplay> mDisplay;
};

struct DepthCase {
  const char* name;
  std::vector<uint32_t> modeBits;  // the modes of 800 x 600
  uint64_t videoMemory;
  uint32_t asked;
  uint32_t used;  // 0: no mode is set
  const char* logged;
};

class DepthChoiceTest : public CDisplayTest, public testing::WithParamInterface<DepthCase> {};

// The depth comes from the modes of the asked size; little video memory
// holds it at 16 bits; the log names the depth asked after that rule.
TEST_P(DepthChoiceTest, ChoosesTheDepthFromTheModesOfTheSize) {
  const DepthCase& c = GetParam();
  config.modes = {{640, 480, 32}};
  for (uint32_t bits : c.modeBits) config.modes.push_back({800, 600, bits});
  config.videoMemory = c.videoMemory;
  MakeAdapter();
  Result made = FullScreen(800, 600, c.asked);
  if (c.used == 0) {
    EXPECT_NE(made, Result::Ok);
  } else {
    ASSERT_EQ(made, Result::Ok);
    EXPECT_EQ(Display().GetDevice()->GetDisplayMode(), (sys::gfx::DisplayMode{800, 600, c.used}));
    EXPECT_EQ(Display().GetBackBuffer()->Format().bitCount, c.used);
  }
  EXPECT_TRUE(Logged(c.logged)) << LogText();
}

INSTANTIATE_TEST_SUITE_P(
    Modes, DepthChoiceTest,
    testing::Values(DepthCase{"LittleMemory", {16, 32}, 8u << 20, 32, 16, "Created screen at 16 bpp."},
                    DepthCase{"SixteenReplacesTheFirst", {24, 16}, 256u << 20, 32, 16, "Created screen at 32 bpp."},
                    DepthCase{"AskedDepthWins", {16, 32}, 256u << 20, 32, 32, "Created screen at 32 bpp."},
                    DepthCase{"FirstWithoutSixteen", {32}, 256u << 20, 16, 32, "Created screen at 16 bpp."},
                    DepthCase{"PaletteModesDoNotCount", {8, 32}, 256u << 20, 16, 32, "Created screen at 16 bpp."},
                    DepthCase{"NoModeKeepsTheAskedDepth", {}, 256u << 20, 32, 0, "Failed to create screen at 32 bpp."}),
    [](const testing::TestParamInfo<DepthCase>& info) { return std::string(info.param.name); });

TEST_F(CDisplayTest, AFailingDeviceGivesWayToTheNextWithAGuid) {
  config.devices = {DeviceCalled("default", false), DeviceCalled("second", true)};
  MakeAdapter();
  adapter->Force(AdapterOperation::CreateDevice, Result::Failed);
  ASSERT_EQ(FullScreen(), Result::Ok);
  sys::gfx::DeviceIdentifier identifier;
  Display().GetDevice()->GetIdentifier(identifier);
  EXPECT_EQ(identifier.description, "second");
}

TEST_F(CDisplayTest, EveryStepThatFailsTriesTheNextDevice) {
  config.devices = {DeviceCalled("default", false), DeviceCalled("second", true)};
  for (AdapterOperation step : {AdapterOperation::SetCooperativeLevel, AdapterOperation::SetDisplayMode}) {
    MakeAdapter();
    mDisplay.reset();
    adapter->Force(step, Result::Failed);
    ASSERT_EQ(FullScreen(), Result::Ok);
    sys::gfx::DeviceIdentifier identifier;
    Display().GetDevice()->GetIdentifier(identifier);
    EXPECT_EQ(identifier.description, "second");
  }
}

TEST_F(CDisplayTest, NoDeviceLeftShowsTheBoxOnlyWhenNoDisplayWasEverCreated) {
  adapter->Force(AdapterOperation::CreateDevice, Result::Failed);
  EXPECT_EQ(FullScreen(), Result::Failed);
  EXPECT_TRUE(Logged("Failed to create a DirectDraw device after trying all GUIDs"));
  EXPECT_TRUE(layerLog.Contains("Sorry, but this product isn't compatible with your display."));

  LayerLogCapture later;
  ASSERT_EQ(FullScreen(), Result::Ok);
  adapter->Force(AdapterOperation::CreateDevice, Result::Failed);
  EXPECT_EQ(FullScreen(), Result::Failed);
  EXPECT_FALSE(later.Contains("Sorry, but this product"));
}

TEST_F(CDisplayTest, AFrontBufferWithoutAlphaChannelIsTriedSecond) {
  adapter->Force(AdapterOperation::CreateSurface, Result::Failed);
  ASSERT_EQ(FullScreen(), Result::Ok);
  EXPECT_TRUE(Logged("FAILED to create front buffer with DDSCAPS2_ENABLEALPHACHANNEL"));
  EXPECT_FALSE(Display().IsWindowed());
  EXPECT_TRUE(native->fullScreen);
  EXPECT_EQ(Display().GetScreenRect(), sys::gfx::SizeRect(800, 600));
  EXPECT_EQ(PixelAt(*Display().GetFrontBuffer(), 799, 599), 0u) << "filled black";
  EXPECT_EQ(PixelAt(*Display().GetBackBuffer(), 0, 0), 0u);
}

TEST_F(CDisplayTest, OutOfVideoMemoryIsReportedBeforeTheNextDeviceIsTried) {
  config.videoMemory = 1u << 20;
  MakeAdapter();
  EXPECT_EQ(FullScreen(), Result::Failed);
  EXPECT_GE(OutOfVideoMemoryReports(), 1);
}

TEST_F(CDisplayTest, AWindowIsSizedFramedAndNudgedIntoTheWorkArea) {
  native->fullScreen = true;
  native->alwaysOnTop = true;
  native->x = -40;
  native->y = 5;
  native->workArea = sys::PixelRect{0, 30, 1024, 768};
  ASSERT_EQ(Windowed(320, 240), Result::Ok);
  EXPECT_FALSE(native->fullScreen);
  EXPECT_FALSE(native->alwaysOnTop);
  EXPECT_EQ(native->clientWidth, 320);
  EXPECT_EQ(native->clientHeight, 240);
  EXPECT_EQ(native->x, 0);
  EXPECT_EQ(native->y, 30);
  EXPECT_TRUE(Display().IsWindowed());
  EXPECT_EQ(Display().GetBackBuffer()->Width(), 320);
  EXPECT_TRUE(Display().GetBackBuffer()->Caps() & sys::gfx::kCaps3dDevice);
  std::shared_ptr<sys::gfx::Clipper> clipper;
  ASSERT_EQ(Display().GetFrontBuffer()->GetClipper(clipper), Result::Ok);
  EXPECT_EQ(clipper->GetWindow(), native);
}

TEST_F(CDisplayTest, AnEmbeddedWindowKeepsItsFrameSizeAndPlace) {
  native->x = -40;
  ASSERT_EQ(Display().CreateWindowedDisplay(native, nullptr, 320, 240, true, true), Result::Ok);
  EXPECT_EQ(native->clientWidth, 480);
  EXPECT_EQ(native->x, -40);
  EXPECT_TRUE(Display().GetBackBuffer()->InVideoMemory());
}

TEST_F(CDisplayTest, FullScreenPresentFlipsOnceAfterTheFlipsStillDrawing) {
  ASSERT_EQ(FullScreen(), Result::Ok);
  Display().GetBackBuffer()->Fill(nullptr, 0x1234);
  adapter->Force(AdapterOperation::Flip, Result::WasStillDrawing);
  adapter->Force(AdapterOperation::Flip, Result::WasStillDrawing);
  EXPECT_EQ(Display().Present(), Result::Ok);
  EXPECT_EQ(PixelAt(*Display().GetFrontBuffer(), 10, 10), 0x1234u);
  EXPECT_EQ(PixelAt(*Display().GetBackBuffer(), 10, 10), 0u) << "one flip, not three";
}

TEST_F(CDisplayTest, ALostSurfaceIsRestoredAndTheLossReturned) {
  for (bool windowed : {false, true}) {
    ASSERT_EQ(windowed ? Windowed() : FullScreen(), Result::Ok);
    adapter->LoseVideoSurfaces();
    EXPECT_EQ(Display().Present(), Result::SurfaceLost);
    EXPECT_EQ(Display().GetFrontBuffer()->IsLost(), Result::Ok);
    EXPECT_EQ(Display().GetBackBuffer()->IsLost(), Result::Ok);
  }
}

TEST_F(CDisplayTest, AWindowedPresentLandsAtTheClientOrigin) {
  native->x = 100;
  native->y = 50;
  native->borderLeft = 4;
  native->borderTop = 20;
  ASSERT_EQ(Windowed(64, 48), Result::Ok);
  sys::gfx::Surface& back = *Display().GetBackBuffer();
  sys::gfx::Rect corner{0, 0, 8, 8};
  back.Fill(nullptr, sys::gfx::PixelFromArgb(back.Format(), 0xFF0000FF));
  back.Fill(&corner, sys::gfx::PixelFromArgb(back.Format(), 0xFFFF0000));
  EXPECT_EQ(Display().GetScreenRect(), (sys::gfx::Rect{104, 70, 168, 118}));
  ASSERT_EQ(Display().Present(), Result::Ok);
  sys::Picture shown;
  ASSERT_TRUE(native->ReadShownPicture(shown));
  ASSERT_EQ(shown.width, 64);
  EXPECT_EQ(shown.pixels[0] & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(shown.pixels[7 * 64 + 7] & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(shown.pixels[8 * 64 + 8] & 0xFFFFFF, 0x0000FFu);
  int32_t x = 0, y = 0;
  Display().GetScreenOrigin(x, y);
  EXPECT_EQ(x, 104);
  EXPECT_EQ(y, 70);
}

TEST_F(CDisplayTest, AWindowMovedSinceTheSetUpIsPresentedWhereItIsNow) {
  ASSERT_EQ(Windowed(64, 48), Result::Ok);
  native->SetPosition(300, 200);
  sys::gfx::Surface& back = *Display().GetBackBuffer();
  back.Fill(nullptr, sys::gfx::PixelFromArgb(back.Format(), 0xFF00FF00));
  ASSERT_EQ(Display().Present(), Result::Ok);
  EXPECT_EQ(Display().GetScreenRect(), (sys::gfx::Rect{300, 200, 364, 248}));
  sys::Picture shown;
  ASSERT_TRUE(native->ReadShownPicture(shown));
  EXPECT_EQ(shown.pixels[0] & 0xFFFFFF, 0x00FF00u);
}

TEST_F(CDisplayTest, PresentRectCopiesAPartAndKeepsItsDestination) {
  ASSERT_EQ(Windowed(64, 48), Result::Ok);
  sys::gfx::Rect part{0, 0, 16, 16};
  sys::gfx::Rect onScreen{200, 100, 216, 116};
  EXPECT_EQ(Display().PresentRect(&onScreen, &part), Result::Ok);
  EXPECT_EQ(Display().GetScreenRect(), onScreen);
}

TEST_F(CDisplayTest, AFailedSurfaceLeavesNoHolder) {
  ASSERT_EQ(Windowed(), Result::Ok);
  std::unique_ptr<TSurfaceHolder> holder;
  ASSERT_EQ(Display().CreateSurface(holder, 16, 8, nullptr, nullptr), Result::Ok);
  ASSERT_TRUE(holder);
  EXPECT_EQ(holder->desc.width, 16);
  EXPECT_TRUE(holder->desc.caps & sys::gfx::kCapsOffscreenPlain);
  adapter->Force(AdapterOperation::CreateSurface, Result::OutOfVideoMemory);
  EXPECT_EQ(Display().CreateSurface(holder, 16, 8, nullptr, nullptr), Result::OutOfVideoMemory);
  EXPECT_EQ(holder, nullptr);
}

TEST_F(CDisplayTest, ObjectsGoAndTheScreenIsHandedBack) {
  ASSERT_EQ(FullScreen(), Result::Ok);
  Display().DestroyObjects();
  EXPECT_EQ(Display().GetDevice(), nullptr);
  EXPECT_EQ(Display().GetFrontBuffer(), nullptr);
  EXPECT_EQ(Display().Present(), Result::NoObject);
  EXPECT_FALSE(native->fullScreen);
  std::unique_ptr<TSurfaceHolder> holder;
  EXPECT_EQ(Display().CreateSurface(holder, 16, 8, nullptr, nullptr), Result::NoObject);
}

}  // namespace
