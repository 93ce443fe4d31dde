#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/layers/LayerGuard.h"
#include "tests/support/TempFolder.h"

namespace fs = std::filesystem;
using layers::Crossing;

namespace {

std::string Describe(const std::vector<Crossing>& crossings) {
  std::ostringstream text;
  for (const Crossing& crossing : crossings) text << "\n  " << crossing.file << ": " << crossing.what;
  return text.str();
}

void WriteFile(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path) << text;
}

}  // namespace

// The tests run in the source root.
TEST(LayerGuard, NoIncludeCrossesALayerTheWrongWay) {
  const auto unexpected = layers::FindIncludeCrossings(fs::current_path());
  EXPECT_TRUE(unexpected.empty()) << "includes that cross a layer the wrong way:" << Describe(unexpected);
}

TEST(LayerGuard, NoLibraryLinksALayerItMayNotUse) {
  const auto unexpected = layers::FindLinkCrossings(fs::current_path());
  EXPECT_TRUE(unexpected.empty()) << "links that cross a layer the wrong way:" << Describe(unexpected);
}

TEST(LayerGuard, EdgesFollowTheLayerOrder) {
  struct Case {
    const char* from;
    const char* to;
    bool allowed;
  };
  const Case cases[] = {
      {"platform", "system", true}, {"system", "platform", false}, {"platform", "media", false},
      {"windows", "media", true},   {"media", "windows", false},   {"windows", "app", false},
      {"app", "online", true},      {"rules", "platform", true},   {"rules", "gui", false},
      {"rules", "media", false},    {"gui", "rules", true},        {"gui", "app", true},
      {"script", "media", false},   {"online", "app", false},
  };
  for (const Case& c : cases) EXPECT_EQ(layers::MayUse(c.from, c.to), c.allowed) << c.from << " -> " << c.to;
}

TEST(LayerGuard, ProductFilesBelongToTheirFolderLayer) {
  EXPECT_EQ(layers::LayerOf("game/rules/tower/TTower.h"), "rules");
  EXPECT_EQ(layers::LayerOf("game/gui/main/TGameApp.h"), "gui");
  EXPECT_EQ(layers::LayerOf("script/lua/Lua.h"), "script");
  EXPECT_EQ(layers::LayerOf("tests/support/FakeClock.h"), "");
  EXPECT_EQ(layers::LayerOf("vector"), "");
}

TEST(LayerGuard, NamesAWrongIncludeAndAWrongLinkInATree) {
  TempFolder root;
  WriteFile(root.File("platform/text/Bad.cpp"),
            "#include \"platform/text/TString.h\"\n#include <vector>\n  #  include \"windows/core/TWindow.h\"\n");
  WriteFile(root.File("game/rules/Good.cpp"), "#include \"platform/time/TClock.h\"\n");
  WriteFile(root.File("media/CMakeLists.txt"), "quorvane_library(quorvane_media DEPENDS quorvane_platform quorvane_app)\n");

  const auto includes = layers::FindIncludeCrossings(root.Path());
  ASSERT_EQ(includes.size(), 1u) << Describe(includes);
  EXPECT_EQ(includes[0].file, "platform/text/Bad.cpp");
  EXPECT_EQ(includes[0].what, "windows/core/TWindow.h");

  const auto links = layers::FindLinkCrossings(root.Path());
  ASSERT_EQ(links.size(), 1u) << Describe(links);
  EXPECT_EQ(links[0].file, "media/CMakeLists.txt");
  EXPECT_EQ(links[0].what, "links quorvane_app");
}
