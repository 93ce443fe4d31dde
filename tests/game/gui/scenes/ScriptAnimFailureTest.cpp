// Scene files that fail in part or whole: what is left of the scene, and
// the log line that tells the scene's author why.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "game/gui/scenes/TAnimations.h"
#include "tests/game/gui/scenes/SceneRig.h"

namespace GUI {
namespace {

constexpr char kMissingSceneFile[] = "";  // the scene file is not written

struct BrokenScene {
  const char* name;
  const char* text;  // kMissingSceneFile: the file is missing
  size_t layers;
  size_t items;  // timeline items of the first layer
  const char* logged;  // "" when nothing need be said
};

void PrintTo(const BrokenScene& c, std::ostream* out) { *out << c.name; }

class BrokenScenes : public SceneRig, public testing::WithParamInterface<BrokenScene> {};

TEST_P(BrokenScenes, LeaveWhatMakesSenseAndSayWhy) {
  const BrokenScene& c = GetParam();
  std::shared_ptr<ScriptAnim::TAnimations> scene;
  if (std::string(c.text).empty()) {
    scene = ScriptAnim::LoadScriptAnimations("backgrounds/missing.lua", graphics);
  } else {
    scene = LoadScene(c.text);
  }
  ASSERT_NE(scene, nullptr);
  ASSERT_EQ(scene->GetLayers().size(), c.layers);
  if (c.layers > 0) {
    EXPECT_EQ(scene->GetLayers()[0]->GetTimeline().GetLists().All().size(), c.items);
  }
  for (uint32_t at = 0; at <= 200; at += 10) DrawAt(*scene, at);
  const std::string log = LogText();
  if (std::string(c.logged).empty()) {
    EXPECT_EQ(log.find("Scene "), std::string::npos) << log;
  } else {
    EXPECT_NE(log.find(c.logged), std::string::npos) << log;
  }
}

constexpr char kValidEventWithChange[] =
    "{ __type__ = 'Event', { __type__ = 'SetAlpha', duration = 50, start = 0, ['end'] = 1 } }";

INSTANTIATE_TEST_SUITE_P(
    Files, BrokenScenes,
    testing::Values(
        BrokenScene{"AMissingFile", kMissingSceneFile, 0, 0, "could not load package `backgrounds/missing.lua'"},
        BrokenScene{"ASyntaxError", "Animations = {", 0, 0, "error loading package `backgrounds/test.lua'"},
        BrokenScene{"ARuntimeError", "error('the scene broke')", 0, 0, "the scene broke"},
        BrokenScene{"NoAnimations", "Other = {}", 0, 0, "Scene backgrounds/test.lua sets no Animations table"},
        BrokenScene{"AnimationsThatAreNoTable", "Animations = 5", 0, 0,
                    "Scene backgrounds/test.lua sets no Animations table"},
        BrokenScene{"AnUnknownType",
                    "Animations = { { filename = 'pic', { __type__ = 'Spin' }, { __type__ = 'event' }, 7,"
                    " { __type__ = 'Event', { __type__ = 'Wobble' } } } }",
                    1, 1, ""},
        BrokenScene{"ATableThatHoldsItself",
                    "local e = { __type__ = 'Event' } e.again = e"
                    " e[1] = { __type__ = 'Loop', counter = 2, e }"
                    " Animations = { { filename = 'pic', e } }",
                    1, 1, "Scene backgrounds/test.lua: a table that holds itself is skipped"},
        BrokenScene{"ALayerThatIsItsOwnEvent",
                    "local l = { filename = 'pic', __type__ = 'Event' } l.me = l Animations = { l }",
                    1, 0, "Scene backgrounds/test.lua: a table that holds itself is skipped"},
        BrokenScene{"NestingFiveThousandDeep",
                    "local t = { __type__ = 'Event' } for i = 1, 5000 do t = { __type__ = 'Event', t } end"
                    " Animations = { { filename = 'pic', t } }",
                    1, 1, "Scene backgrounds/test.lua: items nested deeper than 32 levels are skipped"},
        BrokenScene{"ASetAtLayerLevel",
                    "Animations = { { filename = 'pic', { __type__ = 'SetAlpha', duration = 10, start = 0,"
                    " ['end'] = 1 }, { __type__ = 'Event' } } }",
                    1, 1, "Scene backgrounds/test.lua: SetAlpha outside an event or loop is skipped"}));

TEST_F(SceneRig, TheCallersSearchPathComesBackAfterTheLoad) {
  const TString before = GetScriptSearchPath();
  SetScriptSearchPath("elsewhere/?");
  LoadLayer("Alpha = 0.5");
  EXPECT_EQ(GetScriptSearchPath(), "elsewhere/?");
  SetScriptSearchPath(before);
}

TEST_F(SceneRig, AValidSceneWithEveryKindOfItemLoadsWithoutALogLine) {
  const auto scene = LoadLayer(std::string(kValidEventWithChange) +
                               ", { __type__ = 'Loop', counter = 2, Pos = {1, 2},"
                               " { __type__ = 'SetScale', duration = 20, start = 1, ['end'] = 2 },"
                               " { __type__ = 'SetRotation', duration = 20, start = 0, ['end'] = 10 },"
                               " { __type__ = 'SetPos', duration = 20, start = {1, 2}, ['end'] = {3, 4} } }");
  EXPECT_EQ(scene->GetLayers()[0]->GetTimeline().GetLists().All().size(), 2u);
  for (uint32_t at = 0; at <= 200; at += 10) DrawAt(*scene, at);
  EXPECT_TRUE(scene->GetLayers()[0]->GetTimeline().GetLists().AreAllFinished());
  EXPECT_EQ(LogText().find("Scene "), std::string::npos) << LogText();
}

}  // namespace
}  // namespace GUI
