#include "game/gui/progress/TWorldData.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/xml/TStringTable.h"
#include "tests/game/gui/progress/ProgressRig.h"
#include "tests/support/SavedProgressFixture.h"
#include "tests/support/StringTableFile.h"

namespace {

using GamePlay::TLevelKey;
using GamePlay::TWorldData;
using GamePlay::TWorldRecord;
using GamePlay::TWorldRecords;
using Levels = std::set<uint32_t>;

const GamePlay::TMappingIds kDefaultIds{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

// What the hand-worked entry holds.
TWorldRecords HandWorkedRecords() {
  TWorldRecords records;
  records[0] = {3, 1.0f, {1, 2, 4}, {1, 2}, 4, -1};
  records[1] = {2, 1.0f, {1, 2, 3, 4, 5}, {1, 2, 3, 4}, 5, 7};
  return records;
}

class WorldDataTest : public ProgressRig {
 protected:
  // The world data as loaded from the player's entries.
  TWorldData& Loaded() {
    worldData.LoadProgress();
    return worldData;
  }
  // Completes the levels of the world with state 2, as won levels do.
  void Complete(uint32_t world, const Levels& levels) {
    for (uint32_t level : levels) worldData.CompleteLevel(world, level, TWorldData::kAllDone);
  }

  TWorldData worldData;
};

TEST_F(WorldDataTest, StartsWithWorldOneOpenAndNoLevelPlayed) {
  TWorldRecords expected;
  expected[0].state = TWorldData::kOpen;
  EXPECT_EQ(worldData.GetWorlds(), expected);
  EXPECT_EQ(worldData.GetMappingIds(), kDefaultIds);
  EXPECT_EQ(worldData.GetLastPlayingLevel(), (TLevelKey{0, 0}));
}

TEST_F(WorldDataTest, AFreshPlayerLoadsDefaultsAndStartsAtTheFirstLevel) {
  Loaded();
  EXPECT_EQ(worldData.GetWorlds(), TWorldRecords{}) << "no world is open in a fresh player's records";
  EXPECT_EQ(worldData.GetMappingIds(), kDefaultIds);
  EXPECT_EQ(worldData.GetLastPlayingLevel(), (TLevelKey{1, 1}));
  EXPECT_EQ(LogLinesWith("Saved progress"), 0u) << "missing entries are no fault";
}

TEST_F(WorldDataTest, ReadsAndWritesTheStoredBytes) {
  std::vector<uint8_t> stored = HandWorkedWorldData();
  // Slots past a count carry no meaning: they are read past and written as zeros.
  std::vector<uint8_t> withJunk = stored;
  PutLittleEndianWord(withJunk, 24, 5);
  PutLittleEndianWord(withJunk, 184 + 92 + 4 + 4 * 4, 0xDEADBEEF);
  for (const std::vector<uint8_t>& entry : {stored, withJunk}) {
    SetEntry("WorldData", entry);
    SetEntry("WorldMappingIDs", MappingIdsEntry({4, 9, 2}));
    SetEntry("LastPlayingLevel", LastPlayingLevelEntry(2, 5));
    Loaded();
    EXPECT_EQ(worldData.GetWorlds(), HandWorkedRecords());
    EXPECT_EQ(worldData.GetMappingIds(), (GamePlay::TMappingIds{4, 9, 2}));
    EXPECT_EQ(worldData.GetLastPlayingLevel(), (TLevelKey{2, 5}));
    worldData.Save();
    EXPECT_EQ(Entry("WorldData"), stored);
    EXPECT_EQ(Entry("WorldMappingIDs"), MappingIdsEntry({4, 9, 2}));
    EXPECT_EQ(Entry("LastPlayingLevel"), LastPlayingLevelEntry(2, 5));
  }
  TPrefs reread(true);
  EXPECT_EQ(reread.GetData("WorldData", nullptr, 0, Player()), 1840) << "the save reached the file";
}

// Each malformed entry reads as missing, with one log line, and leaves the
// other entries alone.
TEST_F(WorldDataTest, MalformedEntriesGiveTheDefaults) {
  std::vector<uint8_t> world = HandWorkedWorldData();
  auto worldWith = [&world](size_t offset, uint32_t word) {
    std::vector<uint8_t> bytes = world;
    PutLittleEndianWord(bytes, offset, word);
    return bytes;
  };
  auto resized = [](std::vector<uint8_t> bytes, size_t size) {
    bytes.resize(size);
    return bytes;
  };
  struct Case {
    const char* what;
    const char* entry;
    std::vector<uint8_t> bytes;
  };
  const Case cases[] = {
      {"short world data", "WorldData", resized(world, 1839)},
      {"long world data", "WorldData", resized(world, 1841)},
      {"21 completed levels", "WorldData", worldWith(8, 21)},
      {"21 previously completed levels in world 10", "WorldData", worldWith(9 * 184 + 92, 21)},
      {"level 0 completed", "WorldData", worldWith(12, 0)},
      {"level 6 completed before", "WorldData", worldWith(184 + 96, 6)},
      {"short ids", "WorldMappingIDs", resized(MappingIdsEntry({1}), 83)},
      {"21 ids", "WorldMappingIDs", MappingIdsEntry(std::vector<uint32_t>(21, 1))},
      {"long last level", "LastPlayingLevel", resized(LastPlayingLevelEntry(1, 1), 9)},
      {"world 0", "LastPlayingLevel", LastPlayingLevelEntry(0, 1)},
      {"world 11", "LastPlayingLevel", LastPlayingLevelEntry(11, 1)},
      {"level 6", "LastPlayingLevel", LastPlayingLevelEntry(1, 6)},
      {"level 0", "LastPlayingLevel", LastPlayingLevelEntry(3, 0)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetLogFolder(mLogs.Path().c_str());
    SetEntry("WorldData", world);
    SetEntry("WorldMappingIDs", MappingIdsEntry({3, 1}));
    SetEntry("LastPlayingLevel", LastPlayingLevelEntry(2, 4));
    SetEntry(c.entry, c.bytes);
    Loaded();
    std::string entry = c.entry;
    EXPECT_EQ(worldData.GetWorlds(), entry == "WorldData" ? TWorldRecords{} : HandWorkedRecords());
    GamePlay::TMappingIds ids = entry == "WorldMappingIDs" ? kDefaultIds : GamePlay::TMappingIds{3, 1};
    EXPECT_EQ(worldData.GetMappingIds(), ids);
    // Without a last level the first open one is next: level 3 of world 1.
    TLevelKey last = entry == "LastPlayingLevel" ? TLevelKey{1, 3} : TLevelKey{2, 4};
    EXPECT_EQ(worldData.GetLastPlayingLevel(), last);
    EXPECT_EQ(LogLinesWith("Saved progress"), 1u);
  }
}

TEST_F(WorldDataTest, FindsTheFirstOpenLevelInJourneyOrder) {
  struct Case {
    const char* what;
    std::map<uint32_t, Levels> done;
    TLevelKey next;
  };
  const Levels all{1, 2, 3, 4, 5};
  std::map<uint32_t, Levels> everything;
  for (uint32_t world = 1; world <= 10; ++world) everything[world] = all;
  const Case cases[] = {
      {"nothing done", {}, {1, 1}},
      {"a gap in world 1", {{1, {1, 2, 4}}}, {1, 3}},
      {"only level 2 done", {{1, {2}}}, {1, 1}},
      {"world 1 done", {{1, all}}, {2, 1}},
      {"world 3 started alone", {{3, {1}}}, {1, 1}},
      {"all fifty done", everything, {10, 5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    worldData = TWorldData();
    for (const auto& [world, levels] : c.done) Complete(world, levels);
    EXPECT_EQ(worldData.FindNextLevel(), c.next);
  }
}

TEST_F(WorldDataTest, OpensLevelsUpToOnePastTheHighestDone) {
  Complete(1, {1, 2, 3, 4});
  Complete(2, {5});
  struct Case {
    uint32_t world;
    uint32_t level;
    bool open;
  };
  const Case cases[] = {
      {1, 5, true},  {1, 4, false}, {1, 6, false}, {1, 0, false}, {2, 1, true},  {2, 4, true},
      {2, 5, false}, {3, 1, true},  {3, 2, false}, {0, 1, false}, {11, 1, false}, {99, 1, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(worldData.IsLevelOpen(c.world, c.level), c.open) << c.world << "-" << c.level;
  }
  EXPECT_EQ(worldData.GetCompletedLevels(1), (Levels{1, 2, 3, 4}));
  EXPECT_TRUE(worldData.GetCompletedLevels(0).empty());
  EXPECT_TRUE(worldData.GetCompletedLevels(11).empty());
}

TEST_F(WorldDataTest, CompletingALevelTwiceAddsItOnceAndSaves) {
  worldData.CompleteLevel(2, 3, TWorldData::kAllDone);
  worldData.CompleteLevel(2, 3, TWorldData::kAllDone);
  const TWorldRecord& world = worldData.GetWorlds()[1];
  EXPECT_EQ(world.completed, (Levels{3}));
  EXPECT_EQ(world.previouslyCompleted, world.completed);
  EXPECT_EQ(world.state, TWorldData::kJustCompleted);
  EXPECT_EQ(world.progress, 1.0f);
  EXPECT_EQ(world.lastCompleted, 3u);
  EXPECT_EQ(worldData.GetLastPlayingLevel(), (TLevelKey{2, 3}));
  EXPECT_EQ(Entry("WorldData"), GamePlay::WriteWorldData(worldData.GetWorlds()));
  EXPECT_EQ(Entry("LastPlayingLevel"), LastPlayingLevelEntry(2, 3));

  worldData.CompleteLevel(2, 4, TWorldData::kOpen);
  EXPECT_EQ(worldData.GetWorlds()[1].state, TWorldData::kOpen) << "another state only becomes the state";
  EXPECT_EQ(worldData.GetWorlds()[1].completed, (Levels{3}));
}

TEST_F(WorldDataTest, LevelsOutsideTheJourneyAreNeitherCompletedNorSaved) {
  TWorldData before = worldData;
  for (TLevelKey level : {TLevelKey{99, 1}, TLevelKey{0, 1}, TLevelKey{1, 6}, TLevelKey{1, 0}}) {
    worldData.CompleteLevel(level.world, level.level, TWorldData::kAllDone);
  }
  EXPECT_EQ(worldData.GetWorlds(), before.GetWorlds());
  EXPECT_EQ(worldData.GetLastPlayingLevel(), before.GetLastPlayingLevel());
  EXPECT_TRUE(Entry("WorldData").empty());
}

TEST_F(WorldDataTest, ALostLevelBecomesTheLastPlayedAndIsSaved) {
  worldData.SetLastPlayingLevel(4, 2);
  EXPECT_EQ(Entry("LastPlayingLevel"), LastPlayingLevelEntry(4, 2));
  EXPECT_EQ(Loaded().GetLastPlayingLevel(), (TLevelKey{4, 2}));
}

// Zen mode unlocks once some world is in state 2 with all five levels.
TEST_F(WorldDataTest, ZenModeUnlocksOnlyWithAWorldAllDone) {
  Complete(1, {1, 2, 3, 4, 5});
  EXPECT_EQ(worldData.CountCompletedWorlds(), 0u) << "completing leaves state 3";
  EXPECT_EQ(Prefs().GetInt("zenmodelocked", 1, Player()), 1);
  std::vector<uint8_t> almost = HandWorkedWorldData();
  PutLittleEndianWord(almost, 192, 4);  // world 2 in state 2 with four levels
  SetEntry("WorldData", almost);
  Loaded().Save();
  EXPECT_EQ(Prefs().GetInt("zenmodelocked", 1, Player()), 1);
  SetEntry("WorldData", HandWorkedWorldData());
  Loaded().Save();
  EXPECT_EQ(worldData.CountCompletedWorlds(), 1u);
  EXPECT_EQ(Prefs().GetInt("zenmodelocked", 1, Player()), 0);
  EXPECT_TRUE(app.IsZenModeUnlocked());
}

TEST_F(WorldDataTest, CheatNamesUnlockWorldsOnlyInCheatMode) {
  TWorldRecords braxule = HandWorkedRecords();
  for (TWorldRecord& world : braxule) {
    world.completed = {1, 2, 3, 4, 5};
    world.state = TWorldData::kAllDone;
  }
  TWorldRecords vortelian;
  vortelian[0] = braxule[0];
  vortelian[1] = braxule[1];
  vortelian[2] = {TWorldData::kJustCompleted, 1.0f, {1, 2, 3, 4, 5}, {1, 2, 3, 4}, 5, -1};
  struct Case {
    const char* cheatMode;
    const char* name;
    TWorldRecords expected;
  };
  const Case cases[] = {
      {"1", "BRAXULE", braxule},       {"1", "VORTELIAN", vortelian},
      {"1", "braxule", HandWorkedRecords()}, {"0", "BRAXULE", HandWorkedRecords()},
      {"", "VORTELIAN", HandWorkedRecords()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " with Cheat Mode " + c.cheatMode);
    WriteStringTable(files, "strings.xml", {{"Cheat Mode", c.cheatMode}});
    TStringTable strings;
    ASSERT_TRUE(strings.Load("strings.xml"));
    platform.stringTable = &strings;
    app.AddUser(c.name);
    SetEntry("WorldData", HandWorkedWorldData());
    EXPECT_EQ(Loaded().GetWorlds(), c.expected);
    platform.stringTable = nullptr;
  }
}

TEST_F(WorldDataTest, EachPlayerKeepsProgressOfHisOwn) {
  Complete(1, {1, 2});
  TWorldRecords first = worldData.GetWorlds();
  app.AddUser("Second");
  EXPECT_EQ(Loaded().GetWorlds(), TWorldRecords{}) << "the new player starts afresh";
  Complete(3, {1});
  TWorldRecords second = worldData.GetWorlds();
  app.SetCurrentUser(0);
  EXPECT_EQ(Loaded().GetWorlds(), first);
  EXPECT_EQ(worldData.GetLastPlayingLevel(), (TLevelKey{1, 2}));
  app.SetCurrentUser(1);
  EXPECT_EQ(Loaded().GetWorlds(), second);
}

TEST(WorldDataInstance, HoldsOneLevelResultWhichClearsForANewLevel) {
  GamePlay::TLevelResult& result = TWorldData::Instance().GetLevelResult();
  EXPECT_EQ(&result, &TWorldData::Instance().GetLevelResult());
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
