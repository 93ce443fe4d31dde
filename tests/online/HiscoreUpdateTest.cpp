#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

#include "system/net/HttpTransfer.h"
#include "tests/online/HiscoreServerRig.h"
#include "tests/support/http/ClosedPort.h"

namespace {

constexpr char kUnableToConnect[] = "Unable to connect to server. Please try again later.";
constexpr char kNoCategories[] = "Score request failed because no category information has been received yet";

ScriptedReply ReplyBody(const std::string& body, int status = 200) {
  ScriptedReply reply;
  reply.status = status;
  reply.body = body;
  return reply;
}

std::string HiscoreDocument(const std::string& content) {
  return "<?xml version=\"1.0\"?>\n<hiscore>" + content + "</hiscore>";
}

class HiscoreUpdateTest : public HiscoreServerRig {
 protected:
  void ReceiveCategories() {
    server.Service().AddCategory(kServedGame, "alltime", "All time");
    client->RequestTables();
    ASSERT_EQ(Finish(), TVqHiscores::kReplyHandled);
  }
};

enum class Transport { kScripted, kClosedPort, kTimeOut };
enum class Asked { kCategories, kScores };

TEST_F(HiscoreUpdateTest, RepliesEndInTheirResultTextAndLogLine) {
  const std::string threeScores = HiscoreDocument(
      "<scores><score name=\"Ann\" score=\"90\" rank=\"1\"/><score name=\"Pia\" account=\"true\" score=\"80\" "
      "rank=\"2\"/><score name=\"Ola\" score=\"70\" rank=\"3\"/></scores>");
  struct Case {
    const char* name;
    Asked asked;
    bool categoriesFirst;
    Transport transport;
    ScriptedReply reply;
    int32_t result;
    const char* error;
    const char* logLine;  // "" for none expected
    int32_t count;        // categories or downloaded scores afterwards
  };
  const Case cases[] = {
      {"categories", Asked::kCategories, false, Transport::kScripted,
       ReplyBody(HiscoreDocument("<tables><table table=\"a\" name=\"All\"/><table table=\"w\" name=\"Week\"/></tables>")),
       0, "untouched", "", 2},
      {"scores", Asked::kScores, false, Transport::kScripted, ReplyBody(threeScores), 0, "untouched", "", 3},
      {"no scores", Asked::kScores, false, Transport::kScripted, ReplyBody(HiscoreDocument("<scores/>")), 0,
       "untouched", "", 0},
      {"a message", Asked::kScores, true, Transport::kScripted,
       ReplyBody(HiscoreDocument("<message>Back at noon</message>")), 2, "Back at noon",
       "HiScore User Message: Back at noon", 0},
      {"a message for categories", Asked::kCategories, false, Transport::kScripted,
       ReplyBody(HiscoreDocument("<message>Closed</message><tables/>")), 2, "Closed", "HiScore User Message: Closed",
       0},
      {"no game mode", Asked::kScores, true, Transport::kScripted,
       ReplyBody(HiscoreDocument("<protocolError>Missing required parameter: type</protocolError>")), 2,
       "Score request failed because game mode is not valid",
       "HiScore Protocol Error: Missing required parameter: type", 0},
      {"a protocol error before categories", Asked::kScores, false, Transport::kScripted,
       ReplyBody(HiscoreDocument("<protocolError>No such table</protocolError>")), 2, kNoCategories,
       "HiScore Protocol Error: No such table", 0},
      {"a protocol error", Asked::kScores, true, Transport::kScripted,
       ReplyBody(HiscoreDocument("<protocolError>No such table</protocolError>")), 2, kUnableToConnect,
       "HiScore Protocol Error: No such table", 0},
      {"a protocol error for categories", Asked::kCategories, false, Transport::kScripted,
       ReplyBody(HiscoreDocument("<protocolError>Bad</protocolError>")), 2, kUnableToConnect,
       "HiScore Protocol Error: Bad", 0},
      {"scores without their list", Asked::kScores, true, Transport::kScripted, ReplyBody(HiscoreDocument("")), 2,
       kUnableToConnect, "HiScores parsed incorrectly", 0},
      {"categories without their list", Asked::kCategories, false, Transport::kScripted,
       ReplyBody(HiscoreDocument("<scores/>")), 2, kUnableToConnect, "HiScore Tables parsed incorrectly", 0},
      {"no hiscore root", Asked::kScores, false, Transport::kScripted, ReplyBody("<scores/>"), 2, kNoCategories,
       "HiScore XML parsing error!", 0},
      {"an empty body", Asked::kCategories, false, Transport::kScripted, ReplyBody(""), 2, kUnableToConnect,
       "HiScore XML parsing error!", 0},
      {"a failure page", Asked::kScores, true, Transport::kScripted, ReplyBody("<html>oops</html>", 500), 2,
       kUnableToConnect, "HiScore XML parsing error!", 0},
      {"a closed port", Asked::kCategories, false, Transport::kClosedPort, {}, 2, kUnableToConnect, "", 0},
      {"a time-out", Asked::kScores, true, Transport::kTimeOut, {}, 2, kUnableToConnect, "", 0},
  };
  for (const Case& c : cases) {
    StartClient();
    if (c.categoriesFirst) ReceiveCategories();
    LoopbackHttpServer scripted;
    ClosedPort closed;
    ScriptedReply reply = c.reply;
    reply.neverAnswer = c.transport == Transport::kTimeOut;
    scripted.Answer(HiscoreServer::kPath, reply);
    const std::string address = c.transport == Transport::kClosedPort ? closed.Address(HiscoreServer::kPath)
                                                                       : scripted.Address(HiscoreServer::kPath);
    client->SetServerAddress(address.c_str());
    if (c.transport == Transport::kTimeOut) sys::SetHttpLimits({2000, 300, size_t{1} << 20});
    const size_t logBefore = LogText().size();
    c.asked == Asked::kCategories ? client->RequestTables() : client->RequestScores(0);
    std::string error;
    EXPECT_EQ(Finish(&error), c.result) << c.name;
    sys::SetHttpLimits({});
    EXPECT_EQ(error, c.error) << c.name;
    const std::string log = LogText().substr(logBefore);
    if (*c.logLine) {
      EXPECT_NE(log.find(c.logLine), std::string::npos) << c.name << ": " << log;
    }
    const int32_t count = c.asked == Asked::kCategories ? client->GetTableCount() : client->GetScoreCount(false);
    EXPECT_EQ(count, c.count) << c.name;
  }
}

TEST_F(HiscoreUpdateTest, TheAskingAccountsEntryIsFoundAmongTheScores) {
  ReceiveCategories();
  const std::pair<const char*, int32_t> players[] = {{"Ann", 900}, {"Pia", 500}, {"Ola", 700}};
  for (const auto& [player, score] : players) {
    client->SetParameter(TVqHiscores::kPlayerName, player);
    client->AddLocalScore(score, false, (std::string("data of ") + player).c_str());
    ASSERT_TRUE(client->SubmitScore(player, player[0] == 'O' ? "" : "pw", false)) << player;
    ASSERT_EQ(Finish(), TVqHiscores::kReplyHandled) << player;
  }
  client->SetParameter(TVqHiscores::kPlayerName, "Pia");
  ASSERT_TRUE(client->SubmitMedals("", "Pia", "pw", false));
  ASSERT_EQ(Finish(), TVqHiscores::kReplyHandled);
  client->RequestScores(0);
  ASSERT_EQ(Finish(), TVqHiscores::kReplyHandled);
  ASSERT_EQ(client->GetScoreCount(false), 3);
  struct Row {
    int32_t rank;
    std::string name;
    bool anonymous;
    int32_t score;
    std::string data;
  };
  const Row expected[] = {{1, "Ann", false, 900, "data of Ann"},
                          {2, "Ola", true, 700, "data of Ola"},
                          {3, "Pia", false, 500, "data of Pia"}};
  for (int32_t i = 0; i < 3; ++i) {
    Row row{0, "", true, 0, ""};
    char name[16];
    char data[16];
    ASSERT_TRUE(client->GetScore(false, i, &row.rank, name, sizeof name, &row.anonymous, &row.score, data, sizeof data));
    row.name = name;
    row.data = data;
    EXPECT_EQ(row.rank, expected[i].rank) << i;
    EXPECT_EQ(row.name, expected[i].name) << i;
    EXPECT_EQ(row.anonymous, expected[i].anonymous) << i;
    EXPECT_EQ(row.score, expected[i].score) << i;
    EXPECT_EQ(row.data, expected[i].data) << i;
  }
  int32_t rank = 0;
  int32_t score = 0;
  ASSERT_TRUE(client->GetPendingScore(TVqHiscores::kPendingDownloaded, &score, &rank, nullptr, 0));
  EXPECT_EQ(rank, 3);
  EXPECT_EQ(score, 500);
}

TEST_F(HiscoreUpdateTest, ASecondRequestAbandonsTheFirst) {
  LoopbackHttpServer silent;
  ScriptedReply never;
  never.neverAnswer = true;
  silent.Answer(HiscoreServer::kPath, never);
  client->SetServerAddress(silent.Address(HiscoreServer::kPath).c_str());
  client->RequestScores(0);
  EXPECT_EQ(client->Update(nullptr, 0, nullptr), TVqHiscores::kPending);
  server.Service().AddCategory(kServedGame, "alltime", "All time");
  client->SetServerAddress(server.Address().c_str());
  client->RequestTables();
  EXPECT_EQ(Finish(), TVqHiscores::kReplyHandled);
  char name[16] = "";
  EXPECT_TRUE(client->GetTableName(0, name, sizeof name));
  EXPECT_STREQ(name, "All time");
  EXPECT_EQ(client->GetScoreCount(false), 0);
}

TEST_F(HiscoreUpdateTest, UpdateWithoutARequestFails) {
  std::string error;
  bool scoreFlag = true;
  EXPECT_EQ(Finish(&error, &scoreFlag), TVqHiscores::kFailed);
  EXPECT_EQ(error, kUnableToConnect);
  EXPECT_FALSE(scoreFlag);
  EXPECT_TRUE(server.Requests().empty());
}

// The reply handling without a transport: the default error and the bounds
// of what a reply may hold.
class HiscoreReplyHandlingTest : public testing::Test {
 protected:
  int32_t Handle(int32_t state, const std::string& reply) {
    return hiscores.HandleReply(state, reply.c_str(), error, sizeof error, nullptr);
  }

  TempFolder logs{};
  THiscoreImpl hiscores{kHiscoreTestKey, false};
  char error[64] = "";
};

TEST_F(HiscoreReplyHandlingTest, TheDefaultErrorStandsInForAMissingMessage) {
  hiscores.defaultError = "Scores are resting";
  hiscores.requestKind = THiscoreImpl::kCategoryDownload;
  EXPECT_EQ(Handle(2, ""), THiscoreImpl::kFailed);
  EXPECT_STREQ(error, "Scores are resting");
  EXPECT_EQ(Handle(1, HiscoreDocument("<protocolError>x</protocolError>")), THiscoreImpl::kFailed);
  EXPECT_STREQ(error, "Scores are resting");
  EXPECT_EQ(Handle(1, HiscoreDocument("<message>A rather long message that fills the whole buffer of the test</message>")),
            THiscoreImpl::kFailed);
  EXPECT_EQ(std::string(error), std::string("A rather long message that fills the whole buffer of the test").substr(0, 63));
}

TEST_F(HiscoreReplyHandlingTest, ReplyListsAreReadOnlyAsFarAsAsked) {
  std::string scores;
  for (int i = 0; i < 700; ++i) scores += "<score name=\"p" + std::to_string(i) + "\" score=\"" + std::to_string(i) + "\"/>";
  scores += "<score account=\"true\"/>";
  hiscores.requestKind = THiscoreImpl::kScoreDownload;
  ASSERT_EQ(Handle(1, HiscoreDocument("<scores>" + scores + "</scores>")), THiscoreImpl::kReplyHandled);
  EXPECT_EQ(hiscores.downloaded.records.size(), 500u);
  EXPECT_EQ(hiscores.ownIndex, THiscoreImpl::kNoOwnEntry) << "the entry past the limit is not read";

  std::string tables;
  for (int i = 0; i < 1000; ++i) tables += "<table table=\"t\" name=\"n\"/>";
  hiscores.requestKind = THiscoreImpl::kCategoryDownload;
  ASSERT_EQ(Handle(1, HiscoreDocument("<tables>" + tables + "</tables>")), THiscoreImpl::kReplyHandled);
  EXPECT_EQ(hiscores.tables.size(), 256u);
}

// Entries are the "score" children of the first "scores" list; of an
// attribute given twice the first counts.
TEST_F(HiscoreReplyHandlingTest, OnlyTheFirstListsOwnEntriesCount) {
  hiscores.requestKind = THiscoreImpl::kScoreDownload;
  ASSERT_EQ(Handle(1, HiscoreDocument("<scores><group><score name=\"hidden\"/></group>"
                                      "<score name=\"a\" account=\"false\" account=\"true\"><score name=\"in\"/></score>"
                                      "<score name=\"b\" account=\"true\" name=\"c\" score=\"5\"/></scores>"
                                      "<scores><score name=\"second list\"/></scores>")),
            THiscoreImpl::kReplyHandled);
  ASSERT_EQ(hiscores.downloaded.records.size(), 2u);
  EXPECT_EQ(hiscores.downloaded.records[0].playerName, "a");
  EXPECT_EQ(hiscores.downloaded.records[1].playerName, "b");
  EXPECT_EQ(hiscores.downloaded.records[1].score, 5);
  EXPECT_EQ(hiscores.ownIndex, 1);
}

TEST_F(HiscoreReplyHandlingTest, NumbersAreHeldToThirtyTwoBits) {
  hiscores.requestKind = THiscoreImpl::kScoreDownload;
  ASSERT_EQ(Handle(1, HiscoreDocument("<scores><score score=\"99999999999\" rank=\"-99999999999\"/>"
                                      "<score score=\"12abc\" rank=\"x\" anonymous=\"TRUE\"/></scores>")),
            THiscoreImpl::kReplyHandled);
  ASSERT_EQ(hiscores.downloaded.records.size(), 2u);
  EXPECT_EQ(hiscores.downloaded.records[0].score, INT32_MAX);
  EXPECT_EQ(hiscores.downloaded.records[0].rank, INT32_MIN);
  EXPECT_EQ(hiscores.downloaded.records[1].score, 12);
  EXPECT_EQ(hiscores.downloaded.records[1].rank, 0);
  EXPECT_FALSE(hiscores.downloaded.records[1].anonymous);
}

}  // namespace
