#include <gtest/gtest.h>

#include <string>

#include "tests/online/servlet/ServletRig.h"

namespace {

class ServletPartialTest : public ServletRig {};

// The double lacks GetStatus and SubmitMedals: calling through a missing
// export would crash, so the request fails with a log line instead.
TEST_F(ServletPartialTest, AMissingExportFailsTheRequest) {
  Script(1, "<hiscore><tables/></hiscore>");
  client->RequestTables();
  std::string error;
  EXPECT_EQ(Update(&error), TVqHiscores::kFailed);
  EXPECT_EQ(error, "Unable to connect to server. Please try again later.");
  EXPECT_NE(LogText().find("the local server library has no HiscoreServer_GetStatus"), std::string::npos);
  EXPECT_EQ(Journal(), "RequestCategoryInformation(4711,quorvane)\n");

  Script(1, "<hiscore><medals/></hiscore>");
  EXPECT_TRUE(client->SubmitMedals("", "pia", "pw", true));
  EXPECT_EQ(Update(&error), TVqHiscores::kFailed);
  EXPECT_NE(LogText().find("the local server library has no HiscoreServer_SubmitMedals"), std::string::npos);
  EXPECT_EQ(Journal(), "");
}

}  // namespace
