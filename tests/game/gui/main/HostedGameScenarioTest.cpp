// The game inside a host window of the portal: started with "-msn" and the
// host's "-wnd=" handle in a child process of its own, played through the
// game driver over the built data folder, with the program's own bridge.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "app/TAppPlatform.h"
#include "game/gui/main/TGameApp.h"
#include "media/sound/TSoundManager.h"
#include "online/THostBridge.h"
#include "platform/TPlatform.h"
#include "system/window/Window.h"
#include "tests/support/FakeHostWindow.h"
#include "tests/support/TempFolder.h"
#include "tests/support/game/BuiltGameStart.h"

namespace {

constexpr uint32_t kHostCommandMessage = 1024;

void SendHostCommand(GameDriver& driver, uint32_t command) {
  driver.Platform()->GetMainWindow()->PostHostMessage(kHostCommandMessage, command, 0);
  driver.Pass();
}

// What the host was told since the last look.
std::vector<std::string> TakeHostTexts(FakeHostWindow& host) {
  std::vector<std::string> texts = host.Texts();
  host.received.clear();
  return texts;
}

std::string JoinedHostTexts(const std::vector<std::string>& texts) {
  std::string joined;
  for (const std::string& text : texts) joined += text + "\n";
  return joined;
}

class HostedGameScenario : public testing::Test {
 protected:
  HostedGameScenario() {
    // Inside a host window the game keeps its files in the program folder:
    // one of the test's own, holding the built data folder.
    std::filesystem::create_directory_symlink(game.start.programFolder + "/assets", programFolder.File("assets"));
    game.start.programFolder = programFolder.Path();
    char line[64];
    std::snprintf(line, sizeof line, "-msn -wnd=%x", host.Handle());
    game.start.commandLine = line;
    // As the program's entry does; only the child turns the bridge on.
    SetHostBridge(&THostBridge::Instance());
  }
  ~HostedGameScenario() override { SetHostBridge(nullptr); }

  BuiltGameStart game;
  TempFolder programFolder;
  FakeHostWindow host;
};

// What the host saw of the game when it was told that the session is ready.
struct HeldGame {
  bool told = false;
  bool paused = false;
};

float HostedMasterVolume() {
  TSoundManager* sound = TPlatform::Instance()->GetSoundManager();
  return sound ? sound->GetVolume(-1) : -1.0f;
}

// The game tells its mode and that it is ready, and waits until the host
// answers with a new session; a level's result, the download link and
// the end of the game reach the host in the portal's words.
TEST_F(HostedGameScenario, TheHostHearsTheGameAndStartsItsSession) {
  FakeHostWindow& portal = host;
  HeldGame held;
  portal.onText = [&held](const std::string& text) {
    if (text != "SessionReady(\"<data></data>\")") return;
    held = {true, THostBridge::Instance().IsHostPaused()};
    TPlatform::Instance()->GetMainWindow()->PostHostMessage(kHostCommandMessage, 7, 0);
  };
  GameRun run = PlayGame(game.start, [&portal, &held](GameDriver& driver) {
    THostBridge& bridge = THostBridge::Instance();
    const std::vector<std::string> first = {"GameReady(\"<data><mode>quorvane_webjourney</mode></data>\")",
                                            "SessionReady(\"<data></data>\")"};
    driver.Check(TakeHostTexts(portal) == first, "the mode and the session notice come first");
    driver.Check(held.told && held.paused, "the host held the game until its session");
    driver.Check(!bridge.IsHostPaused(), "the session lets the game go on");
    driver.Check(HostedMasterVolume() > 0.0f, "with its sound");
    driver.Check(driver.WaitForWindow("quitButton") != nullptr, "the menu comes up");

    TLevelStatusTable& table = *TGameApp::Instance().GetLevelStatusTable();
    table.RecordLevelResult(700, 700, {1, 1});
    table.CommitPendingResult();
    const std::string scores = JoinedHostTexts(TakeHostTexts(portal));
    const std::regex told(
        "ScoreSubmit\\(\"<game><score>700</score><time>[0-9]+</time></game>\"\\)\n"
        "ScoreBroadcast\\(\"<game><score>700</score><time>[0-9]+</time></game>\"\\)\n");
    driver.Check(std::regex_match(scores, told), "the committed score is submitted and broadcast:\n" + scores);

    // What the Lua functions "GoDownloadLink" and "GameEnd" call.
    TGameApp::Instance().GoDownloadLink();
    TGameApp::Instance().GameEnd();
    const std::vector<std::string> last = {"CustomEvent(\"<gamedata>CustomEvent</gamedata>\")",
                                           "GameEnd(\"<gamedata></gamedata>\")"};
    driver.Check(TakeHostTexts(portal) == last, "the download link and the end go to the portal");
    driver.Check(bridge.IsHostPaused(), "the end hands the game back to the host");
    driver.Check(HostedMasterVolume() == 0.0f, "silent, the session over");
    SendHostCommand(driver, 5);
    driver.Click("quitButton");
    driver.WaitForEnd();
  });
  EXPECT_EQ(run.failures, "");
  EXPECT_EQ(run.exitCode, 0);
}

}  // namespace
