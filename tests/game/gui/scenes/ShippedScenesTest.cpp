// The scenes we ship, over the built data folder: each loads with layers,
// finds every picture, and draws through a few seconds of its timelines on
// the headless display without a word in the log.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/gui/scenes/SceneLoader.h"
#include "media/display/TDx3dDisplayHandler.h"
#include "platform/text/Log.h"
#include "tests/support/BuiltDataFolder.h"
#include "tests/support/DisplayOpening.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/LayerLogCapture.h"
#include "tests/support/TempFolder.h"

namespace GUI {
namespace {

const char* const kShippedScenes[] = {
    "backgrounds/back1-1.lua",       "backgrounds/back1-2.lua",       "backgrounds/fore1-1.lua",
    "backgrounds/fore1-2.lua",       "backgrounds/back_zen01.lua",    "backgrounds/back_zen02.lua",
    "backgrounds/fore_zen.lua",      "backgrounds/back_tutorial.lua", "backgrounds/back_helpmenu.lua",
    "backgrounds/fore_helpmenu.lua", "backgrounds/back_gameend.lua",  "backgrounds/fore_gameend.lua",
};

class ShippedScenes : public testing::Test {
 protected:
  ShippedScenes() { SetLogFolder(mLogs.Path().c_str()); }
  std::string LogText() const { return ReadWholeFile(GetLogPath().CStr()); }

  LayerLogCapture layerLog;
  FakePlatform platform;
  BuiltDataFolder folder;
  FakeClock clock;

 private:
  TempFolder mLogs;
};

TEST_F(ShippedScenes, EachLoadsWithLayersAndDrawsEveryPicture) {
  FakeDesktopDisplay desktop(platform);
  ASSERT_TRUE(desktop.IsOpen());
  TDx3dDisplayHandler& display = desktop.Display();
  for (const char* name : kShippedScenes) {
    std::vector<std::shared_ptr<IGraphic>> graphics;
    const auto scene = LoadSceneAnimationFile(name, graphics);
    ASSERT_FALSE(scene->GetLayers().empty()) << name;
    for (const auto& layer : scene->GetLayers()) {
      EXPECT_GT(layer->GetGraphic()->GetWidth(), 0) << name << ": " << layer->GetFileName().CStr();
      EXPECT_FALSE(layer->GetTimeline().GetLists().All().empty() && layer->GetAlpha() < 0.01f)
          << name << ": a layer that never shows";
    }
    for (int frame = 0; frame < 40; ++frame) {
      ASSERT_TRUE(display.BeginDraw(false));
      ASSERT_TRUE(platform.Begin2d());
      DrawScene(scene, 1.0f);
      platform.End2d();
      display.EndDraw(false);
      clock.Advance(250);
    }
  }
  const std::string log = LogText();
  for (const char* complaint : {"no file", "no mask file", "Scene ", "Lua Error", "Lua error", "Failed"}) {
    EXPECT_EQ(log.find(complaint), std::string::npos) << log;
  }
}

}  // namespace
}  // namespace GUI
