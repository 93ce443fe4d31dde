// The display's set-up: the mode chosen from the request and the desktop,
// the fallback chain, the host window's rules, the settings file and the
// states every set-up starts from.
#include <gtest/gtest.h>

#include <cmath>

#include "media/display/TDx3dDisplayHandler.h"
#include "system/gfx/Matrix4.h"
#include "system/os/LayerLog.h"
#include "tests/media/display/OpenDisplayRig.h"
#include "tests/support/TestFileLayer.h"

using sys::gfx::AdapterOperation;
using sys::gfx::Result;

namespace {

class DisplaySetUpTest : public DisplayRig {
 protected:
  DisplaySetUpTest() { GTEST_FLAG_SET(death_test_style, "threadsafe"); }

  void SetDesktop(int32_t width, int32_t height, int32_t colors) {
    DisplayRig::SetDesktop(width, height, colors);
    display.reset();
  }
  TDx3dDisplayHandler& Display() {
    if (!display) display = std::make_unique<TDx3dDisplayHandler>(adapter);
    return *display;
  }
  TDxDisplayHandlerData& Data() { return Display().GetData(); }
  void Set(int32_t width, int32_t height, bool fullScreen, bool force = false, bool quiet = false) {
    Display().SetDisplay(width, height, fullScreen, force, quiet, false);
  }
  // Boxes without an owner are logged (there is no desktop to show them);
  // the window's own boxes reach the fake window.
  bool ShowedBox(const std::string& text) const {
    for (const std::string& box : native->messageBoxes) {
      if (box.find(text) != std::string::npos) return true;
    }
    return layerLog.Contains(text);
  }
  bool ShowedAnyBox() const { return !native->messageBoxes.empty() || layerLog.Contains("Message box"); }
  // Lets the set-up's boxes and exit reach standard error in a death test.
  static void ToStandardError() { sys::SetLogWriter(nullptr); }

  std::unique_ptr<TDx3dDisplayHandler> display;
};

TEST_F(DisplaySetUpTest, AWindowOpensCentredShownAndReady) {
  Set(800, 600, false);
  ASSERT_TRUE(Display().IsReady());
  EXPECT_FALSE(Display().IsFullScreen());
  EXPECT_TRUE(native->shown);
  EXPECT_EQ(native->x, 112) << "centred on the 1024 x 768 work area";
  EXPECT_EQ(native->y, 84);
  EXPECT_FALSE(native->fullScreen);
  EXPECT_FALSE(native->alwaysOnTop);
  EXPECT_EQ(Data().mRenderTargets.size(), 1u);
  EXPECT_EQ(Data().mRenderTargets.front()->surface, Data().mBackBuffer);
  EXPECT_EQ(platform.Calls(), (std::vector<std::string>{"ReleaseAssets", "MarkDisplayChanged", "RestoreAssets"}));
  EXPECT_FALSE(ShowedAnyBox());
}

TEST_F(DisplaySetUpTest, FullScreenCoversTheDesktopOnTopAndTakesTheFocus) {
  Set(800, 600, true);
  ASSERT_TRUE(Display().IsReady());
  EXPECT_TRUE(Display().IsFullScreen());
  EXPECT_TRUE(native->fullScreen);
  EXPECT_TRUE(native->alwaysOnTop);
  EXPECT_EQ(native->raised, 1);
  EXPECT_EQ(native->x, 0) << "a full-screen window is not centred";
}

TEST_F(DisplaySetUpTest, AWindowOnAPalettedDesktopBecomesFullScreenWithoutABox) {
  SetDesktop(1024, 768, 256);
  Set(800, 600, false);
  EXPECT_TRUE(Logged("SetDisplay Forcing Fullscreen (PALLETTED)"));
  EXPECT_TRUE(Display().IsFullScreen());
  EXPECT_TRUE(Display().IsReady());
  EXPECT_FALSE(ShowedAnyBox());
}

TEST_F(DisplaySetUpTest, AWindowAsLargeAsTheDesktopBecomesFullScreen) {
  SetDesktop(800, 600, -1);
  Set(800, 600, false);
  EXPECT_TRUE(Logged("SetDisplay Forcing Fullscreen (SMALL)"));
  EXPECT_TRUE(Display().IsFullScreen());
  EXPECT_FALSE(ShowedAnyBox());
}

TEST_F(DisplaySetUpTest, InTheHostModeADesktopAsLargeAsTheWindowKeepsAScaledWindow) {
  SetDesktop(800, 600, -1);
  platform.hostDecidesFullScreen = true;
  platform.embedded = true;
  Set(800, 600, false);
  EXPECT_FALSE(Logged("Forcing Fullscreen"));
  EXPECT_FALSE(Display().IsFullScreen());
  EXPECT_TRUE(Display().IsReady());
}

TEST_F(DisplaySetUpTest, InTheHostModeAnUnscaledWindowFailsWithItsReasonAndEndsFullScreen) {
  SetDesktop(800, 600, -1);
  platform.hostDecidesFullScreen = true;
  Set(800, 600, false);
  EXPECT_TRUE(ShowedBox(
      "Cannot run in a window when your desktop is set to 800x600 or lower resolution. Switching to full screen."));
  EXPECT_TRUE(Display().IsFullScreen());
  EXPECT_TRUE(Display().IsReady());
  EXPECT_FALSE(Data().mFallbackTried) << "the fallback succeeded";
}

TEST_F(DisplaySetUpTest, AWindowOutOfVideoMemoryEndsFullScreenAndLaterWindowsAreForcedToIt) {
  adapter->Force(AdapterOperation::CreateSurface, Result::OutOfVideoMemory);
  Set(800, 600, false);
  EXPECT_TRUE(ShowedBox("Cannot run in a window: Insufficient video memory. Switching to full screen."));
  EXPECT_TRUE(Display().IsFullScreen());
  EXPECT_TRUE(Display().IsReady());
  Set(640, 480, false);
  EXPECT_TRUE(Logged("SetDisplay Forcing Fullscreen (MEMORY)"));
  EXPECT_TRUE(Display().IsFullScreen());
}

TEST_F(DisplaySetUpTest, AWindowFailingWithoutAReasonTriesFullScreen) {
  adapter->Force(AdapterOperation::CreateDevice3d, Result::Failed);
  Set(800, 600, false);
  EXPECT_TRUE(ShowedBox("Failed to initialize windowed mode. Trying full screen."));
  EXPECT_TRUE(Display().IsFullScreen());
  EXPECT_TRUE(Display().IsReady());
}

TEST_F(DisplaySetUpTest, QuietSetUpsFallBackWithoutBoxes) {
  adapter->Force(AdapterOperation::CreateDevice3d, Result::Failed);
  Set(800, 600, true, false, true);
  EXPECT_FALSE(Display().IsFullScreen()) << "the window it fell back to";
  EXPECT_TRUE(Display().IsReady());
  EXPECT_FALSE(ShowedAnyBox());
}

TEST_F(DisplaySetUpTest, TheSameModeAgainDoesNothingUnlessForced) {
  Set(800, 600, false);
  Set(800, 600, false);
  EXPECT_EQ(platform.journal.Count("ReleaseAssets"), 1);
  Set(800, 600, false, true);
  EXPECT_EQ(platform.journal.Count("ReleaseAssets"), 2);
  EXPECT_TRUE(Display().IsReady());
}

TEST_F(DisplaySetUpTest, AnInactiveProgramSetsUpOnlyWhenForced) {
  platform.active = false;
  Set(800, 600, false);
  EXPECT_EQ(Data().mDevice, nullptr);
  EXPECT_TRUE(platform.Calls().empty());
  Set(800, 600, false, true);
  EXPECT_TRUE(Display().IsReady());
}

TEST_F(DisplaySetUpTest, FullScreenThenWindowFailingPostsQuitAndTheNextSetUpExits) {
  adapter->Force(AdapterOperation::CreateDevice3d, Result::Failed);
  adapter->Force(AdapterOperation::CreateDevice3d, Result::Failed);
  Set(800, 600, true);
  EXPECT_TRUE(Logged("ERROR FALLBACK FAILED"));
  EXPECT_TRUE(ShowedBox("Error|Failed to initialize window. Please try running the game again."))
      << "the window's own box";
  EXPECT_TRUE(ShowedBox("Failed to initialize full screen mode. Your video card is not supported."));
  EXPECT_EQ(platform.quitRequests, 1);
  EXPECT_TRUE(Data().mFatal);
  EXPECT_FALSE(Display().IsReady());
  // -1 as the exit status the parent sees.
  EXPECT_EXIT(Set(640, 480, true), testing::ExitedWithCode(255), "");
}

TEST_F(DisplaySetUpTest, AFailureWhileInactiveAndInTheBackgroundLeavesTheDisplayBroken) {
  Set(800, 600, false);
  platform.active = false;
  platform.time = 5000;
  adapter->Force(AdapterOperation::CreateDevice3d, Result::Failed);
  Set(640, 480, false, true);
  EXPECT_TRUE(Logged("SetDisplay marking DirectX Broken: INACTIVE, BACKGROUND"));
  EXPECT_TRUE(Data().mBroken);
  EXPECT_EQ(Data().mBrokenTime, 5000u);
  EXPECT_FALSE(Display().IsReady());
  EXPECT_FALSE(ShowedAnyBox());
}

TEST_F(DisplaySetUpTest, AFailureOfAnActiveProgramInTheBackgroundIsMarkedSo) {
  Set(800, 600, false);
  adapter->Force(AdapterOperation::CreateDevice3d, Result::Failed);
  Set(640, 480, false);
  EXPECT_TRUE(Logged("SetDisplay marking DirectX Broken: ACTIVE, BACKGROUND"));
  EXPECT_TRUE(Data().mBroken);
}

TEST_F(DisplaySetUpTest, ASixteenColourDesktopEndsTheProgramWithABoxUnlessQuiet) {
  SetDesktop(1024, 768, 16);
  EXPECT_EXIT(
      {
        ToStandardError();
        Set(800, 600, true);
      },
      testing::ExitedWithCode(255), "256 color mode or higher");
  EXPECT_EXIT(Set(800, 600, true, false, true), testing::ExitedWithCode(255), "");
}

struct HostRefusal {
  const char* name;
  int32_t desktopWidth;
  int32_t desktopColors;
  bool lowVideoMemory;
  const char* box;
};

class HostRefusalTest : public DisplaySetUpTest, public testing::WithParamInterface<HostRefusal> {};

TEST_P(HostRefusalTest, AHostedWindowTheDesktopCannotShowEndsTheProgramWithABox) {
  const HostRefusal& c = GetParam();
  SetDesktop(c.desktopWidth, 768, c.desktopColors);
  if (c.lowVideoMemory) {
    adapter->Force(AdapterOperation::CreateSurface, Result::OutOfVideoMemory);
    Set(800, 600, false);
    ASSERT_TRUE(Data().mContext->HasLowVideoMemory());
  }
  platform.hostWindow = true;
  EXPECT_EXIT(
      {
        ToStandardError();
        Set(640, 480, false, true);
      },
      testing::ExitedWithCode(255), c.box);
}

INSTANTIATE_TEST_SUITE_P(
    Reasons, HostRefusalTest,
    testing::Values(HostRefusal{"Paletted", 1024, 256, false, "when your video mode is 8 bits or less"},
                    HostRefusal{"Small", 640, -1, false, "at your current screen resolution. Change"},
                    HostRefusal{"Memory", 1024, -1, true, "bit depth \\(out of memory\\)"}),
    [](const testing::TestParamInfo<HostRefusal>& info) { return info.param.name; });

TEST_F(DisplaySetUpTest, AHostWindowThatWentEndsTheProgram) {
  platform.embedded = true;
  platform.hostWindow = true;
  platform.hostWindowLost = true;
  EXPECT_EXIT(Set(800, 600, false), testing::ExitedWithCode(255), "");
}

TEST_F(DisplaySetUpTest, InsideAHostTheWindowIsTheHostsChildLeftInPlaceAndHidden) {
  platform.embedded = true;
  platform.hostWindow = true;
  native->x = 30;
  Set(800, 600, false);
  ASSERT_TRUE(Display().IsReady());
  EXPECT_EQ(Data().mContext->GetExternalWindow(), window.get());
  EXPECT_EQ(native->x, 0) << "placed at the host's corner";
  EXPECT_FALSE(native->shown) << "the host shows its child";
}

TEST_F(DisplaySetUpTest, InsideAHostAFailureIsRetriedOnlyASecondLater) {
  platform.embedded = true;
  platform.hostWindow = true;
  platform.time = 2000;
  adapter->Force(AdapterOperation::CreateDevice3d, Result::Failed);
  Set(800, 600, false);
  EXPECT_TRUE(Data().mBroken) << "no fallback inside a host";
  EXPECT_FALSE(ShowedAnyBox());
  platform.time = 2999;
  Set(800, 600, false, true);
  EXPECT_FALSE(Display().IsReady()) << "too soon";
  platform.time = 3000;
  Set(800, 600, false, true);
  EXPECT_TRUE(Display().IsReady());
}

struct SettingsCase {
  const char* file;  // null: no file
  uint32_t bitCount;
};

class DisplaySettingsTest : public DisplaySetUpTest, public testing::WithParamInterface<SettingsCase> {};

// A window's back buffer has the desktop's depth whatever the setting says.
TEST_P(DisplaySettingsTest, LowMemoryVideoGivesAFullScreen16BitBackBuffer) {
  TestFileLayer files;
  if (GetParam().file) files.Write("common/display.xml", GetParam().file);
  Set(800, 600, true);
  ASSERT_TRUE(Display().IsReady());
  EXPECT_EQ(Data().mBackBuffer->Format().bitCount, GetParam().bitCount);
}

INSTANTIATE_TEST_SUITE_P(Files, DisplaySettingsTest,
                         testing::Values(SettingsCase{nullptr, 32}, SettingsCase{"<Settings/>", 32},
                                         SettingsCase{"<Other LowMemoryVideo=\"1\"/>", 32},
                                         SettingsCase{"<Settings LowMemoryVideo=\"0\"/>", 32},
                                         SettingsCase{"<Settings LowMemoryVideo=\"1\"/>", 16},
                                         SettingsCase{"<Settings LowMemoryVideo=\"2\"/>", 16}));

struct PresentCase {
  bool asset;
  bool suspended;
  int frames;
};

class SetUpPresentTest : public DisplaySetUpTest, public testing::WithParamInterface<PresentCase> {};

// A set-up shows the black picture at once while there are assets to draw
// and the window manager draws.
TEST_P(SetUpPresentTest, PresentsOnceWhenAssetsExistAndTheWindowManagerDraws) {
  auto asset = std::make_shared<TAsset>();
  if (GetParam().asset) platform.assets->Register("asset", asset);
  platform.windowManagerSuspended = GetParam().suspended;
  Set(800, 600, false);
  EXPECT_EQ(native->framesShown, GetParam().frames);
}

INSTANTIATE_TEST_SUITE_P(Cases, SetUpPresentTest,
                         testing::Values(PresentCase{true, false, 1}, PresentCase{false, false, 0},
                                         PresentCase{true, true, 0}));

struct FullScreenSwitch {
  int32_t desktopWidth;
  int32_t desktopHeight;
  int32_t desktopColors;
  bool granted;
};

class SetFullScreenTest : public DisplaySetUpTest, public testing::WithParamInterface<FullScreenSwitch> {};

TEST_P(SetFullScreenTest, AWindowIsGrantedOnlyOnALargerDesktopOfManyColours) {
  const FullScreenSwitch& c = GetParam();
  SetDesktop(c.desktopWidth, c.desktopHeight, c.desktopColors);
  Set(800, 600, true);
  ASSERT_TRUE(Display().IsFullScreen());
  EXPECT_EQ(Display().SetFullScreen(false), c.granted);
  EXPECT_EQ(Display().IsFullScreen(), !c.granted);
  EXPECT_TRUE(Display().IsReady());
  EXPECT_TRUE(Display().SetFullScreen(true)) << "full screen is always tried";
  EXPECT_TRUE(Display().IsFullScreen());
}

INSTANTIATE_TEST_SUITE_P(Desktops, SetFullScreenTest,
                         testing::Values(FullScreenSwitch{800, 600, -1, false}, FullScreenSwitch{1024, 600, -1, false},
                                         FullScreenSwitch{1024, 768, 256, false},
                                         FullScreenSwitch{1024, 768, -1, true}));

TEST_F(DisplaySetUpTest, LeavingFullScreenCentresAWindowAtTheCorner) {
  Set(800, 600, true);
  ASSERT_TRUE(Display().SetFullScreen(false));
  EXPECT_FALSE(native->fullScreen);
  EXPECT_FALSE(native->alwaysOnTop);
  EXPECT_EQ(native->x, 112);
  EXPECT_EQ(native->y, 84);
  native->SetPosition(40, 30);
  ASSERT_TRUE(Display().SetFullScreen(true));
  ASSERT_TRUE(Display().SetFullScreen(false));
  EXPECT_EQ(native->x, 40) << "a window placed elsewhere stays";
}

TEST_F(DisplaySetUpTest, TheModeQueriesAnswerTheModeSetUp) {
  Set(640, 480, true);
  int32_t width = 0;
  int32_t height = 0;
  bool fullScreen = false;
  Display().GetDisplaySize(width, height, fullScreen);
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 480);
  EXPECT_TRUE(fullScreen);
  EXPECT_FALSE(Display().RequiresSquareTextures());
  config.desktop.width = 1280;
  adapter->SetDesktop(config.desktop);
  Display().GetDesktopMode();
  EXPECT_EQ(Data().mContext->GetDesktopWidth(), 1280);
}

class SetUpStatesTest : public OpenDisplayRig {};

// Drawing right after a set-up: textured 2D blends by alpha with Gouraud
// shading and linear filtering, 3D sees through a perspective of pi / 4.
TEST_F(SetUpStatesTest, DrawingStartsFromTheSetUpsStates) {
  const sys::gfx::RenderStates& states = Device().States();
  EXPECT_EQ(states.shadeMode, sys::gfx::ShadeMode::Gouraud);
  EXPECT_EQ(states.stage.magFilter, sys::gfx::TextureFilter::Linear);
  EXPECT_EQ(states.stage.minFilter, sys::gfx::TextureFilter::Linear);
  EXPECT_EQ(states.stage.mipFilter, sys::gfx::MipFilter::Point);
  EXPECT_TRUE(states.alphaTestEnable);
  EXPECT_EQ(states.alphaReference, 1u);
  EXPECT_EQ(states.ambient, 0xFFFFFFFFu);
  std::shared_ptr<TTexture> texture = MakeTexture(1, 1, sys::gfx::PixelLayout::A8R8G8B8);
  display->DrawRect(0, 0, 1, 1, TColor(1.0f, 0.0f, 0.0f, 0.5f), texture.get());
  ASSERT_TRUE(display->BeginDraw(false));
  ASSERT_TRUE(display->Begin2d());
  display->DrawRect(0, 0, -1, -1, TColor(0.0f, 0.0f, 1.0f, 1.0f), nullptr);
  display->SetTexture(texture);
  DrawQuad(0, 0, 4, 4);
  display->EndDraw(false);
  const uint32_t blended = ColourAt(Back(), 1, 1);
  EXPECT_NEAR(static_cast<int>((blended >> 16) & 0xFF), 128, 2) << "half the texel's red";
  EXPECT_NEAR(static_cast<int>(blended & 0xFF), 127, 2) << "half the background's blue";

  TMatrix4 projection;
  display->GetProjectionTransform(projection);
  const sys::gfx::Matrix4 expected = sys::gfx::PerspectiveFovLeftHanded(0.785398f, 600.0f / 800.0f, 0.1f, 1000.0f);
  for (int row = 0; row < 4; ++row) {
    EXPECT_FLOAT_EQ(projection.rows[row].x, expected.m[row][0]);
    EXPECT_FLOAT_EQ(projection.rows[row].y, expected.m[row][1]);
    EXPECT_FLOAT_EQ(projection.rows[row].z, expected.m[row][2]);
    EXPECT_FLOAT_EQ(projection.rows[row].w, expected.m[row][3]);
  }
  const sys::gfx::Material& material = Device().GetMaterial();
  EXPECT_FLOAT_EQ(material.ambient.r, 0.5f);
  EXPECT_FLOAT_EQ(material.emissive.a, 1.0f);
  EXPECT_FLOAT_EQ(material.power, 1.0f);
}

}  // namespace
