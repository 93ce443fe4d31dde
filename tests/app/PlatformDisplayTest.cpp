// The program's display: made at start-up on the adapter, opened by the
// platform's set-up, switched by Alt+Enter, drawing the window manager's frames.
#include <gtest/gtest.h>

#include "app/TAppPlatform.h"
#include "media/TDx3dDisplayHandler.h"
#include "system/gfx/Adapter.h"
#include "system/window/VirtualKeys.h"
#include "tests/support/FakeNativeWindow.h"
#include "tests/support/PlatformRun.h"
#include "windows/TScreen.h"
#include "windows/TWindowManager.h"

namespace {

// A desktop of 1024 x 768 whose adapter offers the game's 800 x 600.
std::shared_ptr<sys::gfx::Adapter> GameAdapter() {
  sys::gfx::AdapterConfig config;
  for (uint32_t bits : {16u, 32u}) config.modes.push_back({800, 600, bits});
  return sys::gfx::Adapter::Create(config);
}

TEvent Next(TAppPlatform& platform) {
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
    EXPECT_EQ(Next(platform).type, kEventDisplayChanged) << "reported once after the set-up";
    TWindowManager& manager = *platform.GetWindowManager();
    manager.HandleEvent(Next(platform));
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
    TEvent event = Next(platform);
    while (event.type == kEventDisplayChanged) event = Next(platform);
    EXPECT_EQ(event.type, kEventFullScreen);
    EXPECT_EQ(event.value, 1);
    EXPECT_TRUE(desktop.fullScreen);
    EXPECT_TRUE(platform.IsFullScreen());
    desktop.PressKey(sys::vk::kReturn, sys::kModifierAlt);
    event = Next(platform);
    while (event.type == kEventDisplayChanged) event = Next(platform);
    EXPECT_EQ(event.type, kEventFullScreen);
    EXPECT_EQ(event.value, 0);
    EXPECT_FALSE(desktop.fullScreen);
    EXPECT_TRUE(platform.GetDisplayHandler()->IsReady());
  }, nullptr, GameAdapter());
}

TEST(PlatformDisplay, WithoutAnAdapterTheProgramRunsWithoutAPicture) {
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow&) {
    EXPECT_EQ(platform.GetDisplayHandler(), nullptr);
  });
}

}  // namespace
