// The program's display: made at start-up on the adapter, opened by the
// platform's set-up, switched by Alt+Enter, drawing the window manager's frames.
#include <gtest/gtest.h>

#include <thread>

#include "app/TAppPlatform.h"
#include "platform/asset/TAssetManager.h"
#include "platform/time/TTask.h"
#include "media/display/TDx3dDisplayHandler.h"
#include "system/gfx/Adapter.h"
#include "system/window/VirtualKeys.h"
#include "tests/support/BackdropStandIn.h"
#include "tests/support/FakeDisplayHandler.h"
#include "tests/support/FakeNativeWindow.h"
#include "tests/support/PlatformRun.h"
#include "windows/kinds/TScreen.h"
#include "windows/core/TWindowManager.h"

namespace {

// A desktop of 1024 x 768 whose adapter offers the game's 800 x 600.
std::shared_ptr<sys::gfx::Adapter> GameAdapter() {
  sys::gfx::AdapterConfig config;
  for (uint32_t bits : {16u, 32u}) config.modes.push_back({800, 600, bits});
  return sys::gfx::Adapter::Create(config);
}

TEvent NextEvent(TAppPlatform& platform) {
  TEvent event;
  platform.GetEvent(&event);
  return event;
}

TEST(PlatformDisplay, TheSetUpOpensTheGamesWindowThroughTheDevice) {
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow& desktop) {
    auto* display = dynamic_cast<TDx3dDisplayHandler*>(platform.GetDisplayHandler());
    ASSERT_NE(display, nullptr) << "start-up made the Direct3D display";
    EXPECT_FALSE(desktop.shown) << "the window waits for the display";
    platform.SetDisplay(800, 600, false);
    EXPECT_TRUE(display->IsReady());
    EXPECT_TRUE(desktop.shown);
    EXPECT_EQ(desktop.clientWidth, 800);
    EXPECT_EQ(desktop.clientHeight, 600);
    EXPECT_NE(dynamic_cast<TScreen*>(platform.GetWindowManager()->GetRootWindow()), nullptr);
    EXPECT_EQ(NextEvent(platform).type, kEventDisplayChanged) << "reported once after the set-up";
    TWindowManager& manager = *platform.GetWindowManager();
    manager.HandleEvent(NextEvent(platform));
    EXPECT_GE(desktop.framesShown, 1) << "the root screen's frame was presented";
    sys::Picture shown;
    ASSERT_TRUE(desktop.ReadShownPicture(shown));
    EXPECT_EQ(shown.width, 800);
    EXPECT_EQ(shown.pixels[300 * shown.width + 400] & 0xFFFFFF, 0u) << "black until a screen draws";
  }, nullptr, GameAdapter());
}

TEST(PlatformDisplay, AltEnterSwitchesToFullScreenOnTheDesktopAndBack) {
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow& desktop) {
    platform.SetDisplay(800, 600, false);
    desktop.PressKey(sys::vk::kReturn, sys::kModifierAlt);
    TEvent event = NextEvent(platform);
    while (event.type == kEventDisplayChanged) event = NextEvent(platform);
    EXPECT_EQ(event.type, kEventFullScreen);
    EXPECT_EQ(event.value, 1);
    EXPECT_TRUE(desktop.fullScreen);
    EXPECT_TRUE(platform.IsFullScreen());
    desktop.PressKey(sys::vk::kReturn, sys::kModifierAlt);
    event = NextEvent(platform);
    while (event.type == kEventDisplayChanged) event = NextEvent(platform);
    EXPECT_EQ(event.type, kEventFullScreen);
    EXPECT_EQ(event.value, 0);
    EXPECT_FALSE(desktop.fullScreen);
    EXPECT_TRUE(platform.GetDisplayHandler()->IsReady());
  }, nullptr, GameAdapter());
}

// Whether the shown picture has red in the overlay's corner: its text is red
// on a black panel, and the screen under it is black.
bool OverlayShows(FakeNativeWindow& desktop) {
  sys::Picture shown;
  if (!desktop.ReadShownPicture(shown)) return false;
  for (int32_t y = 0; y < 40; ++y) {
    for (int32_t x = 0; x < 300; ++x) {
      if (shown.At(x, y) & 0xFF0000) return true;
    }
  }
  return false;
}

// The overlay is drawn inside a frame, and a still screen makes no frames:
// switching the overlay brings one at once, with the overlay, and then one
// without it, though no window draws where it was.
TEST(PlatformDisplay, AltF1ShowsAndHidesTheOverlayAtOnceOnAStillScreen) {
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow& desktop) {
    platform.SetDisplay(800, 600, false);
    TWindowManager& manager = *platform.GetWindowManager();
    manager.SetOption(false);
    auto pump = [&] {
      for (int pass = 0; pass < 10; ++pass) manager.HandleEvent(NextEvent(platform));
    };
    pump();
    const int frames = desktop.framesShown;
    pump();
    ASSERT_EQ(desktop.framesShown, frames) << "the screen is still";
    ASSERT_FALSE(OverlayShows(desktop));
    desktop.PressKey(sys::vk::kF1, sys::kModifierAlt);
    pump();
    EXPECT_TRUE(OverlayShows(desktop));
    desktop.PressKey(sys::vk::kF1, sys::kModifierAlt);
    pump();
    EXPECT_FALSE(OverlayShows(desktop));
  }, nullptr, GameAdapter());
}

// An image in video memory that its owner draws anew from its source
// whenever the display is restored, as a texture reloads its file.
class ReloadedImage : public TAsset {
 public:
  static constexpr uint32_t kPixel = 0xFF336699;

  explicit ReloadedImage(TDxDisplayHandlerData& display) : mDisplay(display) { Restore(); }
  void Release() override { mSurface.reset(); }
  void Restore() override {
    sys::gfx::SurfaceDesc desc;
    desc.width = 4;
    desc.height = 4;
    desc.caps = sys::gfx::kCapsTexture | sys::gfx::kCapsVideoMemory;
    desc.format = sys::gfx::MakePixelFormat(sys::gfx::PixelLayout::X8R8G8B8);
    if (mDisplay.mDirectDraw && mDisplay.mDirectDraw->CreateSurface(desc, mSurface) == sys::gfx::Result::Ok) {
      mSurface->Fill(nullptr, kPixel);
    }
  }
  uint32_t Pixel() const {
    sys::gfx::LockedPixels locked;
    if (!mSurface || mSurface->Lock(nullptr, locked) != sys::gfx::Result::Ok) return 0;
    const uint32_t pixel = *reinterpret_cast<const uint32_t*>(locked.bits);
    mSurface->Unlock();
    return pixel;
  }

 private:
  TDxDisplayHandlerData& mDisplay;
  std::shared_ptr<sys::gfx::Surface> mSurface;
};

struct CountingTask : TTask {
  explicit CountingTask(int& steps) : steps(steps) {}
  bool Step() override {
    ++steps;
    return true;
  }
  int& steps;
};

// The surfaces are lost, and the display finds out: the pump asks for the
// restore, the assets are back, and the restore tasks run at the next frame.
TEST(PlatformDisplay, ALostDisplayIsRestoredByThePumpWithItsAssets) {
  std::shared_ptr<sys::gfx::Adapter> adapter = GameAdapter();
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow&) {
    platform.SetDisplay(800, 600, false);
    auto& display = dynamic_cast<TDx3dDisplayHandler&>(*platform.GetDisplayHandler());
    auto image = std::make_shared<ReloadedImage>(display.GetData());
    platform.GetAssetManager()->Register("image", image);
    int restoreSteps = 0;
    platform.AddRestoreTask(std::make_unique<CountingTask>(restoreSteps));
    for (int frame = 0; frame < 3; ++frame) {
      ASSERT_TRUE(platform.BeginDraw(false));
      platform.EndDraw(true);
    }
    restoreSteps = 0;
    adapter->LoseVideoSurfaces();
    display.MarkBroken();
    EXPECT_EQ(NextEvent(platform).type, kEventNothing);
    EXPECT_TRUE(display.IsReady());
    EXPECT_EQ(image->Pixel(), ReloadedImage::kPixel) << "drawn anew, not the garbage of a restored surface";
    EXPECT_EQ(restoreSteps, 0) << "the tasks wait for a frame";
    ASSERT_TRUE(platform.BeginDraw(false));
    platform.EndDraw(true);
    ASSERT_TRUE(platform.BeginDraw(false));
    platform.EndDraw(true);
    EXPECT_EQ(restoreSteps, 1);
  }, nullptr, adapter);
}

TEST(PlatformDisplay, TheRootScreenShowsTheSnapshotsPixelsOfTheDirtyAreaInPlace) {
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow& desktop) {
    platform.SetDisplay(800, 600, false);
    auto& display = dynamic_cast<TDx3dDisplayHandler&>(*platform.GetDisplayHandler());
    TWindowManager& manager = *platform.GetWindowManager();
    manager.SetOption(false);
    manager.HandleEvent(NextEvent(platform));  // the set-up's display change
    manager.Frame();
    // Its left half red and its right half blue.
    auto backdrop = std::make_shared<BackdropStandIn>(display.GetData());
    sys::gfx::Rect left{0, 0, 400, 600};
    sys::gfx::Rect right{400, 0, 800, 600};
    backdrop->Image().Fill(&left, 0xFF0000);
    backdrop->Image().Fill(&right, 0x0000FF);
    manager.SetSnapshot(backdrop);
    TRect dirty(350, 100, 450, 200);
    manager.GetRootWindow()->Invalidate(&dirty);
    manager.Frame();
    sys::Picture shown;
    ASSERT_TRUE(desktop.ReadShownPicture(shown));
    auto at = [&shown](int32_t x, int32_t y) { return shown.pixels[y * shown.width + x] & 0xFFFFFF; };
    EXPECT_EQ(at(360, 150), 0xFF0000u) << "the backdrop's own pixels, left of its middle";
    EXPECT_EQ(at(440, 150), 0x0000FFu);
    EXPECT_EQ(at(360, 250), 0u) << "outside the dirty area the picture stays";
  }, nullptr, GameAdapter());
}

TEST(PlatformDisplay, AReportFromAnotherThreadReachesTheDisplayAtTheNextEvent) {
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow&) {
    auto* display = InstallDisplay(platform);
    std::thread([&platform] { platform.ReportOutOfVideoMemory(); }).join();
    EXPECT_EQ(display->Journal().Count("ReportOutOfVideoMemory"), 0);
    NextEvent(platform);
    EXPECT_EQ(display->Journal().Count("ReportOutOfVideoMemory"), 1);
    NextEvent(platform);
    EXPECT_EQ(display->Journal().Count("ReportOutOfVideoMemory"), 1);
  });
}

TEST(PlatformDisplay, WithoutAnAdapterTheProgramRunsWithoutAPicture) {
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow&) {
    EXPECT_EQ(platform.GetDisplayHandler(), nullptr);
  });
}

}  // namespace
