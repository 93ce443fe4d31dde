#include "online/TVqHiscores.h"

#include <gtest/gtest.h>

namespace {

// Scores as (mode, player, score, game data) in the order they are kept.
std::vector<std::string> Kept(const TVqHiscores& hiscores) {
  std::vector<std::string> kept;
  for (const TVqHiscores::TLocalScore& local : hiscores.GetLocalScores()) {
    kept.push_back(std::string(local.gameMode.CStr()) + " " + local.playerName.CStr() + " " +
                   std::to_string(local.score) + " " + local.gameData.CStr());
  }
  return kept;
}

TEST(TVqHiscores, APlayerReplacingHisOwnKeepsOnlyHisBestPerMode) {
  TVqHiscores hiscores("quorvane", "1.0", 0);
  hiscores.SetParameter(TVqHiscores::kGameMode, "adv");
  hiscores.SetParameter(TVqHiscores::kPlayerName, "Ann");
  hiscores.AddLocalScore(500, true, "31");
  hiscores.AddLocalScore(400, true, "33");
  hiscores.SetParameter(TVqHiscores::kPlayerName, "Bob");
  hiscores.AddLocalScore(300, true, "");
  hiscores.AddLocalScore(200, false, "");
  hiscores.SetParameter(TVqHiscores::kGameMode, "zen");
  hiscores.AddLocalScore(100, true, "");
  hiscores.SetParameter(TVqHiscores::kGameMode, "adv");
  hiscores.SetParameter(TVqHiscores::kPlayerName, "Ann");
  hiscores.AddLocalScore(600, true, "333");
  EXPECT_EQ(Kept(hiscores), (std::vector<std::string>{"adv Bob 300 ", "adv Bob 200 ", "zen Bob 100 ",
                                                      "adv Ann 600 333"}));
}

}  // namespace
