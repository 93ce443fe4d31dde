// Scenes on the headless display: layers drawn in order at their places,
// and layers too faint or too small left out while their timelines go on.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "game/gui/scenes/SceneLoader.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "tests/game/gui/effects/GraphicPixelRig.h"
#include "tests/support/FakeClock.h"

namespace GUI {
namespace {

class ScenePixels : public GraphicPixelRig {
 protected:
  ScenePixels() {
    Store("red", 32, 32, [](uint32_t, uint32_t) { return 0xFF0000u; });
    Store("green", 32, 32, [](uint32_t, uint32_t) { return 0x00FF00u; });
  }
  ~ScenePixels() override { GamePlay::TClockProxyRegistry::Instance().ResumeAll(); }

  // Writes the scene file beside the pictures and loads it.
  std::shared_ptr<ScriptAnim::TAnimations> LoadScene(const std::string& text) {
    std::ofstream(std::string(GetProgramFolder().CStr()) + "/assets/scene.lua") << text;
    BuildFileIndex();
    return LoadSceneAnimationFile("scene.lua", graphics);
  }

  FakeClock clock;
  std::vector<std::shared_ptr<IGraphic>> graphics;
};

TEST_F(ScenePixels, LayersAreDrawnInOrderTheFirstAtTheBack) {
  const auto scene = LoadScene(
      "Animations = { { filename = 'red', Pos = {100, 100} }, { filename = 'green', Pos = {110, 100} } }");
  DrawFrame([&] { DrawScene(scene, 1.0f); });
  EXPECT_EQ(ScreenAt(90, 100), kRigRed);
  EXPECT_EQ(ScreenAt(110, 100), kRigGreen) << "the second layer covers the first";
  EXPECT_EQ(ScreenAt(200, 100), kRigBlue);
}

// The faint layer slides right by 10 pixels a draw, unseen; once it shows
// it is where its timeline has brought it.
TEST_F(ScenePixels, AFaintLayerIsNotDrawnButItsTimelineGoesOn) {
  const auto scene = LoadScene(
      "Animations = { { filename = 'red', Pos = {100, 300}, Alpha = 0.01,"
      " { __type__ = 'Loop', counter = 1,"
      "   { __type__ = 'SetPos', duration = 1000, start = {100, 300}, ['end'] = {1100, 300} } },"
      " { __type__ = 'Event', start = 400, Alpha = 1 } } }");
  for (uint32_t at = 0; at < 400; at += 10) {
    DrawFrame([&] { DrawScene(scene, 1.0f); });
    ASSERT_EQ(ScreenAt(static_cast<int32_t>(100 + at), 300), kRigBlue) << at << " ms";
    clock.Advance(10);
  }
  for (uint32_t at = 400; at <= 420; at += 10) {
    DrawFrame([&] { DrawScene(scene, 1.0f); });
    clock.Advance(10);
  }
  EXPECT_EQ(ScreenAt(520, 300), kRigRed);
  EXPECT_EQ(ScreenAt(100, 300), kRigBlue);
}

TEST_F(ScenePixels, ASceneFadedOrALayerShrunkToAPointIsNotDrawn) {
  const auto scene = LoadScene(
      "Animations = { { filename = 'red', Pos = {100, 100}, Alpha = 0.5 },"
      " { filename = 'green', Pos = {300, 100}, Scale = 0.01 } }");
  DrawFrame([&] { DrawScene(scene, 0.02f); });
  EXPECT_EQ(ScreenAt(100, 100), kRigBlue) << "0.02 times 0.5 is too faint";
  EXPECT_EQ(ScreenAt(300, 100), kRigBlue);
  DrawFrame([&] { DrawScene(scene, 1.0f); });
  EXPECT_NE(ScreenAt(100, 100), kRigBlue);
  EXPECT_EQ(ScreenAt(300, 100), kRigBlue);
}

}  // namespace
}  // namespace GUI
