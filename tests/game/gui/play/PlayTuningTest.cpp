// The play screen's tuning as read from the string table: which switches
// are on, and what a missing key reads.
#include "game/gui/play/PlayTuning.h"

#include <gtest/gtest.h>

#include "platform/text/Log.h"
#include "platform/xml/TStringTable.h"
#include "tests/support/StringTableFile.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFileLayer.h"

namespace GUI {
namespace {

class PlayTuningTest : public testing::Test {
 protected:
  PlayTuningTest() { SetLogFolder(mLogs.Path().c_str()); }

  TPlayTuning Read(const TableRows& rows) {
    WriteStringTable(mFiles, "strings.xml", rows);
    mStrings.Load("strings.xml");
    return ReadPlayTuning(&mStrings);
  }

  TempFolder mLogs;
  TestFileLayer mFiles;
  TStringTable mStrings;
};

TEST_F(PlayTuningTest, LinkedBlockMovingIsOnOnlyAtOneTheOtherSwitchesAtAnythingButZero) {
  struct Case {
    const char* value;
    bool linked;
    bool chain;
  };
  for (const Case& c : {Case{"0", false, false}, Case{"1", true, true}, Case{"2", false, true},
                        Case{"-1", false, true}}) {
    const TPlayTuning tuning = Read({{"Linked Block Moving", c.value},
                                     {"Bomb Chain Reaction", c.value},
                                     {"Colored Blocker", c.value},
                                     {"Using Table Generate", c.value},
                                     {"Ring Highlight", c.value}});
    EXPECT_EQ(tuning.tower.linkedBlockMoving, c.linked) << c.value;
    EXPECT_EQ(tuning.tower.bombChainReaction, c.chain) << c.value;
    EXPECT_EQ(tuning.tower.colouredBlocker, c.chain) << c.value;
    EXPECT_EQ(tuning.tower.usingTableGenerate, c.chain) << c.value;
    EXPECT_EQ(tuning.ringHighlight, c.chain) << c.value;
  }
}

TEST_F(PlayTuningTest, NumbersGoWhereTheirNamesSayAndMissingKeysReadZero) {
  const TPlayTuning tuning = Read({{"Click Rotation Rate", "0.1"},
                                   {"Highlight Delay Time", "300"},
                                   {"BPM", "96"},
                                   {"Area bomb Height", "4"},
                                   {"Piece Animation Speed", "1.5"},
                                   {"Seq Explosion Time", "120"},
                                   {"Pie Scale Rate", "0.5"}});
  EXPECT_FLOAT_EQ(tuning.tower.clickRotationRate, 0.1f);
  EXPECT_EQ(tuning.tower.highlightDelayTime, 300);
  EXPECT_FLOAT_EQ(tuning.bpm, 96.0f);
  EXPECT_EQ(tuning.tower.areaBombHeight, 4);
  EXPECT_EQ(tuning.tower.areaBombWidth, 0) << "missing";
  EXPECT_FLOAT_EQ(tuning.tower.snapRotationRate, 0.0f) << "missing";
  EXPECT_FALSE(tuning.tower.linkedBlockMoving) << "missing";
  EXPECT_FLOAT_EQ(tuning.pieceAnimationSpeed, 1.5f);
  const TLevelTuning level = ReadLevelTuning(&mStrings);
  EXPECT_EQ(level.explosionStepTime, 120);
  EXPECT_FLOAT_EQ(level.jugLinkFactor, 0.5f);
}

TEST(PlayTuningWithoutTable, ReadsZero) {
  const TPlayTuning tuning = ReadPlayTuning(nullptr);
  EXPECT_FLOAT_EQ(tuning.bpm, 0.0f);
  EXPECT_FALSE(tuning.tower.bombChainReaction);
  EXPECT_EQ(ReadLevelTuning(nullptr).explosionStepTime, 0);
}

}  // namespace
}  // namespace GUI
