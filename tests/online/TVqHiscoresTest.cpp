#include "online/TVqHiscores.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "online/THiscoreImpl.h"
#include "platform/text/Log.h"
#include "tests/online/HiscoreRig.h"
#include "tests/support/TestFileLayer.h"

namespace {

constexpr char kAdventure[] = "quorvane_gamemode_adv";

struct ListRow {
  int32_t score;
  std::string player;
  std::string guid;
};

bool IsFreshGuid(const TString& guid) {
  if (guid.Length() != 32) return false;
  for (int i = 0; i < guid.Length(); ++i) {
    const unsigned char digit = static_cast<unsigned char>(guid.CharAt(i));
    if (!std::isxdigit(digit) || std::isupper(digit)) return false;
  }
  return true;
}

// "rank score player guid", a GUID the client made shown as "fresh".
std::string DescribedRecord(const THiscoreRecord& record) {
  return std::to_string(record.rank) + " " + std::to_string(record.score) + " " + record.playerName.CStr() +
         " " + (IsFreshGuid(record.guid) ? "fresh" : record.guid.CStr());
}

class TVqHiscoresTest : public testing::Test {
 protected:
  TVqHiscoresTest() { SetLogFolder(mLogs.Path().c_str()); }

  std::unique_ptr<TVqHiscores> Client(bool savingEnabled = true) {
    auto client = std::make_unique<TVqHiscores>("quorvane", "1.0", savingEnabled);
    client->SetParameter(TVqHiscores::kGameMode, kAdventure);
    return client;
  }

  // A score file holding the rows as the list of the adventure mode.
  void WriteList(const std::vector<ListRow>& rows) {
    THiscoreImpl writer(kHiscoreTestKey, true);
    THiscoreList& list = writer.localLists[kAdventure];
    list.name = kAdventure;
    for (const ListRow& row : rows) {
      list.records.push_back(HiscoreRow(static_cast<int32_t>(list.records.size() + 1), row.score,
                                        row.player.c_str(), row.guid.c_str()));
    }
    writer.Save();
  }

  // The list of the adventure mode as the score file holds it now.
  THiscoreList SavedList() {
    THiscoreImpl reader(kHiscoreTestKey, false);
    reader.Load();
    auto found = reader.localLists.find(kAdventure);
    return found == reader.localLists.end() ? THiscoreList() : found->second;
  }

  std::string HiscorePath() const { return files.UserPath("hiscore.dat"); }
  std::string LogText() const { return ReadWholeFile(GetLogPath().CStr()); }

  TempFolder mLogs;
  TestFileLayer files;
  HiscoreKeySetting key;
};

// Scores 1000, 998, ... of "Pia", GUIDs "old0" on.
std::vector<ListRow> DescendingRows(size_t count) {
  std::vector<ListRow> rows;
  for (size_t i = 0; i < count; ++i) {
    rows.push_back({static_cast<int32_t>(1000 - 2 * i), "Pia", "old" + std::to_string(i)});
  }
  return rows;
}

std::vector<ListRow> WithLastRow(std::vector<ListRow> rows, ListRow last) {
  rows.back() = last;
  return rows;
}

TEST_F(TVqHiscoresTest, AddingALocalScorePlacesItAndSavesTheFile) {
  struct Case {
    const char* what;
    std::vector<ListRow> before;
    const char* player;
    int32_t score;
    bool replaceOwn;
    std::vector<std::string> head;  // the first rows after
    size_t count;
    std::string last;
  };
  const std::vector<ListRow> three = {{500, "Bob", "old1"}, {300, "Ann", "old2"}, {100, "Cid", "old3"}};
  const Case cases[] = {
      {"the first score of a mode", {}, "Ann", 300, false, {"1 300 Ann fresh"}, 1, "1 300 Ann fresh"},
      {"a tie goes behind its equals",
       {{500, "Bob", "old1"}, {300, "Cid", "old2"}, {300, "Dan", "old3"}, {100, "Eve", "old4"}},
       "Ann",
       300,
       false,
       {"1 500 Bob old1", "2 300 Cid old2", "3 300 Dan old3", "4 300 Ann fresh", "5 100 Eve old4"},
       5,
       "5 100 Eve old4"},
      {"replaceOwn with the player's best again",
       three,
       "Ann",
       300,
       true,
       {"1 500 Bob old1", "2 300 Ann old2", "3 100 Cid old3"},
       3,
       "3 100 Cid old3"},
      {"replaceOwn with less than the player's best",
       three,
       "Ann",
       200,
       true,
       {"1 500 Bob old1", "2 300 Ann old2"},
       3,
       "3 100 Cid old3"},
      {"replaceOwn hands the GUID on",
       three,
       "Ann",
       600,
       true,
       {"1 600 Ann old2", "2 500 Bob old1", "3 100 Cid old3"},
       3,
       "3 100 Cid old3"},
      {"replaceOwn of the top record keeps rank 1",
       three,
       "Bob",
       700,
       true,
       {"1 700 Bob old1", "2 300 Ann old2", "3 100 Cid old3"},
       3,
       "3 100 Cid old3"},
      {"replaceOwn of a player without a record adds",
       three,
       "Dan",
       100,
       true,
       {"1 500 Bob old1", "2 300 Ann old2", "3 100 Cid old3", "4 100 Dan fresh"},
       4,
       "4 100 Dan fresh"},
      {"without replaceOwn a player keeps both",
       three,
       "Ann",
       400,
       false,
       {"1 500 Bob old1", "2 400 Ann fresh", "3 300 Ann old2"},
       4,
       "4 100 Cid old3"},
      {"a full list drops its last for a better score",
       DescendingRows(500),
       "Ann",
       999,
       false,
       {"1 1000 Pia old0", "2 999 Ann fresh", "3 998 Pia old1"},
       500,
       "500 4 Pia old498"},
      {"a full list ignores a tie with its last",
       DescendingRows(500),
       "Ann",
       2,
       false,
       {"1 1000 Pia old0"},
       500,
       "500 2 Pia old499"},
      {"a full list makes room for the player's own",
       WithLastRow(DescendingRows(500), {2, "Ann", "old499"}),
       "Ann",
       3,
       true,
       {"1 1000 Pia old0"},
       500,
       "500 3 Ann old499"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(HiscorePath());
    WriteList(c.before);
    std::unique_ptr<TVqHiscores> client = Client();
    std::filesystem::remove(HiscorePath());
    client->SetParameter(TVqHiscores::kPlayerName, c.player);
    client->AddLocalScore(c.score, c.replaceOwn, "31");

    ASSERT_TRUE(std::filesystem::exists(HiscorePath())) << "saved, changed or not";
    THiscoreList saved = SavedList();
    ASSERT_EQ(saved.records.size(), c.count);
    for (size_t i = 0; i < c.head.size(); ++i) EXPECT_EQ(DescribedRecord(saved.records[i]), c.head[i]) << i;
    EXPECT_EQ(DescribedRecord(saved.records.back()), c.last);
    ASSERT_EQ(client->GetScoreCount(true), static_cast<int32_t>(c.count));
    int32_t rank = 0;
    int32_t score = 0;
    char name[16];
    client->GetScore(true, static_cast<int32_t>(c.count) - 1, &rank, name, sizeof name, nullptr, &score,
                     nullptr, 0);
    EXPECT_EQ(std::to_string(rank) + " " + std::to_string(score) + " " + name,
              c.last.substr(0, c.last.rfind(' ')))
        << "the client's table is the saved one";
  }
}

TEST_F(TVqHiscoresTest, ANewScoreCarriesItsPlayerDataAndVersion) {
  std::unique_ptr<TVqHiscores> client = Client();
  client->SetParameter(TVqHiscores::kPlayerName, "Ann");
  client->AddLocalScore(1200, false, "3132", "<extra/>");
  THiscoreList saved = SavedList();
  ASSERT_EQ(saved.records.size(), 1u);
  const THiscoreRecord& record = saved.records[0];
  EXPECT_EQ(DescribedRecord(record), "1 1200 Ann fresh");
  EXPECT_STREQ(record.gameData.CStr(), "3132");
  EXPECT_STREQ(record.serverData.CStr(), "<extra/>");
  EXPECT_STREQ(record.version.CStr(), "1.0");
  EXPECT_TRUE(record.anonymous);
  EXPECT_FALSE(record.submitted);
  EXPECT_STREQ(saved.name.CStr(), kAdventure);

  client->SetParameter(TVqHiscores::kGameMode, "quorvane_gamemode_zen");
  EXPECT_EQ(client->GetScoreCount(true), 0) << "each mode has a table of its own";
}

// The game's client never writes the file it reads at start.
TEST_F(TVqHiscoresTest, WithSavingOffTheFileIsReadButNeverWritten) {
  WriteList({{700, "Bob", "old1"}});
  const std::string before = ReadWholeFile(HiscorePath());
  std::unique_ptr<TVqHiscores> client = Client(false);
  client->SetParameter(TVqHiscores::kPlayerName, "Ann");
  client->AddLocalScore(900, false, "");
  EXPECT_EQ(client->GetScoreCount(true), 2);
  EXPECT_EQ(ReadWholeFile(HiscorePath()), before);
}

TEST_F(TVqHiscoresTest, TablesAndAccountsSurviveARestartWithSavingOn) {
  {
    std::unique_ptr<TVqHiscores> client = Client();
    client->SetParameter(TVqHiscores::kPlayerName, "Ann");
    client->AddLocalScore(900, false, "1");
    client->AddLocalScore(950, false, "2");
  }
  std::unique_ptr<TVqHiscores> again = Client();
  ASSERT_EQ(again->GetScoreCount(true), 2);
  char data[8];
  int32_t score = 0;
  ASSERT_TRUE(again->GetScore(true, 0, nullptr, nullptr, 0, nullptr, &score, data, sizeof data));
  EXPECT_EQ(score, 950);
  EXPECT_STREQ(data, "2");
}

TEST_F(TVqHiscoresTest, AMissingKeyIsLoggedAndTheClientStillWorks) {
  HiscoreKeySetting noKey("");
  std::unique_ptr<TVqHiscores> client = Client();
  EXPECT_NE(LogText().find("ERROR: No encryption key set before TVqHiscores construction!"),
            std::string::npos);
  client->SetParameter(TVqHiscores::kPlayerName, "Ann");
  client->AddLocalScore(10, false, "");
  EXPECT_EQ(client->GetScoreCount(true), 1);
}

TEST_F(TVqHiscoresTest, HiscoreXmlFixesTheLanguage) {
  struct Case {
    const char* what;
    const char* file;  // null: none
    const char* atStart;
    const char* afterSetting;
  };
  const Case cases[] = {
      {"no file", nullptr, "en", "fr"},
      {"a language", "<hiscore><language>de</language></hiscore>", "de", "de"},
      {"only a default error", "<hiscore><defaulterror>Later.</defaulterror></hiscore>", "en", "fr"},
      {"another root", "<scores><language>de</language></scores>", "en", "fr"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(files.ProgramFolder() + "/hiscore.xml");
    if (c.file) files.Write("program/hiscore.xml", c.file);
    std::unique_ptr<TVqHiscores> client = Client();
    EXPECT_STREQ(client->GetParameter(TVqHiscores::kLanguage).CStr(), c.atStart);
    client->SetParameter(TVqHiscores::kLanguage, "fr");
    EXPECT_STREQ(client->GetParameter(TVqHiscores::kLanguage).CStr(), c.afterSetting);
  }
}

TEST_F(TVqHiscoresTest, HiscoreXmlGivesTheDefaultError) {
  files.Write("program/hiscore.xml", "<hiscore><defaulterror>Try later.</defaulterror></hiscore>");
  THiscoreImpl hiscores(kHiscoreTestKey, false);
  hiscores.ReadLanguageFile();
  EXPECT_STREQ(hiscores.defaultError.CStr(), "Try later.");
  EXPECT_FALSE(hiscores.languageFixed);
}

TEST_F(TVqHiscoresTest, HiscoreServerTxtNamesTheServer) {
  struct Case {
    const char* what;
    const char* file;  // null: none
    std::string address;
  };
  const std::string longLine(600, 'a');
  const Case cases[] = {
      {"no file", nullptr, TVqHiscores::kDefaultServer},
      {"CR LF", "http://127.0.0.1:8080/go/hiscore\r\n", "http://127.0.0.1:8080/go/hiscore"},
      {"blanks behind", "http://127.0.0.1/x \t \nsecond line\n", "http://127.0.0.1/x"},
      {"no line end", "http://localhost/y", "http://localhost/y"},
      {"an empty first line", "\r\nhttp://localhost/z\n", TVqHiscores::kDefaultServer},
      {"a line over 511 characters", longLine.c_str(), std::string(511, 'a')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(files.ProgramFolder() + "/hiscoreserver.txt");
    if (c.file) files.Write("program/hiscoreserver.txt", c.file);
    EXPECT_EQ(Client()->GetServerAddress().CStr(), c.address);
  }
}

TEST_F(TVqHiscoresTest, TheParametersSetThePlayerModeAndLanguage) {
  std::unique_ptr<TVqHiscores> client = Client();
  client->SetParameter(TVqHiscores::kPlayerName, "Ann");
  client->SetParameter(3, "ignored");
  client->SetParameter(-1, "ignored");
  EXPECT_STREQ(client->GetParameter(TVqHiscores::kPlayerName).CStr(), "Ann");
  EXPECT_STREQ(client->GetParameter(TVqHiscores::kGameMode).CStr(), kAdventure);
  EXPECT_STREQ(client->GetParameter(TVqHiscores::kLanguage).CStr(), "en");
  EXPECT_STREQ(client->GetParameter(3).CStr(), "");
  EXPECT_EQ(client->GetTableCount(), 0);
  EXPECT_EQ(client->GetScoreCount(false), 0);
}

}  // namespace
