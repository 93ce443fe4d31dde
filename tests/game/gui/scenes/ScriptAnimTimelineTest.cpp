// Scene timelines against the layer they move: a layer's state at each draw
// for small scripts, one behaviour each, on a fake game clock.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "game/gui/scenes/TAnimations.h"
#include "tests/game/gui/scenes/SceneRig.h"

namespace GUI {
namespace {

constexpr float kStateNear = 1e-5f;

struct LayerState {
  uint32_t at;  // ms after the first draw
  float x, y, alpha, scale, rotation;
};

struct TimelineCase {
  const char* name;
  std::string layer;  // the entries of the one layer table
  uint32_t drawEvery;  // ms between draws
  std::vector<LayerState> expected;
};

void PrintTo(const TimelineCase& c, std::ostream* out) { *out << c.name; }

class TimelineCases : public SceneRig, public testing::WithParamInterface<TimelineCase> {};

// Draws every drawEvery ms from 0 on and compares the layer at each of the
// expected times, which fall on draws.
TEST_P(TimelineCases, LayerStateAtEachDraw) {
  const TimelineCase& c = GetParam();
  const auto scene = LoadLayer(c.layer);
  ASSERT_EQ(scene->GetLayers().size(), 1u);
  const ScriptAnim::TLayer& layer = *scene->GetLayers()[0];
  size_t next = 0;
  for (uint32_t at = 0; next < c.expected.size(); at += c.drawEvery) {
    DrawAt(*scene, at);
    if (at != c.expected[next].at) continue;
    const LayerState& e = c.expected[next++];
    EXPECT_NEAR(layer.GetPos().x, e.x, kStateNear) << at << " ms";
    EXPECT_NEAR(layer.GetPos().y, e.y, kStateNear) << at << " ms";
    EXPECT_NEAR(layer.GetAlpha(), e.alpha, kStateNear) << at << " ms";
    EXPECT_NEAR(layer.GetScale(), e.scale, kStateNear) << at << " ms";
    EXPECT_NEAR(layer.GetRotation(), e.rotation, kStateNear) << at << " ms";
  }
}

// A change applies from the draw after its event is seen active, nested
// items one draw later per level; a loop applies its changes at once.
INSTANTIATE_TEST_SUITE_P(
    Scripts, TimelineCases,
    testing::Values(
        TimelineCase{"OnlyInitialPropertiesNeverChange",
                     "Pos = {100, 50}, Alpha = 0.5, Scale = 2, Rotation = 90",
                     250,
                     {{0, 100, 50, 0.5f, 2, 1.5707964f}, {5000, 100, 50, 0.5f, 2, 1.5707964f}}},
        TimelineCase{"ScaleKeepsAboveZeroAndAlphaInsideOne", "Scale = 0, Alpha = 2", 10, {{0, 0, 0, 1, 0.001f, 0}}},
        TimelineCase{"NegativeAlphaStoresZero", "Alpha = -1", 10, {{0, 0, 0, 0, 1, 0}}},
        TimelineCase{"AnActionBetweenTwoDrawsIsNeverApplied",
                     "Alpha = 0, { __type__ = 'Event', start = 110,"
                     " { __type__ = 'SetAlpha', duration = 50, start = 0.5, ['end'] = 0.8 } }",
                     100,
                     {{100, 0, 0, 0, 1, 0}, {200, 0, 0, 0, 1, 0}, {1000, 0, 0, 0, 1, 0}}},
        TimelineCase{"TheLastApplyIsAtTheExactEnd",
                     "{ __type__ = 'Event', { __type__ = 'SetPos', duration = 95, start = {0, 0}, ['end'] = {300, 200} } }",
                     10,
                     {{200, 300, 200, 1, 1, 0}, {1000, 300, 200, 1, 1, 0}}},
        TimelineCase{"AnEventStartingAt500",
                     "Alpha = 0, { __type__ = 'Event', start = 500,"
                     " { __type__ = 'SetAlpha', duration = 1000, start = 0, ['end'] = 1 } }",
                     10,
                     {{490, 0, 0, 0, 1, 0}, {520, 0, 0, 0.02f, 1, 0}, {800, 0, 0, 0.3f, 1, 0},
                      {2000, 0, 0, 1, 1, 0}}},
        TimelineCase{"NestedEventsAddTheirStarts",
                     "Alpha = 0, { __type__ = 'Event', start = 200, { __type__ = 'Event', start = 300,"
                     " { __type__ = 'SetAlpha', duration = 100, start = 0, ['end'] = 1 } } }",
                     10,
                     {{520, 0, 0, 0, 1, 0}, {530, 0, 0, 0.3f, 1, 0}, {560, 0, 0, 0.6f, 1, 0}}},
        TimelineCase{"AnEventSetsItsPropertiesOnceAfterItsStart",
                     "{ __type__ = 'Event', start = 100, Pos = {7, 8}, Scale = 3, Rotation = 180 }",
                     50,
                     {{100, 0, 0, 1, 1, 0}, {150, 0, 0, 1, 1, 0}, {200, 7, 8, 1, 3, 3.1415927f}}},
        TimelineCase{"ALoopCountedThreeRunsThreeTimes",
                     "{ __type__ = 'Loop', counter = 3,"
                     " { __type__ = 'SetAlpha', duration = 100, start = 0, ['end'] = 1 } }",
                     10,
                     {{50, 0, 0, 0.5f, 1, 0}, {150, 0, 0, 0.5f, 1, 0}, {250, 0, 0, 0.5f, 1, 0},
                      {350, 0, 0, 1, 1, 0}, {1050, 0, 0, 1, 1, 0}}},
        TimelineCase{"ALoopWithoutCounterRunsOn",
                     "{ __type__ = 'Loop', { __type__ = 'SetAlpha', duration = 100, start = 0, ['end'] = 1 } }",
                     10,
                     {{350, 0, 0, 0.5f, 1, 0}, {1050, 0, 0, 0.5f, 1, 0}, {100050, 0, 0, 0.5f, 1, 0}}},
        TimelineCase{"ALoopInALateEventRunsWithoutGaps",
                     "{ __type__ = 'Event', start = 500, { __type__ = 'Loop',"
                     " { __type__ = 'SetAlpha', duration = 100, start = 0, ['end'] = 1 } } }",
                     10,
                     {{550, 0, 0, 0.5f, 1, 0}, {630, 0, 0, 0.3f, 1, 0}, {780, 0, 0, 0.8f, 1, 0}}},
        TimelineCase{"ScaleRotationAndPositionChangeTogether",
                     "{ __type__ = 'Loop', counter = 1,"
                     " { __type__ = 'SetScale', duration = 100, start = 1, ['end'] = 3 },"
                     " { __type__ = 'SetRotation', duration = 100, start = 0, ['end'] = 90 },"
                     " { __type__ = 'SetPos', duration = 100, start = {0, 0}, ['end'] = {100, 200} } }",
                     10,
                     {{50, 50, 100, 1, 2, 0.7853982f}, {500, 100, 200, 1, 3, 1.5707964f}}}));

TEST_F(SceneRig, ASetOfDurationZeroNeverAppliesAndKeepsItsEventFromFinishing) {
  const auto scene = LoadLayer(
      "{ __type__ = 'Event', { __type__ = 'SetAlpha', duration = 0, start = 0.2, ['end'] = 0.3 },"
      " { __type__ = 'SetScale', duration = 50, start = 1, ['end'] = 2 } }");
  const ScriptAnim::TLayer& layer = *scene->GetLayers()[0];
  for (uint32_t at = 0; at <= 1000; at += 10) DrawAt(*scene, at);
  EXPECT_EQ(layer.GetAlpha(), 1.0f);
  EXPECT_EQ(layer.GetScale(), 2.0f) << "its sibling ran to its end";
  const ScriptAnim::TAttributeLists& lists = scene->GetLayers()[0]->GetTimeline().GetLists();
  EXPECT_EQ(lists.Active().size(), 1u) << "the event goes on";
  EXPECT_TRUE(lists.Finished().empty());
}

TEST_F(SceneRig, TheLayersClockStartsAtItsFirstDraw) {
  clock.Advance(5000);
  const auto scene = LoadLayer(
      "Alpha = 0, { __type__ = 'Loop', counter = 1,"
      " { __type__ = 'SetAlpha', duration = 100, start = 0, ['end'] = 1 } }");
  clock.Advance(5000);
  for (uint32_t at = 0; at <= 40; at += 10) DrawAt(*scene, at);
  EXPECT_NEAR(scene->GetLayers()[0]->GetAlpha(), 0.4f, kStateNear);
}

TEST_F(SceneRig, PausingTheGameFreezesTheLayerUntilItResumes) {
  const auto scene = LoadLayer(
      "{ __type__ = 'Loop', { __type__ = 'SetAlpha', duration = 100, start = 0, ['end'] = 1 } }");
  const ScriptAnim::TLayer& layer = *scene->GetLayers()[0];
  for (uint32_t at = 0; at <= 50; at += 10) DrawAt(*scene, at);
  GamePlay::TClockProxyRegistry::Instance().PauseAll();
  for (uint32_t at = 60; at <= 1000; at += 10) DrawAt(*scene, at);
  EXPECT_NEAR(layer.GetAlpha(), 0.5f, kStateNear);
  GamePlay::TClockProxyRegistry::Instance().ResumeAll();
  DrawAt(*scene, 1010);
  DrawAt(*scene, 1020);
  EXPECT_NEAR(layer.GetAlpha(), 0.7f, kStateNear);
}

TEST_F(SceneRig, LayersKeepTheirOrderAndOnlyGraphicsWithoutAlphaImageAreHandedOut) {
  const auto scene = LoadScene(
      "Animations = { { filename = 'sky' }, 'not a layer', { filename = 'mist', alphamap = 'mist-a' },"
      " { filename = 'moon' } }");
  ASSERT_EQ(scene->GetLayers().size(), 3u);
  EXPECT_EQ(scene->GetLayers()[0]->GetFileName(), "sky");
  EXPECT_EQ(scene->GetLayers()[1]->GetFileName(), "mist");
  EXPECT_EQ(scene->GetLayers()[2]->GetFileName(), "moon");
  ASSERT_EQ(graphics.size(), 2u);
  EXPECT_EQ(graphics[0], scene->GetLayers()[0]->GetGraphic());
  EXPECT_EQ(graphics[1], scene->GetLayers()[2]->GetGraphic());
}

}  // namespace
}  // namespace GUI
