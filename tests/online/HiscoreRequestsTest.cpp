#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "tests/online/HiscoreServerRig.h"

namespace {


THiscoreRecord FullRecord() {
  THiscoreRecord record = HiscoreRow(1, 4200, "Pia", "0123456789abcdef0123456789abcdef");
  record.gameData = "w3 l7";
  record.serverData = "<medal name=\"quorvane_completedjourney\" per=\"game\"/>";
  record.version = "1.0.3";
  return record;
}

// The value of a query parameter as it arrived, still escaped.
std::string RawParameter(const std::string& query, const std::string& name) {
  const size_t start = query.find("&" + name + "=");
  if (start == std::string::npos) return "";
  const size_t value = start + name.size() + 2;
  return query.substr(value, query.find('&', value) - value);
}

class HiscoreRequestsTest : public HiscoreServerRig {};

TEST_F(HiscoreRequestsTest, RequestsSendTheirParametersInOrder) {
  server.Service().AddCategory(kServedGame, "alltime", "All time");
  server.Service().AddCategory(kServedGame, "week", "This week");
  struct Case {
    const char* name;
    std::function<void(TVqHiscores&)> request;
    const char* query;
  };
  const Case cases[] = {
      {"scores before any category", [](TVqHiscores& c) { c.RequestScores(0); },
       "lang=en&ver=1.0&action=get&game=quorvane&type=quorvane_gamemode_adv&numScores=500"},
      {"categories", [](TVqHiscores& c) { c.RequestTables(); },
       "lang=en&ver=1.0&action=tables&game=quorvane"},
      {"scores of a received category", [](TVqHiscores& c) { c.RequestScores(1); },
       "lang=en&ver=1.0&action=get&game=quorvane&type=quorvane_gamemode_adv&table=week&numScores=500"},
      {"scores of an index past the categories", [](TVqHiscores& c) { c.RequestScores(2); },
       "lang=en&ver=1.0&action=get&game=quorvane&type=quorvane_gamemode_adv&numScores=500"},
      {"scores of a negative index", [](TVqHiscores& c) { c.RequestScores(-1); },
       "lang=en&ver=1.0&action=get&game=quorvane&type=quorvane_gamemode_adv&numScores=500"},
      {"medals make the online user name", [](TVqHiscores& c) { c.SubmitMedals("", "Pia & co", "pw", false); },
       nullptr},
      {"scores for the online user", [](TVqHiscores& c) { c.RequestScores(0); },
       "lang=en&ver=1.0&action=get&game=quorvane&type=quorvane_gamemode_adv&table=alltime&numScores=500"
       "&username=Pia%20%26%20co"},
      {"another language",
       [](TVqHiscores& c) {
         c.SetParameter(TVqHiscores::kLanguage, "de");
         c.SetParameter(TVqHiscores::kGameMode, "quorvane_gamemode_zen");
         c.RequestTables();
       },
       "lang=de&ver=1.0&action=tables&game=quorvane"},
  };
  for (const Case& c : cases) {
    c.request(*client);
    Finish();
    if (c.query) {
      EXPECT_EQ(LastQuery(), c.query) << c.name;
    }
  }
  EXPECT_EQ(server.Requests().size(), std::size(cases));
}

TEST_F(HiscoreRequestsTest, TheScoreDocumentCarriesTheRecordEnciphered) {
  THiscoreRecord bare = HiscoreRow(1, -7, "Pia", "ffffffffeeeeeeeeddddddddcccccccc");
  struct Case {
    const char* name;
    THiscoreRecord record;
    const char* accountName;
    const char* password;
    HiscoreAttributes attributes;
    std::string ending;  // what the document ends with
  };
  const Case cases[] = {
      {"everything, with server data", FullRecord(), "pia_online", "s3cret",
       {{"guid", "0123456789abcdef0123456789abcdef"}, {"name", "pia_online"}, {"password", "s3cret"},
        {"type", kServedMode}, {"game", kServedGame}, {"score", "4200"}, {"data", "w3 l7"}, {"ver", "1.0.3"}},
       std::string(">\n") + FullRecord().serverData.CStr() + "</score>"},
      {"no account, empty optional texts", bare, nullptr, nullptr,
       {{"guid", "ffffffffeeeeeeeeddddddddcccccccc"}, {"type", kServedMode}, {"game", kServedGame},
        {"score", "-7"}},
       ">\n</score>\n"},
      {"a name with an empty password", bare, "pia", "",
       {{"guid", "ffffffffeeeeeeeeddddddddcccccccc"}, {"name", "pia"}, {"type", kServedMode},
        {"game", kServedGame}, {"score", "-7"}},
       ">\n</score>\n"},
  };
  for (const Case& c : cases) {
    StartWithRecords({c.record});
    const size_t before = server.Service().Documents().size();
    ASSERT_TRUE(client->SubmitScore(c.accountName, c.password, false)) << c.name;
    Finish();
    const std::string query = LastQuery();
    EXPECT_EQ(query.substr(0, query.find("&score=")), "lang=en&ver=1.0&game=quorvane&action=submit") << c.name;
    EXPECT_TRUE(std::regex_match(RawParameter(query, "score"), std::regex("[A-Za-z0-9%]+"))) << c.name;
    const std::vector<std::string> documents = server.Service().Documents();
    ASSERT_EQ(documents.size(), before + 1) << c.name;
    const std::string& document = documents.back();
    EXPECT_EQ(document.rfind("<?xml version=\"1.0\"?>\n<score", 0), 0u) << c.name;
    EXPECT_EQ(AttributesOfElement(document, "score"), c.attributes) << c.name;
    EXPECT_TRUE(document.ends_with(c.ending)) << c.name << ": " << document;
  }
}

TEST_F(HiscoreRequestsTest, TheMedalDocumentCarriesTheLinesGiven) {
  const char* lines = "<medal name=\"quorvane_completedjourney\" per=\"game\"/><medal name=\"x\" per=\"game\"/>";
  ASSERT_TRUE(client->SubmitMedals(lines, "pia_online", "s3 cret", false));
  Finish();
  const std::string query = LastQuery();
  EXPECT_EQ(query.substr(0, query.find("&medals=")), "lang=en&ver=1.0&game=quorvane&action=medals");
  ASSERT_EQ(server.Service().Documents().size(), 1u);
  const std::string document = server.Service().Documents().back();
  EXPECT_EQ(AttributesOfElement(document, "medals"),
            (HiscoreAttributes{{"name", "pia_online"}, {"password", "s3 cret"}, {"game", kServedGame}}));
  EXPECT_TRUE(document.ends_with(std::string(">\n") + lines + "</medals>")) << document;
  EXPECT_EQ(server.Service().Medals("pia_online"), (std::set<std::string>{"quorvane_completedjourney", "x"}));
}

// Base64's "+", "/" and "=" would change meaning in a query: across a few
// documents each of them turns up escaped, never bare.
TEST_F(HiscoreRequestsTest, BaseSixtyFourArrivesEscaped) {
  std::string values;
  for (int i = 0; i < 12; ++i) {
    THiscoreRecord record = FullRecord();
    record.score = i;
    record.gameData = std::string(static_cast<size_t>(i), 'g').c_str();
    StartWithRecords({record});
    ASSERT_TRUE(client->SubmitScore("pia", "pw", false));
    Finish();
    values += RawParameter(LastQuery(), "score");
  }
  EXPECT_EQ(values.find_first_of("+/="), std::string::npos);
  for (const char* escaped : {"%2B", "%2F", "%3D"}) EXPECT_NE(values.find(escaped), std::string::npos) << escaped;
  EXPECT_EQ(server.Service().Documents().size(), 12u);
}

TEST_F(HiscoreRequestsTest, NothingIsSentWithoutSomethingToSend) {
  EXPECT_FALSE(client->SubmitScore("pia", "pw", true)) << "no list for the mode";
  THiscoreRecord sent = FullRecord();
  sent.submitted = true;
  THiscoreRecord other = HiscoreRow(2, 10, "Ola", "11111111111111111111111111111111");
  StartWithRecords({sent, other});
  EXPECT_FALSE(client->SubmitScore("pia", "pw", true)) << "nothing of the player's left unsent";
  EXPECT_FALSE(client->SubmitMedals(nullptr, "pia", "pw", true));
  EXPECT_FALSE(client->SubmitMedals("", nullptr, "pw", true));
  EXPECT_FALSE(client->SubmitMedals("", "pia", nullptr, true));
  EXPECT_FALSE(client->GetAccount(nullptr, 0, nullptr, 0));
  EXPECT_TRUE(server.Requests().empty());
}

// The account name becomes the online user name only with a password for a
// score, always for medals; remember keeps or forgets the player's account.
TEST_F(HiscoreRequestsTest, SubmissionsSetTheOnlineUserAndTheRememberedAccount) {
  struct Case {
    const char* name;
    bool medals;
    const char* accountName;
    const char* password;
    bool remember;
    const char* username;  // what the next score request sends
    const char* remembered;  // "name/password", "" for none
    const char* earlierAccount = nullptr;  // remembered before
  };
  const Case cases[] = {
      {"score with a password, remembered", false, "pia_o", "pw", true, "pia_o", "pia_o/pw"},
      {"score without a password", false, "pia_o", "", true, "", "pia_o/"},
      {"score, forgotten", false, "pia_o", "pw", false, "pia_o", ""},
      {"score replacing a remembered account", false, "pia_o", "pw", true, "pia_o", "pia_o/pw", "old"},
      {"medals, remembered anew", true, "pia_m", "pm", true, "pia_m", "pia_m/pm"},
      {"medals without a password, forgotten", true, "pia_m", "", false, "pia_m", ""},
  };
  for (const Case& c : cases) {
    StartWithRecords({FullRecord()});
    // Abandoned by the next one before its reply is taken in.
    if (c.earlierAccount) {
      ASSERT_TRUE(client->SubmitScore(c.earlierAccount, "old", true));
    }
    ASSERT_TRUE(c.medals ? client->SubmitMedals("", c.accountName, c.password, c.remember)
                         : client->SubmitScore(c.accountName, c.password, c.remember))
        << c.name;
    char name[32] = "";
    char password[32] = "";
    const bool kept = client->GetAccount(name, sizeof name, password, sizeof password);
    EXPECT_EQ(kept ? std::string(name) + "/" + password : "", c.remembered) << c.name;
    Finish();
    client->RequestScores(0);
    Finish();
    EXPECT_EQ(RawParameter(LastQuery() + "&", "username"), c.username) << c.name;
  }
}

}  // namespace
