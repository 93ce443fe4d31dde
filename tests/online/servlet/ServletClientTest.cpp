#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/online/servlet/ServletRig.h"
#include "tests/support/http/LoopbackHttpServer.h"

namespace {

constexpr char kCategories[] = "<hiscore><tables><table table=\"alltime\" name=\"All time\"/></tables></hiscore>";

class ServletClientTest : public ServletRig {};

TEST_F(ServletClientTest, EveryRequestGoesToItsExportAndNeverOverHttp) {
  LoopbackHttpServer unused;
  client->SetServerAddress(unused.Address("/go/hiscore").c_str());
  client->AddLocalScore(300, false, "w1", "<x/>");
  struct Case {
    const char* name;
    std::function<bool(TVqHiscores&)> request;
    std::string call;  // the journal's line, "@" standing for the record's GUID
  };
  const Case cases[] = {
      {"scores before categories", [](TVqHiscores& c) { c.RequestScores(0); return true; },
       "RequestScores(4711,quorvane,quorvane_gamemode_adv,<null>,<null>)"},
      {"categories", [](TVqHiscores& c) { c.RequestTables(); return true; },
       "RequestCategoryInformation(4711,quorvane)"},
      {"medals", [](TVqHiscores& c) { return c.SubmitMedals("<medal name=\"m\"/>", "pia o", "pw", false); },
       "SubmitMedals(4711,quorvane,quorvane_gamemode_adv,pia o,pw,<medal name=\"m\"/>,S2V5T2ZUaGVHYW1l)"},
      {"scores of a category for the user", [](TVqHiscores& c) { c.RequestScores(0); return true; },
       "RequestScores(4711,quorvane,quorvane_gamemode_adv,alltime,pia o)"},
      {"score", [](TVqHiscores& c) { return c.SubmitScore("pia o", "pw", false); },
       "SubmitScore(4711,quorvane,quorvane_gamemode_adv,pia o,pw,@,1.0,w1,300,S2V5T2ZUaGVHYW1l)"},
      {"score without an account", [](TVqHiscores& c) { return c.SubmitScore(nullptr, nullptr, false); },
       "SubmitScore(4711,quorvane,quorvane_gamemode_adv,,,@,1.0,w1,300,S2V5T2ZUaGVHYW1l)"},
  };
  for (const Case& c : cases) {
    // A reply to the first score would mark it sent, so the second is never
    // answered (the request after it abandons it).
    Script(c.call.starts_with("SubmitScore") ? 0 : 1, kCategories);
    ASSERT_TRUE(c.request(*client)) << c.name;
    std::string call = Journal();
    const size_t guid = call.find(",1.0,");
    if (guid != std::string::npos) call.replace(guid - 32, 32, "@");
    EXPECT_EQ(call, c.call + "\n") << c.name;
    Update();
  }
  EXPECT_TRUE(unused.Requests().empty());
}

TEST_F(ServletClientTest, UpdateReadsTheStateThenTheContents) {
  client->RequestTables();
  Script(0, kCategories);
  EXPECT_EQ(Update(), TVqHiscores::kPending);
  EXPECT_EQ(Journal(), "GetStatus(4711)\n");
  Script(1, kCategories);
  EXPECT_EQ(Update(), TVqHiscores::kReplyHandled);
  EXPECT_EQ(Journal(), "GetStatus(4711)\nGetContents(4711)\n");
  EXPECT_EQ(client->GetTableCount(), 1);
  struct Case {
    int32_t status;
    const char* contents;
    int32_t result;
    const char* error;
  };
  const Case cases[] = {
      {2, kCategories, TVqHiscores::kFailed, "Unable to connect to server. Please try again later."},
      {-1, kCategories, TVqHiscores::kFailed, "Unable to connect to server. Please try again later."},
      {1, nullptr, TVqHiscores::kFailed, "Unable to connect to server. Please try again later."},
      {1, "<hiscore><message>Busy</message></hiscore>", TVqHiscores::kFailed, "Busy"},
  };
  for (const Case& c : cases) {
    Script(c.status, c.contents);
    client->RequestTables();
    std::string error;
    EXPECT_EQ(Update(&error), c.result) << c.status;
    EXPECT_EQ(error, c.error) << c.status;
  }
}

TEST_F(ServletClientTest, AnAcceptedScoreIsMarkedAndTheServerFreedAtTheEnd) {
  client->AddLocalScore(300, false, "");
  ASSERT_TRUE(client->SubmitScore("pia", "pw", false));
  Script(1, "<hiscore><score/></hiscore>");
  bool scoreFlag = false;
  EXPECT_EQ(Update(nullptr, &scoreFlag), TVqHiscores::kReplyHandled);
  EXPECT_TRUE(scoreFlag);
  EXPECT_FALSE(client->GetPendingScore(TVqHiscores::kPendingLocal, nullptr, nullptr, nullptr, 0));
  Script(0, nullptr);
  client.reset();
  EXPECT_EQ(Journal(), "FreeLocalServer(4711)\n");
}

}  // namespace
