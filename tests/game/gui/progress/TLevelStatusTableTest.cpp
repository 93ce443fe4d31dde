#include <gtest/gtest.h>

#include "game/gui/progress/TLevelStatusTable.h"

namespace {

using GamePlay::TLevelKey;

TEST(TLevelStatusTable, RecordsTheLevelStatusAndKeepsOnlyTheLastResult) {
  TLevelStatusTable table;
  EXPECT_EQ(table.GetLevelStatus({2, 3}), -1) << "not played";
  table.RecordLevelResult(500, 1500, {2, 3});
  EXPECT_EQ(table.GetLevelStatus({2, 3}), 2) << "a level without a target reaches it";
  table.RecordLevelResult(700, 2200, {0, 4});
  ASSERT_NE(table.GetPendingResult(), nullptr);
  EXPECT_EQ(table.GetPendingResult()->levelScore, 700);
  EXPECT_EQ(table.GetPendingResult()->totalScore, 2200);
  EXPECT_EQ(table.GetPendingResult()->key, (TLevelKey{0, 4}));
  EXPECT_EQ(table.GetLevelStatus({0, 4}), -1) << "Zen levels have no status";
}

TEST(TLevelStatusTable, CommittingTheResultMakesItsTotalTheRunningTotal) {
  TLevelStatusTable table;
  table.CommitPendingResult();
  EXPECT_EQ(table.GetTotalScore(), 0) << "nothing pending";
  table.RecordLevelResult(500, 1500, {2, 3});
  EXPECT_EQ(table.GetTotalScore(), 0) << "recorded only";
  table.CommitPendingResult();
  EXPECT_EQ(table.GetTotalScore(), 1500);
  EXPECT_EQ(table.GetPendingResult(), nullptr);
  table.CommitPendingResult();
  EXPECT_EQ(table.GetTotalScore(), 1500) << "a result counts once";
}

}  // namespace
