#include <gtest/gtest.h>

#include "game/gui/progress/TWorldData.h"

namespace {

using GamePlay::TLevelKey;

TEST(TWorldData, HoldsOneLevelResultWhichClearsForANewLevel) {
  GamePlay::TLevelResult& result = GamePlay::TWorldData::Instance().GetLevelResult();
  EXPECT_EQ(&result, &GamePlay::TWorldData::Instance().GetLevelResult());
  result.level = {3, 2};
  result.activationCount = 4;
  result.levelScore = 900;
  result.timeBonus = 12;
  result.Clear();
  EXPECT_EQ(result.activationCount, 0);
  EXPECT_EQ(result.levelScore, 0);
  EXPECT_EQ(result.timeBonus, 0);
  EXPECT_EQ(result.level, (TLevelKey{3, 2})) << "the level stays";
}

}  // namespace
