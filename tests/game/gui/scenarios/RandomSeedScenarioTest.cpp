// The deals of the towers repeat under one "randomseed": the real game
// started over the built data folder, each start in a child process of its
// own, played into level 1-1.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "game/gui/play/TArcadeWindow.h"
#include "game/rules/tower/ITowerModel.h"
#include "tests/game/gui/main/ScenarioChecks.h"
#include "tests/support/game/BuiltGameStart.h"

namespace {

constexpr uint32_t kSeedStartUpDelivery = 3000;

class RandomSeedScenario : public testing::Test {
 protected:
  // Starts the game with that command line and plays into level 1-1: the
  // tower once its start-up delivery is over, its cell codes in a line.
  // The log must name the seed as `seedLine`.
  std::string DealOfLevelOne(const std::string& commandLine, const std::string& seedLine) {
    const std::string dealFile = game.home.File("deal.txt");
    game.start.commandLine = commandLine;
    GameRun run = PlayGame(game.start, [&](GameDriver& driver) {
      WaitForLoadedMenu(driver);
      driver.Check(driver.LogText().find(seedLine) != std::string::npos, "the log says \"" + seedLine + "\"");
      driver.Click("playButton");
      driver.Click("level1");
      auto* window = GUI::TArcadeWindow::Cast(driver.WaitForWindow("playWindow"));
      if (!driver.Check(window && window->GetTowerModel(), "level 1-1 is played")) return;
      driver.AdvanceTime(kSeedStartUpDelivery);
      std::string codes;
      for (int32_t code : window->GetTowerModel()->GetCellCodes()) codes += std::to_string(code) + " ";
      WriteWholeFile(dealFile, codes);
    });
    EXPECT_EQ(run.failures, "") << commandLine;
    const std::string deal = ReadWholeFile(dealFile);
    std::remove(dealFile.c_str());
    return deal;
  }

  BuiltGameStart game;
};

// One seed deals the same tower again, another a different one.
TEST_F(RandomSeedScenario, OneSeedDealsTheSameTowerAgain) {
  const std::string first = DealOfLevelOne("--multiple options=randomseed=1234", "Random seed 1234");
  const std::string again = DealOfLevelOne("--multiple options=randomseed=1234", "Random seed 1234");
  const std::string other = DealOfLevelOne("--multiple options=randomseed=4321", "Random seed 4321");
  EXPECT_FALSE(first.empty());
  EXPECT_EQ(again, first);
  EXPECT_NE(other, first);
}

}  // namespace
