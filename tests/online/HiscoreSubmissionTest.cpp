#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/online/HiscoreServerRig.h"

namespace {

constexpr char kPiaBest[] = "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa";
constexpr char kPiaOther[] = "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb";
constexpr char kOlaBest[] = "cccccccccccccccccccccccccccccccc";

// Pia's two scores around one of Ola's, none sent yet.
std::vector<THiscoreRecord> ThreeScores() {
  return {HiscoreRow(1, 300, "Pia", kPiaBest), HiscoreRow(2, 200, "Ola", kOlaBest),
          HiscoreRow(3, 100, "Pia", kPiaOther)};
}

class HiscoreSubmissionTest : public HiscoreServerRig {
 protected:
  // "guid:submitted" for each record of the mode in the score file.
  std::vector<std::string> SavedMarks() {
    THiscoreImpl reader(kHiscoreTestKey, false);
    reader.Load();
    std::vector<std::string> marks;
    for (const THiscoreRecord& record : reader.localLists[kServedMode].records) {
      marks.push_back(std::string(record.guid.CStr(), 4) + ":" + (record.submitted ? "1" : "0"));
    }
    return marks;
  }

  // The service answers with this document from now on.
  void ScriptReply(const std::string& hiscoreContent) {
    ScriptedReply reply;
    reply.body = "<?xml version=\"1.0\"?>\n<hiscore>" + hiscoreContent + "</hiscore>";
    server.Http().Answer(HiscoreServer::kPath, reply);
  }
};

TEST_F(HiscoreSubmissionTest, AnAcceptedScoreMarksThePlayersSentRecordsAndSaves) {
  StartWithRecords(ThreeScores());
  ASSERT_TRUE(client->SubmitScore("pia", "pw", false));
  bool scoreFlag = false;
  std::string error;
  ASSERT_EQ(Finish(&error, &scoreFlag), TVqHiscores::kReplyHandled) << error;
  EXPECT_TRUE(scoreFlag);
  EXPECT_EQ(SavedMarks(), (std::vector<std::string>{"aaaa:1", "cccc:0", "bbbb:1"}));
  EXPECT_FALSE(client->GetPendingScore(TVqHiscores::kPendingLocal, nullptr, nullptr, nullptr, 0));
  ASSERT_EQ(server.Service().Table(kServedGame, kServedMode, "").size(), 1u);
  EXPECT_EQ(server.Service().Table(kServedGame, kServedMode, "")[0].guid, kPiaBest);
}

// Whatever happens to the lists and the player while the request runs, the
// reply marks what was sent: a later score of the player stays to be sent.
TEST_F(HiscoreSubmissionTest, ScoresAddedInFlightAndAnotherPlayerAreLeftAlone) {
  StartWithRecords(ThreeScores());
  ASSERT_TRUE(client->SubmitScore("pia", "pw", false));
  client->AddLocalScore(250, false, "");
  client->SetParameter(TVqHiscores::kPlayerName, "Ola");
  for (int i = 0; i < 40; ++i) client->AddLocalScore(1000 + i, false, "");
  ASSERT_EQ(Finish(), TVqHiscores::kReplyHandled);
  EXPECT_TRUE(client->GetPendingScore(TVqHiscores::kPendingLocal, nullptr, nullptr, nullptr, 0)) << "Ola's";
  client->SetParameter(TVqHiscores::kPlayerName, "Pia");
  int32_t score = 0;
  ASSERT_TRUE(client->GetPendingScore(TVqHiscores::kPendingLocal, &score, nullptr, nullptr, 0));
  EXPECT_EQ(score, 250);
}

TEST_F(HiscoreSubmissionTest, TheScoreFlagSaysWhetherTheScoreEnteredTheTable) {
  struct Case {
    const char* name;
    const char* reply;
    bool medals;  // a medal submission instead of a score
    bool scoreFlag;
    std::vector<std::string> marks;
  };
  const Case cases[] = {
      {"accepted into the table", "<score rank=\"4\"/>", false, true, {"aaaa:1", "cccc:0", "bbbb:1"}},
      {"accepted, not in the table", "<accepted/>", false, false, {"aaaa:1", "cccc:0", "bbbb:1"}},
      {"a medal reply to a score", "<score/><medals/>", false, false, {"aaaa:0", "cccc:0", "bbbb:0"}},
      {"medals", "<medals count=\"1\"/>", true, false, {"aaaa:0", "cccc:0", "bbbb:0"}},
  };
  for (const Case& c : cases) {
    StartWithRecords(ThreeScores());
    ScriptReply(c.reply);
    ASSERT_TRUE(c.medals ? client->SubmitMedals("<medal name=\"m\"/>", "pia", "pw", false)
                         : client->SubmitScore("pia", "pw", false));
    bool scoreFlag = !c.scoreFlag;
    EXPECT_EQ(Finish(nullptr, &scoreFlag), TVqHiscores::kReplyHandled) << c.name;
    EXPECT_EQ(scoreFlag, c.scoreFlag) << c.name;
    EXPECT_EQ(SavedMarks(), c.marks) << c.name;
  }
}

TEST_F(HiscoreSubmissionTest, AWrongPasswordForgetsTheAccountAndKeepsTheScore) {
  StartWithRecords({HiscoreRow(1, 300, "Ola", kOlaBest), HiscoreRow(2, 100, "Pia", kPiaBest)});
  client->SetParameter(TVqHiscores::kPlayerName, "Ola");
  ASSERT_TRUE(client->SubmitScore("shared", "right", true));
  ASSERT_EQ(Finish(), TVqHiscores::kReplyHandled);
  client->SetParameter(TVqHiscores::kPlayerName, "Pia");
  ASSERT_TRUE(client->SubmitScore("shared", "wrong", true));
  ASSERT_TRUE(client->GetAccount(nullptr, 0, nullptr, 0)) << "remembered when sent";
  std::string error;
  bool scoreFlag = true;
  EXPECT_EQ(Finish(&error, &scoreFlag), TVqHiscores::kFailed);
  EXPECT_EQ(error, "hiscore.error.invalidUsernameOrPassword");
  EXPECT_FALSE(scoreFlag);
  EXPECT_FALSE(client->GetAccount(nullptr, 0, nullptr, 0));
  EXPECT_NE(LogText().find("HiScore User Message: hiscore.error.invalidUsernameOrPassword"), std::string::npos);
  EXPECT_EQ(SavedMarks(), (std::vector<std::string>{"cccc:1", "aaaa:0"}));
  client->SetParameter(TVqHiscores::kPlayerName, "Ola");
  EXPECT_TRUE(client->GetAccount(nullptr, 0, nullptr, 0)) << "another player's account stays";
  client->SetParameter(TVqHiscores::kPlayerName, "Pia");
  ASSERT_TRUE(client->SubmitScore("pia", "own", false)) << "the score is offered again";
  EXPECT_EQ(Finish(), TVqHiscores::kReplyHandled);
  EXPECT_EQ(SavedMarks(), (std::vector<std::string>{"cccc:1", "aaaa:1"}));
}

TEST_F(HiscoreSubmissionTest, AFailedTransferLeavesTheScoreToSendAgain) {
  StartWithRecords(ThreeScores());
  ScriptedReply failure;
  failure.status = 500;
  failure.body = "<html>down</html>";
  server.Http().Answer(HiscoreServer::kPath, failure);
  ASSERT_TRUE(client->SubmitScore("pia", "pw", true));
  EXPECT_EQ(Finish(), TVqHiscores::kFailed);
  EXPECT_EQ(SavedMarks(), (std::vector<std::string>{"aaaa:0", "cccc:0", "bbbb:0"}));
  EXPECT_TRUE(client->GetAccount(nullptr, 0, nullptr, 0));
}

}  // namespace
