#include "tools/hiscore/HiscoreService.h"

#include <gtest/gtest.h>

#include <string>

#include "online/HiscoreDocuments.h"
#include "online/HttpEscape.h"
#include "platform/crypto/TStringCipher.h"
#include "tests/online/HiscoreRig.h"

namespace {

constexpr char kServiceQuery[] = "lang=en&ver=1.0&game=quorvane&";

std::string ScoreDocument(int32_t score, const char* guid, const char* name) {
  return HiscoreScoreDocument(HiscoreRow(1, score, "Pia", guid), {name, nullptr, "adv", "quorvane"}).CStr();
}

std::string SubmitQuery(const std::string& encoded) {
  return std::string(kServiceQuery) + "action=submit&score=" + HttpEscape(encoded.c_str()).CStr();
}

std::string Submission(int32_t score, const char* guid, const char* name) {
  return SubmitQuery(EncodeHiscoreDocument(TStringCipher(kHiscoreTestKey), ScoreDocument(score, guid, name).c_str()).CStr());
}

class HiscoreServiceTest : public testing::Test {
 protected:
  HiscoreServiceTest() { service.AddGame("quorvane", kHiscoreTestKey); }

  HiscoreService service;
};

TEST_F(HiscoreServiceTest, DocumentsThatDoNotDecipherCleanlyAreProtocolErrors) {
  const std::string withZero =
      TStringCipher(kHiscoreTestKey).EncryptString(ScoreDocument(5, "a", "pia").c_str()).CStr();
  struct Case {
    const char* name;
    std::string query;
    const char* error;
  };
  const Case cases[] = {
      {"the text's zero byte enciphered too", SubmitQuery(withZero), "Zero byte in parameter: score"},
      {"not enciphered", SubmitQuery("PHNjb3JlLz4="), "Cannot decipher parameter: score"},
      {"another game", "game=other&action=submit&score=AAAA", "Unknown game"},
      {"no game", "action=tables", "Missing required parameter: game"},
      {"no type", std::string(kServiceQuery) + "action=get", "Missing required parameter: type"},
      {"an unknown action", std::string(kServiceQuery) + "action=drop", "Unknown action: drop"},
  };
  for (const Case& c : cases) {
    EXPECT_NE(service.Answer(c.query).find(std::string("<protocolError>\n    ") + c.error), std::string::npos)
        << c.name << ": " << service.Answer(c.query);
  }
  EXPECT_TRUE(service.Table("quorvane", "adv", "").empty());
}

TEST_F(HiscoreServiceTest, ALaterScoreOfAGuidReplacesTheEarlierOne) {
  service.Answer(Submission(50, "g1", "a"));
  service.Answer(Submission(70, "g2", "b"));
  service.Answer(Submission(60, "g3", "c"));
  service.Answer(Submission(80, "g1", "a"));
  std::string order;
  for (const HiscoreService::Entry& entry : service.Table("quorvane", "adv", "")) {
    order += entry.guid + ":" + std::to_string(entry.score) + " ";
  }
  EXPECT_EQ(order, "g1:80 g2:70 g3:60 ");
  const std::string two = service.Answer(std::string(kServiceQuery) + "action=get&type=adv&numScores=2");
  EXPECT_NE(two.find("rank=\"2\""), std::string::npos);
  EXPECT_EQ(two.find("rank=\"3\""), std::string::npos);
}

}  // namespace
