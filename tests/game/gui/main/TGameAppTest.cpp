#include <gtest/gtest.h>

#include <cstdlib>

#include "game/gui/main/TGameApp.h"
#include "game/gui/progress/TWorldData.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "game/gui/sound/TSoundFactory.h"
#include "online/TVqHiscores.h"
#include "platform/prefs/TPrefs.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TestFileLayer.h"

namespace {

using GamePlay::TLevelKey;

// Each test runs with its own preference file and a fake platform.
class GameAppTest : public testing::Test {
 protected:
  GameAppTest() { app.Init(""); }
  ~GameAppTest() override { app.Shutdown(); }

  // A second start of the game, after the first ended.
  void Restart() {
    app.Shutdown();
    app.Init("");
  }

  TestFileLayer files;
  FakePlatform platform;
  TGameApp& app = TGameApp::Instance();
};

TEST_F(GameAppTest, InitBuildsTheRecordersAndShutdownEndsTheMetrics) {
  EXPECT_TRUE(app.IsCountMode());
  ASSERT_NE(app.GetMetrics(), nullptr);
  ASSERT_NE(app.GetLevelStatusTable(), nullptr);
  app.Shutdown();
  EXPECT_EQ(app.GetMetrics(), nullptr);
  EXPECT_NE(app.GetLevelStatusTable(), nullptr) << "the table lives as long as the game";
}

TEST_F(GameAppTest, InitStartsWithAFreshStatusTable) {
  app.GetLevelStatusTable()->RecordLevelResult(10, 20, {1, 1});
  Restart();
  EXPECT_EQ(app.GetLevelStatusTable()->GetPendingResult(), nullptr);
  EXPECT_EQ(app.GetLevelStatusTable()->GetLevelStatus({1, 1}), -1);
}

TEST_F(GameAppTest, TutorialsCountAsSeenWhenSkippedOrMarkedForThePlayer) {
  app.SetNextToTutorial(false);
  EXPECT_FALSE(app.IsTutorialSeen({1, 1}));
  EXPECT_TRUE(app.SetNextToTutorial(true));
  EXPECT_TRUE(app.IsTutorialSeen({1, 1}));
  app.SetNextToTutorial(false);
  app.SetTutorialSeen({1, 2});
  EXPECT_TRUE(app.IsTutorialSeen({1, 2}));
  EXPECT_FALSE(app.IsTutorialSeen({1, 1}));
  EXPECT_EQ(app.GetPrefs()->GetInt("Tutorial12", 0, 0), 1);
}

TEST_F(GameAppTest, PlayFlagsAnswerWhatWasSet) {
  EXPECT_FALSE(app.SetCountMode(false));
  EXPECT_FALSE(app.IsCountMode());
  EXPECT_TRUE(app.SetTutorialMode(true));
  EXPECT_TRUE(app.IsTutorialMode());
  app.SetTutorialMode(false);
}

// What the rules are handed reaches the game's own objects.
TEST_F(GameAppTest, HandsTheRulesItsMetricsWorldDataAndItself) {
  GamePlay::TGameRecords records = app.GetGameRecords();
  EXPECT_EQ(records.metrics, app.GetMetrics());
  EXPECT_EQ(records.results, &GamePlay::TWorldData::Instance());
  EXPECT_EQ(records.status, &app);
  EXPECT_EQ(records.playMode, &app);
  records.metrics->CountLockBroken();
  EXPECT_EQ(app.GetMetrics()->GetLevelCount(GamePlay::TMetrics::kLocksBroken), 1u);
  app.Shutdown();
  EXPECT_EQ(app.GetGameRecords().metrics, nullptr) << "no metrics outside a run";
}

TEST_F(GameAppTest, AnswersTheRulesFromItsLevelStatusTable) {
  GamePlay::ILevelStatus& status = app;
  status.RecordLevelResult(400, 900, {3, 2});
  ASSERT_NE(app.GetLevelStatusTable()->GetPendingResult(), nullptr);
  EXPECT_EQ(app.GetLevelStatusTable()->GetPendingResult()->totalScore, 900);
  EXPECT_EQ(status.GetTotalScore(), 0) << "until the game commits it";
  app.GetLevelStatusTable()->CommitPendingResult();
  EXPECT_EQ(status.GetTotalScore(), 900);
  EXPECT_EQ(status.GetTargetScore({3, 2}), 0) << "no scores file, no targets";
}

// Should a library end the process with exit() in the middle of a level, the
// metrics the application object still holds go with the process's other
// objects, and must find the clock registry a level handed them to whole. The child is started afresh,
// so the objects are made in the order the game makes them.
TEST_F(GameAppTest, AnExitDuringALevelEndsTheMetricsCleanly) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        GamePlay::TClockProxyRegistry::Instance().AttachMetrics(app.GetMetrics());
        std::exit(0);
      },
      testing::ExitedWithCode(0), "");
}

// Command lines against the link, hiscore mode and portal mode they give.
// The hiscore mode starts at 1 (as settings would choose it).
TEST(GameAppCommandLine, KeysGiveLinkHiscoreModeAndPortal) {
  struct Case {
    const char* line;
    const char* link;
    int32_t hiscoreMode;
    int32_t portal;
  };
  const Case cases[] = {
      {"-anon 2 url=http://example.org/get more", "http://example.org/get", 2, 0},
      {"game.exe -anon2", "", 1, 0},
      {"-anon 7", "", 1, 0},
      {"-anon 0", "", 0, 0},
      {"-anon x", "", 1, 0},
      {"-anon ", "", 1, 0},
      {"-hidelogo 1 url=", "", 1, 0},
      {"URL=http://a -MSN", "", 1, 0},
      {"url=http://a/b", "http://a/b", 1, 0},
  };
  TGameApp& app = TGameApp::Instance();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    app.SetHiscoreMode(1);
    app.ParseCommandLine(c.line);
    EXPECT_STREQ(app.GetDownloadLink().CStr(), c.link);
    EXPECT_EQ(app.GetHiscoreMode(), c.hiscoreMode);
    EXPECT_EQ(app.GetPortalMode(), c.portal);
  }
}

// The portal mode stays for the rest of the process once set, and "-msn"
// wins over "-aol": checked in a child process, so that the other tests of
// this program keep playing outside a portal.
TEST(GameAppCommandLine, ThePortalModeStaysOnceSet) {
  EXPECT_EXIT(
      {
        TGameApp& app = TGameApp::Instance();
        app.ParseCommandLine("-aol");
        const bool aol = app.GetPortalMode() == 2;
        app.ParseCommandLine("-msn -aol");
        const bool msn = app.GetPortalMode() == 1;
        app.ParseCommandLine("url=http://a/b");
        std::_Exit(aol && msn && app.GetPortalMode() == 1 ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

TEST(GameAppCommandLine, ValueRunsToTheNextBlankSkippingOneRightAfterTheKey) {
  EXPECT_STREQ(TGameApp::GetCommandLineValue("a=x b", "a=").CStr(), "x");
  EXPECT_STREQ(TGameApp::GetCommandLineValue("a= x b", "a=").CStr(), " x");
  EXPECT_STREQ(TGameApp::GetCommandLineValue("a=", "a=").CStr(), "");
  EXPECT_STREQ(TGameApp::GetCommandLineValue("b", "a=").CStr(), "");
  EXPECT_TRUE(TGameApp::HasCommandLineSwitch("x -msnbc", "-msn"));
}

TEST(GameAppSettings, AnonymousWinsOverLocal) {
  EXPECT_EQ(TGameApp::ChooseHiscoreMode(false, false), 0);
  EXPECT_EQ(TGameApp::ChooseHiscoreMode(true, false), 1);
  EXPECT_EQ(TGameApp::ChooseHiscoreMode(false, true), 2);
  EXPECT_EQ(TGameApp::ChooseHiscoreMode(true, true), 1);
}

TEST_F(GameAppTest, AFreshStorePlaysAsWebAtIndexZero) {
  EXPECT_EQ(app.GetNumUsers(), 1);
  EXPECT_EQ(app.GetCurrentUser(), 0);
  EXPECT_STREQ(app.GetCurrentUserName().CStr(), "Web");
  EXPECT_STREQ(app.GetHiscores()->GetParameter(TVqHiscores::kPlayerName).CStr(), "Web");
  EXPECT_STREQ(app.GetGameMode().CStr(), "quorvane_webjourney");
  EXPECT_STREQ(app.GetHiscores()->GetGameName().CStr(), "quorvane");
  EXPECT_STREQ(app.GetHiscores()->GetVersion().CStr(), "1.0.0.0");
}

TEST_F(GameAppTest, EveryStartReplacesTheStoredCurrentPlayerWithAFreshWeb) {
  app.SetTutorialSeen({2, 1});
  app.SetCompletedJourneyMode(true);
  Restart();
  EXPECT_EQ(app.GetNumUsers(), 1);
  EXPECT_EQ(app.GetCurrentUser(), 0);
  EXPECT_STREQ(app.GetCurrentUserName().CStr(), "Web");
  EXPECT_FALSE(app.IsTutorialSeen({2, 1}));
  EXPECT_FALSE(app.IsCompletedJourneyMode());
}

TEST_F(GameAppTest, OnlyTheCurrentPlayerIsReplacedAtStart) {
  app.AddUser("Second");
  app.SetCurrentUser(0);
  Restart();
  ASSERT_EQ(app.GetNumUsers(), 2);
  EXPECT_STREQ(app.GetUserName(0).CStr(), "Second");
  EXPECT_STREQ(app.GetUserName(1).CStr(), "Web");
  EXPECT_EQ(app.GetCurrentUser(), 1);
}

// DeleteUser's index comes from scripts: what it removes and who is current.
TEST_F(GameAppTest, DeletingAPlayerMakesTheOneBeforeCurrent) {
  struct Case {
    int32_t index;
    int32_t usersLeft;
    const char* current;
  };
  const Case cases[] = {{0, 1, "Second"}, {1, 1, "Web"}, {2, 2, "Second"}, {-1, 2, "Second"}, {99, 2, "Second"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    Restart();
    app.AddUser("Second");
    ASSERT_EQ(app.GetNumUsers(), 2);
    app.DeleteUser(c.index);
    EXPECT_EQ(app.GetNumUsers(), c.usersLeft);
    EXPECT_STREQ(app.GetCurrentUserName().CStr(), c.current);
    app.DeleteUser(app.GetNumUsers() - 1);
  }
}

TEST_F(GameAppTest, ACurrentPlayerIndexPastTheCountChangesNothing) {
  app.SetCurrentUser(1);
  EXPECT_EQ(app.GetCurrentUser(), 0);
}

TEST_F(GameAppTest, ALevelBestIsReadAgainAfterItWasSet) {
  EXPECT_EQ(app.GetLevelHiscore({3, 4}), 0);
  app.SetLevelHiscore({3, 4}, 1200);
  EXPECT_EQ(app.GetLevelHiscore({3, 4}), 1200);
  EXPECT_EQ(app.GetPrefs()->GetInt("HS0304", 0, -1), 1200);
  app.GetPrefs()->SetInt("HS0304", 50, -1, false);
  EXPECT_EQ(app.GetLevelHiscore({3, 4}), 1200) << "cached until the next set";
}

TEST_F(GameAppTest, ZenModeIsUnlockedWhenAnyPlayerHasItUnlocked) {
  EXPECT_FALSE(app.IsZenModeUnlocked());
  app.AddUser("Second");
  app.GetPrefs()->SetInt("zenmodelocked", 1, 0, false);
  app.GetPrefs()->SetInt("zenmodelocked", 0, 1, false);
  EXPECT_TRUE(app.IsZenModeUnlocked());
}

TEST_F(GameAppTest, AllJourneyExpertNeedsJourneyDoneAndEveryTargetReached) {
  for (uint32_t world = 1; world <= 10; ++world) {
    for (uint32_t level = 1; level <= 5; ++level) app.RecordLevelResult(1, 1, {world, level});
  }
  EXPECT_FALSE(app.IsAllJourneyExpert()) << "Journey not completed";
  app.SetCompletedJourneyMode(true);
  EXPECT_TRUE(app.IsAllJourneyExpert());
  Restart();
  app.SetCompletedJourneyMode(true);
  app.RecordLevelResult(1, 1, {1, 1});
  EXPECT_FALSE(app.IsAllJourneyExpert());
}

TEST_F(GameAppTest, GameModeKeysGoToTheHiscoreClient) {
  struct Case {
    bool zen, web;
    const char* key;
  };
  const Case cases[] = {{false, false, "quorvane_gamemode_adv"},
                        {true, false, "quorvane_gamemode_zen"},
                        {false, true, "quorvane_webjourney"},
                        {true, true, "quorvane_webzen"}};
  for (const Case& c : cases) {
    app.SetGameMode(c.zen, c.web);
    EXPECT_STREQ(app.GetHiscores()->GetParameter(TVqHiscores::kGameMode).CStr(), c.key);
    EXPECT_EQ(app.IsZenMode(), c.zen) << c.key;
    EXPECT_EQ(app.IsWebMode(), c.web) << c.key;
  }
}

TEST_F(GameAppTest, FullScreenToggleIsSavedOnlyWhenThePlatformMadeIt) {
  EXPECT_TRUE(app.ToggleFullScreen());
  EXPECT_TRUE(platform.fullScreen);
  EXPECT_TRUE(app.GetFullScreenOption());
  platform.fullScreenWorks = false;
  EXPECT_FALSE(app.ToggleFullScreen());
  EXPECT_TRUE(app.GetFullScreenOption());
}

// The sound options against a sound factory handed over, and without one.
class GameAppSoundTest : public GameAppTest {
 protected:
  ~GameAppSoundTest() override {
    sound.SetSoundEnabled(true);
    sound.SetMusicVolume(1000);
    sound.SetEffectsVolume(1000);
    app.SetSoundFactory(nullptr);
  }

  // Not the game's own: a game started later by this process makes that one.
  GUI::TSoundFactory sound;
};

TEST_F(GameAppSoundTest, WithoutASoundFactoryTheSoundOptionsDoNothing) {
  app.SetSoundFactory(nullptr);
  EXPECT_FALSE(app.ToggleMuteAllSound());
  app.SaveVolumes();
  app.LoadSoundOptions();
  EXPECT_EQ(app.GetPrefs()->GetInt("enableallsound", -5, 0), -5);
  EXPECT_EQ(app.GetPrefs()->GetInt("music", -5, 0), -5);
}

TEST_F(GameAppSoundTest, StoredSoundOptionsReachTheFactory) {
  struct Case {
    int32_t enableAllSound;
    bool enabled;
  };
  const Case cases[] = {{1, true}, {0, false}, {2, false}};
  app.SetSoundFactory(&sound);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.enableAllSound);
    app.GetPrefs()->SetInt("enableallsound", c.enableAllSound, 0, false);
    app.GetPrefs()->SetInt("soundfx", 300, 0, false);
    app.GetPrefs()->SetInt("music", 700, 0, false);
    app.LoadSoundOptions();
    EXPECT_EQ(sound.IsSoundEnabled(), c.enabled);
    EXPECT_EQ(sound.GetEffectsVolume(), 300);
    EXPECT_EQ(sound.GetMusicVolume(), 700);
  }
}

TEST_F(GameAppSoundTest, MutingAndVolumesAreStoredForThePlayer) {
  app.SetSoundFactory(&sound);
  sound.SetSoundEnabled(true);
  EXPECT_TRUE(app.ToggleMuteAllSound());
  EXPECT_FALSE(sound.IsSoundEnabled());
  EXPECT_EQ(app.GetPrefs()->GetInt("enableallsound", -5, 0), 0);
  EXPECT_TRUE(app.ToggleMuteAllSound());
  EXPECT_EQ(app.GetPrefs()->GetInt("enableallsound", -5, 0), 1);
  sound.SetMusicVolume(400);
  sound.SetEffectsVolume(600);
  app.SaveVolumes();
  EXPECT_EQ(app.GetPrefs()->GetInt("music", 0, 0), 400);
  EXPECT_EQ(app.GetPrefs()->GetInt("soundfx", 0, 0), 600);
}

// What the options dialog keeps outlasts the game: a fresh store over the
// same file finds the volumes in the player's own section.
TEST_F(GameAppSoundTest, SavedVolumesOutlastShutdownInThePlayersSection) {
  app.SetSoundFactory(&sound);
  sound.SetMusicVolume(350);
  sound.SetEffectsVolume(999);
  app.SaveVolumes();
  const int32_t player = app.GetCurrentUser();
  ASSERT_GE(player, 0);
  app.Shutdown();
  TPrefs stored(false);
  EXPECT_EQ(stored.GetInt("music", -1, player), 350);
  EXPECT_EQ(stored.GetInt("soundfx", -1, player), 999);
}

TEST_F(GameAppTest, TheDownloadLinkOpensThroughThePlatformOutsideTheMsnPortal) {
  app.ParseCommandLine("url=https://example.org/full");
  app.GoDownloadLink();
  EXPECT_EQ(platform.openedUrls, std::vector<std::string>{"https://example.org/full"});
  EXPECT_FALSE(app.IsAOL());
}

}  // namespace
