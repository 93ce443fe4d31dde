// The game's score-table scripts, each case run as the screen coroutine
// over the real window library (ScreenScriptDriver) with the game's window
// types and Lua functions registered and the game's own data copied in. A
// case wins a level with WinLevel(world, level, level score, power-up,
// time and blocker bonus), which fills the level result and records it as
// the scoring model does, opens the table with OpenTableOf(script) as the
// play window does, and reads the screen through Seen(name) ("shown",
// "hidden" or "none"), FadeAlpha(), Jewels(), the count of the jug
// jewels the table window shows, and the metrics: MetricsLevel(), the
// level they time ("none" once it is left), MetricsRecords(), the records
// kept, and JourneyCompleted().
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "game/gui/main/TGameApp.h"
#include "game/gui/progress/TLevelStatusTable.h"
#include "game/gui/progress/TMetrics.h"
#include "game/gui/progress/TWorldData.h"
#include "game/rules/scoring/TLevelResult.h"
#include "platform/TPlatform.h"
#include "platform/time/TAnimTask.h"
#include "platform/time/TTaskList.h"
#include "tests/game/gui/scripts/GameScriptCases.h"
#include "windows/core/TWindowManager.h"
#include "windows/kinds/TImage.h"
#include "windows/script/LuaBinding.h"
#include "windows/script/TWindowScript.h"

namespace GUI {
namespace {

TString ProbeSeen(TString name) {
  TWindow* window = FindOnScreen(name);
  if (!window) return "none";
  return window->IsVisible() ? "shown" : "hidden";
}

TString ProbeFadeAlpha() {
  TWindow* fade = FindOnScreen("blackFade");
  if (!fade || !fade->IsKindOf(TImage::ClassId())) return "none";
  return TString::Format("%.1f", static_cast<double>(static_cast<TImage*>(fade)->GetAlpha()));
}

// The pictures the table window put up of its own: the jug jewels.
int ProbeJewels() {
  TWindow* table = FindOnScreen("collectableTable");
  if (!table) return -1;
  int count = 0;
  for (TWindow* child : table->GetChildren()) {
    if (child->IsKindOf(TImage::ClassId()) && static_cast<TImage*>(child)->GetTexture()) ++count;
  }
  return count;
}

// The level whose time the metrics take; "none" once it is left.
TString ProbeMetricsLevel() {
  GamePlay::TMetrics* metrics = TGameApp::Instance().GetMetrics();
  const GamePlay::TLevelKey* level = metrics ? metrics->GetCurrentLevel() : nullptr;
  if (!level) return "none";
  return TString::Format("%u-%u", level->world, level->level);
}

// The metrics' records kept so far (a completed level is one).
int ProbeMetricsRecords() {
  GamePlay::TMetrics* metrics = TGameApp::Instance().GetMetrics();
  return metrics ? static_cast<int>(metrics->GetRecords().GetCount()) : -1;
}

bool ProbeJourneyCompleted() { return TGameApp::Instance().IsCompletedJourneyMode(); }

void WinLevel(int world, int level, int levelScore, int powerUpBonus, int timeBonus, int blockerBonus) {
  GamePlay::TLevelResult& result = GamePlay::TWorldData::Instance().GetLevelResult();
  result.level = {static_cast<uint32_t>(world), static_cast<uint32_t>(level)};
  result.activationCount = 60;
  result.matchCount = 18;
  result.elapsedMs = 125000;
  result.levelScore = levelScore;
  result.powerUpBonus = powerUpBonus;
  result.timeBonus = timeBonus;
  result.blockerBonus = blockerBonus;
  result.totalScore = levelScore + powerUpBonus + timeBonus + blockerBonus;
  TGameApp::Instance().GetLevelStatusTable()->RecordLevelResult(result.totalScore, result.totalScore, result.level);
}

// The play window runs the table's script from its update task, outside any
// Lua call: so does this task, at the next pass.
class OpenTableTask final : public TAnimTask {
 public:
  explicit OpenTableTask(TString script) : mLua(TString::Format("DoModal('%s')", script.CStr())) {}

 protected:
  bool Animate() override {
    TPlatform::Instance()->GetWindowManager()->GetScript()->DoLuaString(mLua.CStr(), -1);
    return false;
  }

 private:
  TString mLua;
};

void OpenTableOf(TString script) {
  auto task = std::make_unique<OpenTableTask>(script);
  task->Start(0, false, true, false);
  TPlatform::Instance()->GetTaskList()->Add(std::move(task));
}

class TableScripts : public GameScriptCases {
 protected:
  TableScripts() : GameScriptCases(TABLE_SCRIPT_CASES_FOLDER) {
    lua_State* L = driver.Script().GetState();
    BindFunction(L, "Seen", &ProbeSeen);
    BindFunction(L, "FadeAlpha", &ProbeFadeAlpha);
    BindFunction(L, "Jewels", &ProbeJewels);
    BindFunction(L, "MetricsLevel", &ProbeMetricsLevel);
    BindFunction(L, "MetricsRecords", &ProbeMetricsRecords);
    BindFunction(L, "JourneyCompleted", &ProbeJourneyCompleted);
    BindFunction(L, "WinLevel", &WinLevel);
    BindFunction(L, "OpenTableOf", &OpenTableOf);
  }
};

TEST_P(TableScripts, AJourneyTableCountsUpAndContinueLeadsThroughATipToTheMapWithTheNextLevelOpen) {
  Expect("journey_table.lua",
         "table\thidden\thidden\thidden\thidden\thidden\thidden\t1200\t1200\t2 m 5 s \t0.0\t2\n"
         "table\tshown\tshown\thidden\thidden\tshown\tshown\t1590\t1590\t2 m 5 s \t1.0\t2\n"
         "metrics\t1-1\t1\tfalse\n"
         "tip\tshown\t01-01\t1590\n"
         "map\tshown\tshown\tshown\tnone\n"
         "metrics\tnone\t1\tfalse\n"
         "waits\n");
}

TEST_P(TableScripts, AClickHurriesTheTableThenShowsTheQuoteAndTheWayOn) {
  Expect("expert_table.lua",
         "table\tshown\tshown\tshown\tshown\thidden\tshown\t4600\t4600\t2 m 5 s \t1.0\t2\n"
         "table\tshown\tshown\tshown\tshown\thidden\tshown\t4600\t4600\t2 m 5 s \t1.0\t2\n"
         "table\tshown\tshown\tshown\tshown\tshown\tshown\t4600\t4600\t2 m 5 s \t1.0\t2\n"
         "left with\tnil\n");
}

TEST_P(TableScripts, AZenTableHasNoTimeRowAndLeadsBackToTheZenMenu) {
  Expect("zen_table.lua",
         "table\tshown\tnone\thidden\thidden\tshown\tshown\t2500\t2500\t2 m 5 s \t1.0\t2\n"
         "zen menu\tshown\tshown\tnone\tnone\n"
         "waits\n");
}

TEST_P(TableScripts, TheLastJourneyLevelLeavesThroughThePlayWindowToTheGameEnd) {
  Expect("journey_end_table.lua",
         "metrics\t10-5\t0\tfalse\n"
         "metrics\t10-5\t1\tfalse\n"
         "game end\tshown\tnone\n"
         "metrics\tnone\t1\ttrue\n"
         "waits\n");
}

INSTANTIATE_TEST_SUITE_P(CollectorStress, TableScripts, testing::Bool());

}  // namespace
}  // namespace GUI
