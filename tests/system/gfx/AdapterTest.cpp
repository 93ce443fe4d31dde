#include "system/gfx/Adapter.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>

namespace {

using namespace sys::gfx;

TEST(Adapter, RealRunsTakeTheDesktopFromSdlAndOfferTheGamesSizes) {
  AdapterConfig config = Adapter::ConfigFromSdl();
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0);
  SDL_DisplayMode desktop;
  ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  EXPECT_EQ(config.desktop.width, desktop.w);
  EXPECT_EQ(config.desktop.height, desktop.h);
  EXPECT_EQ(config.desktop.colors, -1);
  ASSERT_EQ(config.devices.size(), 1u);
  EXPECT_EQ(config.devices[0].identifier.driver, "dummy");
  for (uint32_t bits : {16u, 32u}) {
    EXPECT_NE(std::find(config.modes.begin(), config.modes.end(), DisplayMode{800, 600, bits}), config.modes.end());
  }
}

TEST(Adapter, AlwaysHasADefaultDevice) {
  Adapter adapter{AdapterConfig{}};
  EXPECT_EQ(adapter.Devices().size(), 1u);
}

TEST(Adapter, VideoMemoryIsNeverGivenBackBeyondWhatWasTaken) {
  AdapterConfig config;
  config.videoMemory = 100;
  Adapter adapter{config};
  EXPECT_TRUE(adapter.ReserveVideoMemory(60));
  EXPECT_FALSE(adapter.ReserveVideoMemory(41));
  adapter.ReleaseVideoMemory(1000);
  EXPECT_EQ(adapter.FreeVideoMemory(), 100u);
  EXPECT_TRUE(adapter.ReserveVideoMemory(100));
}

}  // namespace
