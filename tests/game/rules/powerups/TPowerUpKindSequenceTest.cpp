#include "game/rules/powerups/TPowerUpKindSequence.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/rules/level/PieceTableFile.h"
#include "platform/file/FileIndex.h"
#include "tests/support/TestFileLayer.h"

namespace GamePlay {
namespace {

using Kinds = std::vector<int32_t>;

TEST(TPowerUpKindSequence, ReadsTheKindsAfterTheFirstColon) {
  struct Case {
    const char* text;
    Kinds kinds;
  };
  const Case cases[] = {
      {"12x\r\n34X:xXqC:cR\r\n", {1, 3, 5, 6, 7}},
      {"123456789012", {}},
      {"1234:", {}},
      {":x x\nX", {1, 1, 3}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TPowerUpKindSequence(c.text).GetKinds(), c.kinds) << c.text;
  }
}

TEST(TPowerUpKindSequence, HandsOutItsKindsInTurn) {
  TPowerUpKindSequence sequence("0:XcR");
  Kinds drawn;
  for (int i = 0; i < 7; ++i) drawn.push_back(sequence.NextKind());
  EXPECT_EQ(drawn, Kinds({3, 6, 7, 3, 6, 7, 3}));
}

TEST(TPowerUpKindSequence, AnEmptySequenceHandsOutKindOne) {
  TPowerUpKindSequence sequence;
  EXPECT_EQ(sequence.NextKind(), 1);
  EXPECT_EQ(sequence.NextKind(), 1);
}

TEST(TPowerUpKindSequence, LoadsTheLevelsPieceTable) {
  TestFileLayer files;
  files.WriteAsset("levels/piecetable/piece0203.txt", "123:C");
  files.WriteAsset("tutorials/tutorial0203.txt", "123:R");
  files.WriteAsset("levels/piecetable/piecezen07.txt", "123:c");
  ClearFileIndex();
  BuildFileIndex();
  EXPECT_EQ(TPowerUpKindSequence::Load({2, 3}, false).GetKinds(), Kinds({5}));
  EXPECT_EQ(TPowerUpKindSequence::Load({2, 3}, true).GetKinds(), Kinds({7}));
  EXPECT_EQ(TPowerUpKindSequence::Load({0, 7}, true).GetKinds(), Kinds({6}))
      << "Zen levels have no tutorial tables";
  EXPECT_TRUE(TPowerUpKindSequence::Load({2, 4}, false).GetKinds().empty()) << "no table";
}

TEST(PieceTableFileName, NamesTheTableOfEachKindOfLevel) {
  EXPECT_STREQ(PieceTableFileName({3, 5}, false).CStr(), "levels/piecetable/piece0305.txt");
  EXPECT_STREQ(PieceTableFileName({3, 5}, true).CStr(), "tutorials/tutorial0305.txt");
  EXPECT_STREQ(PieceTableFileName({0, 12}, false).CStr(), "levels/piecetable/piecezen12.txt");
}

}  // namespace
}  // namespace GamePlay
