#include "online/THiscoreImpl.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "online/TVqHiscores.h"
#include "tests/online/HiscoreRig.h"

namespace {

constexpr char kZenMode[] = "quorvane_gamemode_zen";

// A record with a local list of the Zen mode, a downloaded list, categories
// and a remembered account; Ann plays.
class HiscoreImplTest : public testing::Test {
 protected:
  HiscoreImplTest() : hiscores(kHiscoreTestKey, false) {
    hiscores.gameMode = kZenMode;
    hiscores.playerName = "Ann";
    hiscores.tables = {{"t1", "All time"}, {"t2", "This week's best"}};
    THiscoreList& zen = hiscores.localLists[kZenMode];
    zen.name = kZenMode;
    THiscoreRecord sent = HiscoreRow(1, 900, "Ann", "g-sent");
    sent.submitted = true;
    THiscoreRecord open = HiscoreRow(2, 700, "Ann", "g-open");
    open.gameData = "open data";
    zen.records = {sent, open, HiscoreRow(3, 500, "Bob", "g-bob")};
    hiscores.downloaded.records = {HiscoreRow(1, 5000, "Zed", "g-zed"),
                                   HiscoreRow(2, 900, "ann_online", "g-sent")};
    hiscores.downloaded.records[0].anonymous = false;
    hiscores.downloaded.records[0].gameData = "zed data";
  }

  // "rank score data" of the pending score of the kind, or "none".
  std::string Pending(int32_t kind) const {
    int32_t score = 0;
    int32_t rank = 0;
    char data[32];
    if (!hiscores.GetPendingScore(kind, &score, &rank, data, sizeof data)) return "none";
    return std::to_string(rank) + " " + std::to_string(score) + " " + data;
  }

  THiscoreImpl hiscores;
};

TEST_F(HiscoreImplTest, TableNamesAreCopiedWithinTheBuffer) {
  struct Case {
    const char* what;
    int32_t index;
    bool buffer;
    int32_t size;
    bool result;
    const char* text;  // what the buffer holds after
  };
  const Case cases[] = {
      {"whole", 1, true, 32, true, "This week's best"},
      {"exactly fits", 0, true, 9, true, "All time"},
      {"truncated", 1, true, 5, true, "This"},
      {"size 1", 0, true, 1, true, ""},
      {"size 0", 0, true, 0, false, "untouched"},
      {"null buffer", 0, false, 32, false, "untouched"},
      {"index -1", -1, true, 32, false, "untouched"},
      {"index past the end", 2, true, 32, false, "untouched"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    char buffer[32] = "untouched";
    EXPECT_EQ(hiscores.GetTableName(c.index, c.buffer ? buffer : nullptr, c.size), c.result);
    EXPECT_STREQ(buffer, c.text);
  }
  hiscores.tables.clear();
  char buffer[8] = "x";
  EXPECT_FALSE(hiscores.GetTableName(0, buffer, sizeof buffer)) << "no categories";
}

TEST_F(HiscoreImplTest, ScoresAreReadFromTheModesListOrTheDownloadedOne) {
  struct Case {
    const char* what;
    const char* mode;
    bool local;
    int32_t index;
    int32_t nameSize;
    int32_t dataSize;
    bool result;
    std::string read;  // rank score name anonymous data
  };
  const Case cases[] = {
      {"local", kZenMode, true, 1, 16, 16, true, "2 700 Ann 1 open data"},
      {"downloaded", kZenMode, false, 0, 16, 16, true, "1 5000 Zed 0 zed data"},
      {"truncated", kZenMode, false, 0, 3, 4, true, "1 5000 Ze 0 zed"},
      {"sizes 1", kZenMode, true, 1, 1, 1, true, "2 700  1 "},
      {"sizes 0 leave the texts", kZenMode, true, 1, 0, 0, true, "2 700 - 1 -"},
      {"index past the end", kZenMode, true, 3, 16, 16, false, "-1 -1 - 0 -"},
      {"index -1", kZenMode, false, -1, 16, 16, false, "-1 -1 - 0 -"},
      {"a mode without a list", "quorvane_gamemode_adv", true, 0, 16, 16, false, "-1 -1 - 0 -"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    hiscores.gameMode = c.mode;
    int32_t rank = -1;
    int32_t score = -1;
    bool anonymous = false;
    char name[16] = "-";
    char data[16] = "-";
    EXPECT_EQ(
        hiscores.GetScore(c.local, c.index, &rank, name, c.nameSize, &anonymous, &score, data, c.dataSize),
        c.result);
    EXPECT_EQ(std::to_string(rank) + " " + std::to_string(score) + " " + name + " " +
                  std::to_string(anonymous) + " " + data,
              c.read);
    EXPECT_EQ(hiscores.GetScore(c.local, c.index, nullptr, nullptr, 16, nullptr, nullptr, nullptr, 16),
              c.result)
        << "null outputs are skipped";
  }
  hiscores.gameMode = "quorvane_gamemode_adv";
  EXPECT_EQ(hiscores.GetScoreCount(true), 0);
  EXPECT_EQ(hiscores.GetScoreCount(false), 2);
}

TEST_F(HiscoreImplTest, TheLocalPendingScoreIsThePlayersFirstUnsent) {
  EXPECT_EQ(Pending(TVqHiscores::kPendingLocal), "2 700 open data");
  hiscores.playerName = "Bob";
  EXPECT_EQ(Pending(TVqHiscores::kPendingLocal), "3 500 ");
  hiscores.playerName = "Cid";
  EXPECT_EQ(Pending(TVqHiscores::kPendingLocal), "none");
  hiscores.gameMode = "quorvane_gamemode_adv";
  hiscores.playerName = "Ann";
  EXPECT_EQ(Pending(TVqHiscores::kPendingLocal), "none") << "no list";
  EXPECT_EQ(Pending(2), "none");
  EXPECT_EQ(Pending(-1), "none");
}

TEST_F(HiscoreImplTest, TheDownloadedPendingScoreIsThePlayersOwnEntry) {
  struct Case {
    const char* what;
    int32_t ownIndex;
    const char* account;  // remembered for Ann; null: none
    const char* onlineUser;
    const char* player;
    std::vector<THiscoreRecord> downloaded;
    std::string pending;
  };
  const THiscoreRecord zed = HiscoreRow(1, 5000, "Zed", "g-zed");
  const THiscoreRecord sentOnline = HiscoreRow(2, 900, "ann_online", "g-sent");
  const THiscoreRecord sentAsAnn = HiscoreRow(2, 900, "Ann", "g-sent");
  const THiscoreRecord openAsWeb = HiscoreRow(3, 700, "web_ann", "g-open");
  const THiscoreRecord bobAbove = HiscoreRow(4, 800, "Bob", "g-bob");
  const THiscoreRecord bobAtFirstLower = HiscoreRow(4, 600, "Bob", "g-bob");
  const Case cases[] = {
      {"by own index", 0, nullptr, "", "Ann", {zed, sentOnline}, "1 5000 "},
      {"an own index outside the list", 2, "ann_online", "", "Ann", {zed, sentOnline}, "2 900 "},
      {"by remembered account name",
       -1,
       "ann_online",
       "web_ann",
       "Ann",
       {zed, sentOnline, openAsWeb},
       "2 900 "},
      {"by online user name", -1, nullptr, "web_ann", "Ann", {zed, sentOnline, openAsWeb}, "3 700 "},
      {"by player name", -1, nullptr, "", "Ann", {zed, sentAsAnn}, "2 900 "},
      {"a name without a matching GUID", -1, nullptr, "", "Zed", {zed}, "none"},
      {"a GUID match cut off by a lower local score", -1, nullptr, "", "Bob", {zed, bobAbove}, "none"},
      {"a GUID match on the first lower local score",
       -1,
       nullptr,
       "",
       "Bob",
       {zed, bobAtFirstLower},
       "4 600 "},
      {"an empty downloaded list", -1, nullptr, "", "Ann", {}, "none"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    hiscores.ownIndex = c.ownIndex;
    hiscores.accounts.clear();
    if (c.account) hiscores.accounts["Ann"] = {"Ann", c.account, "pw"};
    hiscores.playerName = c.player;
    hiscores.onlineUserName = c.onlineUser;
    hiscores.downloaded.records = c.downloaded;
    EXPECT_EQ(Pending(TVqHiscores::kPendingDownloaded), c.pending);
  }
  hiscores.downloaded.records = {zed, sentAsAnn};
  hiscores.ownIndex = -1;
  hiscores.playerName = "Ann";
  hiscores.localLists.clear();
  EXPECT_EQ(Pending(TVqHiscores::kPendingDownloaded), "none") << "no local list of the mode";
}

TEST_F(HiscoreImplTest, TheAccountIsTheCurrentPlayers) {
  hiscores.accounts["Ann"] = {"Ann", "ann_online", "secret"};
  char name[8] = "-";
  char password[4] = "-";
  EXPECT_TRUE(hiscores.GetAccount(name, sizeof name, password, sizeof password));
  EXPECT_STREQ(name, "ann_onl");
  EXPECT_STREQ(password, "sec");
  EXPECT_TRUE(hiscores.GetAccount(nullptr, 8, nullptr, 4)) << "null buffers are skipped";
  hiscores.playerName = "Bob";
  EXPECT_FALSE(hiscores.GetAccount(name, sizeof name, password, sizeof password));
}

TEST_F(HiscoreImplTest, ANewPlayerForgetsTheOnlineUserName) {
  hiscores.onlineUserName = "web_ann";
  hiscores.SetParameter(TVqHiscores::kPlayerName, "Bob");
  EXPECT_TRUE(hiscores.onlineUserName.IsEmpty());
  hiscores.onlineUserName = "web_bob";
  hiscores.SetParameter(TVqHiscores::kGameMode, "x");
  EXPECT_STREQ(hiscores.onlineUserName.CStr(), "web_bob");
}

}  // namespace
