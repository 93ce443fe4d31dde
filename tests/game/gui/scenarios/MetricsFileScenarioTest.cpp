// The records of play that a whole game leaves in "user:metrics.txt", each
// start in a child process of its own, played through the game driver over
// the built data folder.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "platform/file/TFile.h"
#include "platform/prefs/TPrefs.h"
#include "system/os/LocalTime.h"
#include "tests/game/gui/main/ScenarioChecks.h"
#include "tests/support/game/BuiltGameStart.h"

namespace {

sys::LocalDateTime MetricsScenarioMoment() { return {2026, 12, 24, 18, 30, 0, 4}; }

// The title menu for two seconds of game time, then Quit; the script reads
// what the game left behind.
void PlayTheTitleMenuAndQuit(GameDriver& driver) {
  sys::SetLocalTimeSource(MetricsScenarioMoment);
  driver.Check(WaitForLoadedMenu(driver) && driver.FindWindow("quitButton"), "the menu offers Quit");
  driver.AdvanceTime(2000);
  driver.Click("quitButton");
  driver.WaitForEnd();
}

std::string MetricsFileText() {
  std::string text;
  FileReadAll("user:metrics.txt", &text, kFileReadText);
  return text;
}

const std::regex kSessionLine(
    R"("SessionData", 24\.12\.2026, 18:30:00, [0-9.]+, ([0-9]+), 0, 0, 0, 0\n)");

class MetricsFileScenario : public testing::Test {
 protected:
  BuiltGameStart game;
};

// Each session adds its record at the end, and the total play time it
// stored is where the next session's total starts.
TEST_F(MetricsFileScenario, EachSessionAppendsItsRecordAndStoresTheTotalPlayTime) {
  GameRun first = PlayGame(game.start, [](GameDriver& driver) {
    PlayTheTitleMenuAndQuit(driver);
    std::smatch session;
    const std::string text = MetricsFileText();
    if (!driver.Check(std::regex_match(text, session, kSessionLine), "one session record:\n" + text)) return;
    driver.Check(std::stoul(session[1]) >= 2000, "the session lasted the two seconds played: " + text);
    TPrefs saved(false);
    driver.Check(saved.GetValue("TotalGamePlayTime", "", TPrefs::kGlobalSection) == session[1].str().c_str(),
                 "the total play time is the session's");
  });
  EXPECT_EQ(first.failures, "");
  EXPECT_EQ(first.exitCode, 0);
  GameRun second = PlayGame(game.start, [](GameDriver& driver) {
    PlayTheTitleMenuAndQuit(driver);
    const std::string text = MetricsFileText();
    const size_t firstEnd = text.find('\n') + 1;
    std::smatch older, newer;
    const std::string firstLine = text.substr(0, firstEnd), secondLine = text.substr(firstEnd);
    driver.Check(std::regex_match(firstLine, older, kSessionLine), "the first session's record stays first:\n" + text);
    driver.Check(std::regex_match(secondLine, newer, kSessionLine), "the second one follows it:\n" + text);
    TPrefs saved(false);
    const uint32_t total = static_cast<uint32_t>(
        std::stoul(saved.GetValue("TotalGamePlayTime", "0", TPrefs::kGlobalSection).CStr()));
    driver.Check(newer.size() == 2 && older.size() == 2 && total == std::stoul(older[1]) + std::stoul(newer[1]),
                 "the total grows by the second session");
  });
  EXPECT_EQ(second.failures, "");
  EXPECT_EQ(second.exitCode, 0);
}

}  // namespace
