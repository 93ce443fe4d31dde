// The graphics registry's preload over the built data folder: the list
// holds the actions the pictures were made for, in the order of the queue,
// and loads whole, every frame with its texture, on the display headless.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "game/gui/effects/TGraphicRegistry.h"
#include "platform/text/Log.h"
#include "tests/assets/PictureNames.h"
#include "tests/support/BuiltDataFolder.h"
#include "tests/support/DisplayOpening.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/LayerLogCapture.h"
#include "tests/support/TempFolder.h"

namespace {

// The names of the actions in the order the queue holds them.
std::vector<std::string> QueuedActionNames(const GUI::TGraphicRegistry& registry) {
  std::vector<std::string> names;
  for (const auto& action : registry.GetFetchQueue()) names.emplace_back(action->GetName().CStr());
  return names;
}

// The queue's cost of each action, by name.
std::map<std::string, uint32_t> QueuedCosts(const GUI::TGraphicRegistry& registry) {
  std::map<std::string, uint32_t> costs;
  for (const auto& action : registry.GetFetchQueue()) costs[action->GetName().CStr()] = action->GetCost();
  return costs;
}

class PreloadTest : public testing::Test {
 protected:
  PreloadTest() { SetLogFolder(mLogs.Path().c_str()); }
  std::string LogText() const { return ReadWholeFile(GetLogPath().CStr()); }

  LayerLogCapture layerLog;
  FakePlatform platform;
  BuiltDataFolder folder;
  GUI::TGraphicRegistry registry;

 private:
  TempFolder mLogs;
};

// The list in its own order, single images and costlier actions taking
// turns, the single images left over at the end.
TEST_F(PreloadTest, TheQueueTakesTheListsActionsInTurnsByCost) {
  ASSERT_EQ(registry.Preload(), 78u);
  const std::map<std::string, uint32_t> costs = QueuedCosts(registry);
  std::vector<std::string> groups[2];
  for (const PreloadFetch& fetch : PreloadFetches()) {
    ASSERT_EQ(costs.count(fetch.key), 1u) << fetch.key;
    groups[costs.at(fetch.key) == 1 ? 0 : 1].push_back(fetch.key);
  }
  EXPECT_EQ(groups[0].size(), 47u);
  EXPECT_EQ(groups[1].size(), 31u);
  std::vector<std::string> expected;
  for (size_t i = 0; i < groups[0].size() || i < groups[1].size(); ++i) {
    for (const std::vector<std::string>& group : groups) {
      if (i < group.size()) expected.push_back(group[i]);
    }
  }
  EXPECT_EQ(QueuedActionNames(registry), expected);
}

TEST_F(PreloadTest, OurPicturesLoadWholeWithATextureForEveryFrame) {
  FakeDesktopDisplay desktop(platform);
  ASSERT_TRUE(desktop.IsOpen());
  ASSERT_EQ(registry.Preload(), 78u);
  const std::map<std::string, uint32_t> costs = QueuedCosts(registry);
  while (!registry.FetchNext()) {
  }
  registry.FetchAll();
  EXPECT_TRUE(registry.IsComplete());
  for (const PreloadFetch& fetch : PreloadFetches()) {
    std::shared_ptr<GUI::IGraphic> graphic = registry.GetGraphic(fetch.key.c_str());
    ASSERT_NE(graphic, nullptr) << fetch.key;
    ASSERT_EQ(graphic->GetFrameCount(), costs.at(fetch.key)) << fetch.key;
    for (uint32_t frame = 0; frame < graphic->GetFrameCount(); ++frame) {
      graphic->SetFrame(frame);
      EXPECT_NE(graphic->GetFrameTexture(), nullptr) << fetch.key << " frame " << frame;
    }
  }
  EXPECT_EQ(registry.Preload(), 0u) << "loaded once";
  EXPECT_EQ(LogText().find("TDxTextureData"), std::string::npos) << LogText();
}

}  // namespace
