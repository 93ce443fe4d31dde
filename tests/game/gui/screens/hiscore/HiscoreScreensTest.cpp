// The hiscore screen and its submit dialog, built from the game's scripts,
// against our own hiscore service (HiscoreScreenRig.h): the flows of the
// screen, submission, lifetimes and texts from outside.
#include <gtest/gtest.h>

#include "tests/game/gui/screens/hiscore/HiscoreScreenRig.h"

namespace GUI {
namespace {

TEST_P(HiscoreScreens, OnlineTablesByCategoryAndGameModeAndBackToTheLocalOne) {
  Expect("online_flow.lua",
         "local\tstate 0 result 0 first 0 category 0\tnone\t\tJourney\n"
         "online\tstate 4 result 0 first 0 category 0\taction=get type=quorvane_webjourney table=alltime\tAll time\tJourney\n"
         "categoryright\tstate 4 result 0 first 0 category 1\taction=get type=quorvane_webjourney table=week\tThis week\tJourney\n"
         "categoryright\tstate 4 result 0 first 0 category 0\taction=get type=quorvane_webjourney table=alltime\tAll time\tJourney\n"
         "categoryleft\tstate 4 result 0 first 0 category 1\taction=get type=quorvane_webjourney table=week\tThis week\tJourney\n"
         "gamemoderight\tstate 4 result 0 first 0 category 1\taction=get type=quorvane_webzen table=week\tThis week\tZen\n"
         "gamemoderight\tstate 4 result 0 first 0 category 1\taction=get type=quorvane_gamemode_adv table=week\tThis week\tClassic Journey\n"
         "gamemoderight\tstate 4 result 0 first 0 category 1\taction=get type=quorvane_gamemode_zen table=week\tThis week\tClassic Zen\n"
         "gamemoderight\tstate 4 result 0 first 0 category 1\taction=get type=quorvane_webjourney table=week\tThis week\tJourney\n"
         "gamemodeleft\tstate 4 result 0 first 0 category 1\taction=get type=quorvane_gamemode_zen table=week\tThis week\tClassic Zen\n"
         "viewlocal\tstate 0 result 0 first 0 category 1\taction=get type=quorvane_gamemode_zen table=week\tThis week\tClassic Zen\n"
         "local mode left\tstate 0 result 0 first 0 category 1\taction=get type=quorvane_gamemode_zen table=week\tThis week\tClassic Journey\n");
}

TEST_P(HiscoreScreens, WithoutCategoriesTheArrowsAskWithoutOne) {
  AnswerWith("tables", "<tables/>");
  Expect("no_categories.lua",
         "online\tstate 4 result 0 first 0 category 0\taction=get type=quorvane_webjourney\t\n"
         "categoryleft\tstate 4 result 0 first 0 category -1\taction=get type=quorvane_webjourney\t\n"
         "categoryright\tstate 4 result 0 first 0 category 0\taction=get type=quorvane_webjourney\t\n");
}

TEST_P(HiscoreScreens, AFailingServiceShowsTheDefaultError) {
  Expect("failing_server.lua",
         "failed\tstate 5 result 0 first 0 category 0\n"
         "\tleftpanel rightpanelsmall error viewlocal\n"
         "\t\n"
         "\tUnable to connect to server. Please try again later.\n"
         "back\tstate 0 result 0 first 0 category 0\n"
         "\tleftpanel rightpanel local info view moreinfo\n"
         "\t\n");
}

TEST_P(HiscoreScreens, ScrollingStopsAtBothEnds) {
  AnswerWith("get", ScoresReply(30, -1));
  Expect("scrolling.lua",
         "scrollup\tstate 0 result 0 first 0 category 0\tleftpanel rightpanel local info scrolldown view moreinfo\n"
         "scrolldown\tstate 0 result 0 first 10 category 0\tleftpanel rightpanel local info scrollup scrolldown view moreinfo\n"
         "scrolldown\tstate 0 result 0 first 20 category 0\tleftpanel rightpanel local info scrollup view moreinfo\n"
         "scrollup\tstate 0 result 0 first 10 category 0\tleftpanel rightpanel local info scrollup scrolldown view moreinfo\n"
         "scrollup\tstate 0 result 0 first 0 category 0\tleftpanel rightpanel local info scrolldown view moreinfo\n"
         "scrollup\tstate 0 result 0 first 0 category 0\tleftpanel rightpanel local info scrolldown view moreinfo\n"
         "scrolldown\tstate 4 result 0 first 10 category 0\t11.Online11=4000  12.Online12=3900 + 13.Online13=3800  14.Online14=3700 + 15.Online15=3600  16.Online16=3500 + 17.Online17=3400  18.Online18=3300 + 19.Online19=3200  20.Online20=3100 +\n"
         "scrolldown\tstate 4 result 0 first 20 category 0\t21.Online21=3000  22.Online22=2900 + 23.Online23=2800  24.Online24=2700 + 25.Online25=2600  26.Online26=2500 + 27.Online27=2400  28.Online28=2300 + 29.Online29=2200  30.Online30=2100 +\n"
         "scrolldown\tstate 4 result 0 first 25 category 0\t26.Online26=2500 + 27.Online27=2400  28.Online28=2300 + 29.Online29=2200  30.Online30=2100 +\n"
         "scrollup\tstate 4 result 0 first 15 category 0\t16.Online16=3500 + 17.Online17=3400  18.Online18=3300 + 19.Online19=3200  20.Online20=3100 + 21.Online21=3000  22.Online22=2900 + 23.Online23=2800  24.Online24=2700 + 25.Online25=2600 \n");
}

TEST_P(HiscoreScreens, AScoreSentWithAnAccountIsRememberedAndRanked) {
  Expect("submit_score.lua",
         "pending\tstate 0 result 0 first 0 category 0\n"
         "\tleftpanel rightpanel local info eligible eligibleasterisk view moreinfo submitscores\n"
         "\t1.Player1=1000  2.Player2=990  3.Web=700 \n"
         "form\tleftpanel rightpanel local info eligible eligibleasterisk view moreinfo submitscores header playertext yourscore eligiblescore nameeditbox yourvqaccount nametext passtext accounteditbox passeditbox remember submittoserver\n"
         "\tWeb\t700\t\t\tfalse\n"
         "sent\tstate 4 result 1 first 0 category 0\n"
         "\tleftpanel rightpanelsmall global category congratulations yourrank viewlocal categoryleft categoryright\n"
         "\t1.pia=700 +\n"
         "\tYour rank: 1\tpia=700\n"
         "remembered\tleftpanel rightpanel local info eligible eligibleasterisk view moreinfo submitscores header playertext yourscore eligiblescore nameeditbox yourvqaccount nametext passtext accounteditbox passeditbox remember submittoserver\n"
         "\tWeb\t800\tpia\tsecret\ttrue\n"
         "sent anonymously\tstate 4 result 1 first 0 category 0\n"
         "\tleftpanel rightpanelsmall global category congratulations yourrank viewlocal categoryleft categoryright\n"
         "\t1.Zed=800  2.pia=700 +\n"
         "\tZed=800 pia=700\n");
}

TEST_P(HiscoreScreens, ARefusedAccountShowsTheErrorThenTheFormAgain) {
  ExpectLogged("submit_refused.lua",
         "refused\tleftpanel rightpanelsmall global category congratulations yourrank viewlocal categoryleft categoryright header submiterror submiterrorok\n"
         "\thiscore.error.invalidUsernameOrPassword\tola=700\n"
         "form again\tleftpanel rightpanelsmall global category congratulations yourrank viewlocal categoryleft categoryright header playertext yourscore eligiblescore nameeditbox yourvqaccount nametext passtext accounteditbox passeditbox remember submittoserver\n"
         "cancelled\tstate 4 result 1 first 0 category 0\n"
         "\tleftpanel rightpanelsmall global category congratulations yourrank viewlocal categoryleft categoryright\n"
         "\t1.ola=700 +\n",
         "log: HiScore User Message: hiscore.error.invalidUsernameOrPassword\n");
}

TEST_P(HiscoreScreens, MedalsAreMarkedOnlyOnceTheServiceTookThem) {
  Expect("submit_medals.lua",
         "medal form\tleftpanel rightpanel local info view moreinfo headerMedal yourvqaccount nametext passtext accounteditbox passeditbox remember\n"
         "no account\tleftpanel rightpanel local info view moreinfo headerMedal yourvqaccount nametext passtext accounteditbox passeditbox remember\tnone\n"
         "failed\tleftpanel rightpanel local info view moreinfo headerMedal submiterror submiterrorok\tjourney 0 expert 0 zen 0\t\n"
         "accepted\tstate 4 result 2 first 0 category 0\n"
         "\tleftpanel rightpanelsmall global category congratulationsmedal viewlocal categoryleft categoryright\n"
         "\t\n"
         "\tjourney 1 expert 0 zen 0\tquorvane_completedjourney\n");
}

TEST_P(HiscoreScreens, KeystrokesInTheEditsShowAndHideTheSubmitButton) {
  Expect("submit_buttons.lua",
         "opened\tleftpanel rightpanel local info eligible eligibleasterisk view moreinfo submitscores header playertext yourscore eligiblescore nameeditbox yourvqaccount nametext passtext accounteditbox passeditbox remember submittoserver\tWeb\n"
         "name erased\tleftpanel rightpanel local info eligible eligibleasterisk view moreinfo submitscores header playertext yourscore eligiblescore nameeditbox yourvqaccount nametext passtext accounteditbox passeditbox remember\t\n"
         "enter\tleftpanel rightpanel local info eligible eligibleasterisk view moreinfo submitscores header playertext yourscore eligiblescore nameeditbox yourvqaccount nametext passtext accounteditbox passeditbox remember\n"
         "typed\tleftpanel rightpanel local info eligible eligibleasterisk view moreinfo submitscores header playertext yourscore eligiblescore nameeditbox yourvqaccount nametext passtext accounteditbox passeditbox remember submittoserver\tQ\n");
}

TEST_P(HiscoreScreens, TheScreenMayGoWhileItAsksOrItsDialogIsOpen) {
  Expect("lifetimes.lua",
         "privacy\thttp://service/privacy\n"
         "gone while asking\tno screen\thttp://service/privacy\n"
         "left with\tfirst\n"
         "dialog\tleftpanel rightpanel local info eligible eligibleasterisk view moreinfo submitscores header playertext yourscore eligiblescore nameeditbox yourvqaccount nametext passtext accounteditbox passeditbox remember submittoserver\n"
         "gone with the dialog open\tno screen\t\thttp://service/privacy\n"
         "left with\tsecond\n");
}

TEST_P(HiscoreScreens, NamesFromTheServiceShowAsTextAndPressNothing) {
  AnswerWith("get", "<scores><score name=\"&lt;a id='viewlocal'&gt;x&lt;/a&gt;\" score=\"90\" rank=\"1\"/>"
                    "<score name=\"&lt;a id='submitcancel'&gt;x&lt;/a&gt;\" score=\"80\" rank=\"2\"/></scores>");
  Expect("escaped_name.lua",
         "online\tstate 4 result 0 first 0 category 0\t0\t0\t\\<a id='submitcancel'>x\\</a>\n"
         "clicked\tstate 4 result 0 first 0 category 0\n");
}

INSTANTIATE_TEST_SUITE_P(CollectorStress, HiscoreScreens, testing::Bool());

}  // namespace
}  // namespace GUI
