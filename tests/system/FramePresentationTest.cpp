// The choice between SDL's renderer and the window's own surface.
#include "system/window/FramePresentation.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/support/TempFolder.h"

namespace {

// A device folder holding the entries named ("dri/" names go in its dri folder).
struct DeviceCase {
  std::vector<const char*> entries;
  bool graphics;
};

TEST(FramePresentation, AGraphicsDeviceIsARenderNodeOrNvidiasDevice) {
  const DeviceCase cases[] = {
      {{}, false},
      {{"dri/card0"}, false},  // a display controller alone renders nothing
      {{"dri/card0", "dri/renderD128"}, true},
      {{"nvidia0", "nvidiactl"}, true},
      {{"nvidiactl", "null"}, false},
  };
  for (const DeviceCase& c : cases) {
    const int line = static_cast<int>(&c - cases);
    TempFolder devices;
    mkdir(devices.File("dri").c_str(), 0755);
    for (const char* entry : c.entries) ASSERT_TRUE(WriteWholeFile(devices.File(entry), "")) << entry;
    EXPECT_EQ(sys::HasGraphicsDevice(devices.Path()), c.graphics) << line;
  }
  EXPECT_FALSE(sys::HasGraphicsDevice("/nonexistent-devices"));
}

struct DriverCase {
  const char* driver;
  bool graphics;
  const char* hint;  // null: SDL's own choice
};

// Only a driver with a surface of its own can do without a renderer; the
// dummy and offscreen drivers never use one anyway.
TEST(FramePresentation, WithoutAGraphicsDeviceX11ShowsTheWindowsOwnSurface) {
  const DriverCase cases[] = {
      {"x11", false, "0"},
      {"x11", true, nullptr},
      {"wayland", false, nullptr},
      {"dummy", false, nullptr},
      {nullptr, false, nullptr},
  };
  for (const DriverCase& c : cases) {
    const char* hint = sys::FramebufferAcceleration(c.driver, c.graphics);
    const int line = static_cast<int>(&c - cases);
    if (c.hint) {
      ASSERT_NE(hint, nullptr) << line;
      EXPECT_STREQ(hint, c.hint) << line;
    } else {
      EXPECT_EQ(hint, nullptr) << line;
    }
  }
}

}  // namespace
