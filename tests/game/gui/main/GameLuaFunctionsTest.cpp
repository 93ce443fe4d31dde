#include <gtest/gtest.h>

#include "game/gui/main/GameLuaFunctions.h"
#include "game/gui/main/TGameApp.h"
#include "game/gui/progress/TWorldData.h"
#include "game/gui/sound/TSoundFactory.h"
#include "platform/prefs/TPrefs.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TestFileLayer.h"
#include "windows/script/TWindowScript.h"

namespace {

// The game's functions called from a script of the test's own, as a second
// start in one process would register them.
class GameLuaFunctionsTest : public testing::Test {
 protected:
  GameLuaFunctionsTest() {
    app.Init("");
    RegisterGameLuaFunctions(script, app);
  }
  ~GameLuaFunctionsTest() override {
    app.SetSoundFactory(nullptr);
    app.SetCountMode(true);
    app.SetNextToTutorial(false);
    app.SetTutorialMode(false);
    app.Shutdown();
  }

  // The value of the expression, through a global.
  double Number(const char* expression) {
    script.DoLuaString((std::string("result = ") + expression).c_str());
    return script.GetNumber("result", -99);
  }
  bool Bool(const char* expression) {
    script.DoLuaString((std::string("result = ") + expression).c_str());
    return script.GetBool("result", false);
  }

  TestFileLayer files;
  FakePlatform platform;
  TGameApp& app = TGameApp::Instance();
  TWindowScript script;
};

TEST_F(GameLuaFunctionsTest, CallsReachTheApplicationObject) {
  EXPECT_EQ(Number("GetNumUsers()"), 1);
  EXPECT_TRUE(Bool("ToggleFullScreen()"));
  EXPECT_TRUE(platform.fullScreen);
  script.DoLuaString("SetZenMode(true)");
  EXPECT_STREQ(app.GetGameMode().CStr(), "quorvane_webzen");
  EXPECT_TRUE(Bool("IsZenMode()"));
  script.DoLuaString("SetZenMode(false)");
  EXPECT_FALSE(Bool("IsZenMode()"));
  script.DoLuaString("SetCountMode(false)");
  EXPECT_FALSE(Bool("IsCountMode()"));
  EXPECT_EQ(Number("GetCurrentZenLevel()"), 0);
  script.DoLuaString("SetTutorialMode(1)");
  EXPECT_TRUE(Bool("IsTutorialMode()")) << "Lua truth: a number is true";
  EXPECT_TRUE(Bool("IsTutorialLevel(1.9, 1)")) << "tutorial mode takes tutorial settings";
  script.DoLuaString("SetNextToTutorial(true)");
  EXPECT_TRUE(app.IsTutorialSeen({4, 4}));
  EXPECT_FALSE(Bool("IsZenModeLocked()"));
  EXPECT_FALSE(Bool("IsDisplayTimeMode()"));
  EXPECT_FALSE(Bool("IsAOL()"));
  script.DoLuaString("GameEnd()");
  app.ParseCommandLine("url=https://example.org/x");
  script.DoLuaString("GoDownloadLink()");
  EXPECT_EQ(platform.openedUrls, std::vector<std::string>{"https://example.org/x"});
}

TEST_F(GameLuaFunctionsTest, DeleteUserIgnoresIndicesNoPlayerHas) {
  app.AddUser("Second");
  script.DoLuaString("DeleteUser(5) DeleteUser(-1) DeleteUser(2)");
  EXPECT_EQ(app.GetNumUsers(), 2);
  script.DoLuaString("DeleteUser(0.7)");
  EXPECT_EQ(app.GetNumUsers(), 1) << "0.7 truncates to 0";
  EXPECT_STREQ(app.GetCurrentUserName().CStr(), "Second");
}

TEST_F(GameLuaFunctionsTest, LoadCurrentUserProgressReadsTheCurrentPlayers) {
  GamePlay::TWorldData& worldData = GamePlay::TWorldData::Instance();
  worldData.CompleteLevel(4, 1, GamePlay::TWorldData::kAllDone);
  app.AddUser("Second");
  script.DoLuaString("LoadCurrentUserProgress()");
  EXPECT_TRUE(worldData.GetCompletedLevels(4).empty());
  app.SetCurrentUser(0);
  script.DoLuaString("LoadCurrentUserProgress()");
  EXPECT_EQ(worldData.GetCompletedLevels(4), std::set<uint32_t>{1});
}

TEST_F(GameLuaFunctionsTest, SoundFunctionsWaitForTheSoundFactory) {
  EXPECT_FALSE(Bool("ToggleMuteAllSound()"));
  script.DoLuaString("SaveVolumes()");
  EXPECT_EQ(app.GetPrefs()->GetInt("music", -5, 0), -5);
  // Not the game's own: a game started later by this process makes that one.
  GUI::TSoundFactory sound;
  app.SetSoundFactory(&sound);
  EXPECT_TRUE(Bool("ToggleMuteAllSound()"));
  EXPECT_FALSE(sound.IsSoundEnabled());
  EXPECT_TRUE(Bool("ToggleMuteAllSound()"));
  EXPECT_TRUE(sound.IsSoundEnabled());
  script.DoLuaString("SaveVolumes()");
  EXPECT_EQ(app.GetPrefs()->GetInt("music", -5, 0), sound.GetMusicVolume());
}

}  // namespace
