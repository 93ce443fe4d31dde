// Which scene file a level draws, the random draw behind the choice, and
// drawing a scene that may be missing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "game/gui/scenes/SceneLoader.h"
#include "tests/game/gui/scenes/SceneRig.h"

namespace GUI {
namespace {

constexpr int kSceneDraws = 64;

// The names the level's scenes of that kind take over many draws.
std::set<std::string> SceneNamesDrawn(const GamePlay::TLevelKey& level, const char* kind) {
  std::srand(85);
  std::set<std::string> names;
  for (int i = 0; i < kSceneDraws; ++i) names.insert(SceneFileName(level, kind).CStr());
  return names;
}

TEST(SceneFileName, AZenLevelHasOneFrontSceneAndTwoBackScenes) {
  for (uint32_t level : {1u, 7u, 40u}) {
    EXPECT_EQ(SceneNamesDrawn({0, level}, "fore"), (std::set<std::string>{"backgrounds/fore_zen.lua"}));
    EXPECT_EQ(SceneNamesDrawn({0, level}, "back"),
              (std::set<std::string>{"backgrounds/back_zen01.lua", "backgrounds/back_zen02.lua"}));
  }
}

TEST(SceneFileName, AJourneyLevelDrawsOneOfTwoWhateverTheWorld) {
  for (uint32_t world = 1; world <= 10; ++world) {
    EXPECT_EQ(SceneNamesDrawn({world, 3}, "back"),
              (std::set<std::string>{"backgrounds/back1-1.lua", "backgrounds/back1-2.lua"}))
        << world;
    EXPECT_EQ(SceneNamesDrawn({world, 3}, "fore"),
              (std::set<std::string>{"backgrounds/fore1-1.lua", "backgrounds/fore1-2.lua"}))
        << world;
  }
}

TEST_F(SceneRig, TheDrawHappensAlsoWhenTheFileIsMissing) {
  std::srand(3);
  std::rand();
  const int second = std::rand();
  std::srand(3);
  const auto scene = LoadSceneAnimation({0, 1}, "back", graphics);
  EXPECT_TRUE(scene->GetLayers().empty());
  EXPECT_EQ(std::rand(), second);
}

TEST_F(SceneRig, AFixedSceneLoadsByItsNameAndNoSceneDrawsNothing) {
  LoadScene("Animations = { { filename = 'a' }, { filename = 'b' } }", "back_helpmenu");
  const auto scene = LoadSceneAnimationFile("backgrounds/back_helpmenu.lua", graphics);
  EXPECT_EQ(scene->GetLayers().size(), 2u);
  DrawScene(scene, 1.0f);
  DrawScene(nullptr, 1.0f);
}

}  // namespace
}  // namespace GUI
