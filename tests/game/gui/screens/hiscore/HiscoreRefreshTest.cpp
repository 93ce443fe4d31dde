// What the hiscore screen shows in each of its views, as a table of cases:
// how the case gets there (hiscore mode, local scores, the service's mood
// and replies, the buttons pressed) against the view state, the children
// shown, the rows and the texts.
#include <gtest/gtest.h>

#include <string>

#include "tests/game/gui/screens/hiscore/HiscoreScreenRig.h"

namespace GUI {
namespace {

constexpr char kTwoCategories[] =
    "<tables><table table=\"alltime\" name=\"All time\"/><table table=\"week\" name=\"This week\"/></tables>";

struct RefreshCase {
  const char* name;
  int32_t hiscoreMode;
  int own;     // the player's unsent local score, 0 for none
  int others;  // scores of other players in the local table
  ServiceMood mood;
  int onlineCount;
  int onlineOwn;
  const char* arrange;  // Lua, run before the screen opens
  const char* expected;
};

class HiscoreRefresh : public HiscoreScreens {};

TEST_P(HiscoreRefresh, EachViewShowsItsChildrenRowsAndTexts) {
  const RefreshCase cases[] = {
      {"local, a score to send", 0, 500, 3, ServiceMood::kAnswers, 0, -1, "",
       "view\tstate 0 result 0 first 0 category 0\n"
       "\tleftpanel rightpanel local info eligible eligibleasterisk view moreinfo submitscores\n"
       "\t1.Player1=1000  2.Player2=990  3.Player3=980  4.Web=500 \n"
       "\tJourney\t\t\t\t30,86\n"},
      {"local, nothing to send", 0, 0, 3, ServiceMood::kAnswers, 0, -1, "",
       "view\tstate 0 result 0 first 0 category 0\n"
       "\tleftpanel rightpanel local info view moreinfo\n"
       "\t1.Player1=1000  2.Player2=990  3.Player3=980 \n"
       "\tJourney\t\t\t\t30,86\n"},
      {"local, anonymous scores", 1, 500, 3, ServiceMood::kAnswers, 0, -1, "",
       "view\tstate 0 result 0 first 0 category 0\n"
       "\tleftpanel rightpanel local info eligible eligibleasterisk view submitscores\n"
       "\t1.Player1=1000  2.Player2=990  3.Player3=980  4.Web=500 \n"
       "\tJourney\t\t\t\t30,86\n"},
      {"local only", 2, 500, 3, ServiceMood::kAnswers, 0, -1, "",
       "view\tstate 0 result 0 first 0 category 0\n"
       "\tleftpanel topplayers eligible eligibleasterisk\n"
       "\t1.Player1=1000  2.Player2=990  3.Player3=980  4.Web=500 \n"
       "\tJourney\t\t\t\t160,86\n"},
      {"local, scrolled to its last rows", 0, 0, 25, ServiceMood::kAnswers, 0, -1, "Then(function() Press('scrolldown') Press('scrolldown') end)",
       "view\tstate 0 result 0 first 20 category 0\n"
       "\tleftpanel rightpanel local info scrollup view moreinfo\n"
       "\t21.Player21=800  22.Player22=790  23.Player23=780  24.Player24=770  25.Player25=760 \n"
       "\tJourney\t\t\t\t30,86\n"},
      {"waiting for the categories", 0, 500, 3, ServiceMood::kSilentTables, 0, -1, "Then(function() Press('view') end) Idle(50)",
       "view\tstate 1 result 0 first 0 category 0\n"
       "\tleftpanel rightpanelsmall server\n"
       "\t\n"
       "\tJourney\t\t\t\t30,86\n"},
      {"waiting for the scores", 0, 500, 3, ServiceMood::kSilentScores, 0, -1, "Then(function() Press('view') end) IdleUntil('WaitingForScores', 10000)",
       "view\tstate 2 result 0 first 0 category 0\n"
       "\tleftpanel rightpanelsmall server\n"
       "\t\n"
       "\tJourney\t\t\t\t30,86\n"},
      {"online, the player ranked", 0, 0, 0, ServiceMood::kAnswers, 4, 1, "PressAndWait('view')",
       "view\tstate 4 result 0 first 0 category 0\n"
       "\tleftpanel rightpanelsmall global category yourrank viewlocal categoryleft categoryright\n"
       "\t1.Online1=5000  2.Web=4900 + 3.Online3=4800  4.Online4=4700 +\n"
       "\tJourney\tAll time\tYour rank: 2\t\t30,86\n"},
      {"online, the player not in the table", 0, 0, 0, ServiceMood::kAnswers, 3, -1, "PressAndWait('view')",
       "view\tstate 4 result 0 first 0 category 0\n"
       "\tleftpanel rightpanelsmall global category yourrankglobalinfo viewlocal categoryleft categoryright\n"
       "\t1.Online1=5000  2.Online2=4900 + 3.Online3=4800 \n"
       "\tJourney\tAll time\t\t\t30,86\n"},
      {"online, scrolled past the end", 0, 0, 0, ServiceMood::kAnswers, 30, -1, "PressAndWait('view') Then(function() Press('scrolldown') Press('scrolldown') Press('scrolldown') end)",
       "view\tstate 4 result 0 first 25 category 0\n"
       "\tleftpanel rightpanelsmall global category yourrankglobalinfo scrollup viewlocal categoryleft categoryright\n"
       "\t26.Online26=2500 + 27.Online27=2400  28.Online28=2300 + 29.Online29=2200  30.Online30=2100 +\n"
       "\tJourney\tAll time\t\t\t30,86\n"},
      {"online, anonymous scores", 1, 0, 0, ServiceMood::kAnswers, 4, 1, "PressAndWait('view')",
       "view\tstate 4 result 0 first 0 category 0\n"
       "\tleftpanel rightpanelsmall global category yourrank viewlocal categoryleft categoryright\n"
       "\t1.Online1=5000  2.Web=4900  3.Online3=4800  4.Online4=4700 \n"
       "\tJourney\tAll time\tYour rank: 2\t\t30,86\n"},
      {"the service failed", 0, 500, 0, ServiceMood::kFails, 0, -1, "PressAndWait('view')",
       "view\tstate 5 result 0 first 0 category 0\n"
       "\tleftpanel rightpanelsmall error viewlocal\n"
       "\t\n"
       "\tJourney\t\t\tUnable to connect to server. Please try again later.\t30,86\n"},
      {"a score accepted", 0, 0, 0, ServiceMood::kAnswers, 4, 2, "Then(function() ShowResult(1) end) IdleUntil('Answered', 10000)",
       "view\tstate 4 result 1 first 0 category 0\n"
       "\tleftpanel rightpanelsmall global category congratulations yourrank viewlocal categoryleft categoryright\n"
       "\t1.Online1=5000  2.Online2=4900 + 3.Web=4800 + 4.Online4=4700 +\n"
       "\tJourney\tAll time\tYour rank: 3\t\t30,86\n"},
      {"medals accepted", 0, 0, 0, ServiceMood::kAnswers, 4, 2, "Then(function() ShowResult(2) end) IdleUntil('Answered', 10000)",
       "view\tstate 4 result 2 first 0 category 0\n"
       "\tleftpanel rightpanelsmall global category congratulationsmedal yourrank viewlocal categoryleft categoryright\n"
       "\t1.Online1=5000  2.Online2=4900 + 3.Web=4800 + 4.Online4=4700 +\n"
       "\tJourney\tAll time\tYour rank: 3\t\t30,86\n"},
      {"a score that did not qualify", 0, 0, 0, ServiceMood::kAnswers, 3, -1, "Then(function() ShowResult(3) end) IdleUntil('Answered', 10000)",
       "view\tstate 4 result 3 first 0 category 0\n"
       "\tleftpanel rightpanelsmall global category dnq viewlocal categoryleft categoryright\n"
       "\t1.Online1=5000  2.Online2=4900 + 3.Online3=4800 \n"
       "\tJourney\tAll time\t\t\t30,86\n"},
  };
  for (const RefreshCase& c : cases) {
    SCOPED_TRACE(c.name);
    StartRun(c.hiscoreMode);
    AnswerWith("tables", kTwoCategories);
    AnswerWith("get", ScoresReply(c.onlineCount, c.onlineOwn));
    SetMood(c.mood);
    AddScores(c.own, c.others);
    driver.Script().DoLuaString(("gArrange = [[" + std::string(c.arrange) + "]]").c_str());
    Expect("refresh.lua", c.expected);
  }
}

INSTANTIATE_TEST_SUITE_P(CollectorStress, HiscoreRefresh, testing::Bool());

}  // namespace
}  // namespace GUI
