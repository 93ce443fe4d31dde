// The game's score-table scripts, each case run as the screen coroutine
// over the real window library (ScreenScriptDriver) with the game's window
// types and Lua functions registered and the game's own data copied in. A
// case wins a level with WinLevel(world, level, level score, power-up,
// time and blocker bonus), which fills the level result and records it as
// the scoring model does, opens the table with OpenTableOf(script) as the
// play window does, and reads the screen through Seen(name) ("shown",
// "hidden" or "none"), FadeAlpha() and Jewels(), the count of the jug
// jewels the table window shows.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "game/gui/main/GameLuaFunctions.h"
#include "game/gui/main/TGameApp.h"
#include "game/gui/play/TArcadeWindow.h"
#include "game/gui/progress/TLevelStatusTable.h"
#include "game/gui/progress/TWorldData.h"
#include "game/gui/screens/TCollectableTableWindow.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "game/rules/scoring/TLevelResult.h"
#include "platform/TPlatform.h"
#include "platform/time/TAnimTask.h"
#include "platform/time/TTaskList.h"
#include "tests/support/TempFolder.h"
#include "tests/support/windows/ScreenScriptDriver.h"
#include "windows/core/TWindowManager.h"
#include "windows/kinds/TImage.h"
#include "windows/script/LuaBinding.h"
#include "windows/script/TWindowScript.h"

namespace GUI {
namespace {

TWindow* FindTableWindow(const TString& name) {
  TWindow* root = TPlatform::Instance()->GetWindowManager()->GetRootWindow();
  TWindow* found = root ? root->FindChild(name) : nullptr;
  return found == root ? nullptr : found;
}

TString ProbeSeen(TString name) {
  TWindow* window = FindTableWindow(name);
  if (!window) return "none";
  return window->IsVisible() ? "shown" : "hidden";
}

TString ProbeFadeAlpha() {
  TWindow* fade = FindTableWindow("blackFade");
  if (!fade || !fade->IsKindOf(TImage::ClassId())) return "none";
  return TString::Format("%.1f", static_cast<double>(static_cast<TImage*>(fade)->GetAlpha()));
}

// The pictures the table window put up of its own: the jug jewels.
int ProbeJewels() {
  TWindow* table = FindTableWindow("collectableTable");
  if (!table) return -1;
  int count = 0;
  for (TWindow* child : table->GetChildren()) {
    if (child->IsKindOf(TImage::ClassId()) && static_cast<TImage*>(child)->GetTexture()) ++count;
  }
  return count;
}

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

// What a run wrote, and the log's entries that report a failed script or a
// missing label.
struct TableCaseRun {
  std::string printed;
  std::string problems;
};

TableCaseRun SplitTableRun(const std::string& output) {
  TableCaseRun run;
  size_t start = 0;
  while (start < output.size()) {
    const size_t end = output.find('\n', start);
    const std::string line = output.substr(start, end == std::string::npos ? std::string::npos : end - start + 1);
    start = end == std::string::npos ? output.size() : end + 1;
    if (line.rfind("log: ", 0) != 0) {
      run.printed += line;
    } else if (line.find("rror") != std::string::npos || line.find("Failed to run script") != std::string::npos ||
               line.find("Missing string") != std::string::npos) {
      run.problems += line;
    }
  }
  return run;
}

std::string TableDataWithCases(const TempFolder& folder) {
  namespace fs = std::filesystem;
  const fs::path root = folder.Path();
  fs::copy(GAME_DATA_SOURCES, root, fs::copy_options::recursive);
  fs::copy(TABLE_SCRIPT_CASES_FOLDER, root / "cases", fs::copy_options::recursive);
  return root.string();
}

// Each case runs as it is and with the collector running at every check
// point, which finds a window or closure kept only by a dropped value.
class TableScripts : public testing::TestWithParam<bool> {
 protected:
  TableScripts() : driver(TableDataWithCases(mData), GetParam()) {
    driver.UseStringFile();
    driver.Manager().AddWindowType("ArcadeWindow", &TArcadeWindow::Create);
    driver.Manager().AddWindowType("CollectableTableWindow", &TCollectableTableWindow::Create);
    TGameApp& app = TGameApp::Instance();
    app.Init("");
    RegisterGameLuaFunctions(driver.Script(), app);
    lua_State* L = driver.Script().GetState();
    BindFunction(L, "Seen", &ProbeSeen);
    BindFunction(L, "FadeAlpha", &ProbeFadeAlpha);
    BindFunction(L, "Jewels", &ProbeJewels);
    BindFunction(L, "WinLevel", &WinLevel);
    BindFunction(L, "OpenTableOf", &OpenTableOf);
  }

  ~TableScripts() override {
    GamePlay::TWorldData::Instance().GetLevelResult() = GamePlay::TLevelResult{};
    TGameApp::Instance().Shutdown();
    GamePlay::TClockProxyRegistry& clocks = GamePlay::TClockProxyRegistry::Instance();
    clocks.SetSuspended(false);
    clocks.ResumeAll();
  }

  void Expect(const std::string& file, const std::string& expected) {
    const TableCaseRun run = SplitTableRun(driver.Run("cases/" + file));
    EXPECT_EQ(run.printed, expected) << file;
    EXPECT_EQ(run.problems, "") << file;
  }

 private:
  TempFolder mData;

 protected:
  ScreenScriptDriver driver;
};

TEST_P(TableScripts, AJourneyTableCountsUpAndContinueLeadsToTheMapWithTheNextLevelOpen) {
  Expect("journey_table.lua",
         "table\thidden\thidden\thidden\thidden\thidden\thidden\t1200\t1200\t2 m 5 s \t0.0\t2\n"
         "table\tshown\tshown\thidden\thidden\tshown\tshown\t1590\t1590\t2 m 5 s \t1.0\t2\n"
         "map\tshown\tshown\tshown\tnone\n"
         "waits\n");
}

TEST_P(TableScripts, AClickHurriesTheTableThenShowsTheQuoteAndTheWayOn) {
  Expect("expert_table.lua",
         "table\tshown\tshown\tshown\tshown\thidden\tshown\t4600\t4600\t2 m 5 s \t1.0\t2\n"
         "table\tshown\tshown\tshown\tshown\thidden\tshown\t4600\t4600\t2 m 5 s \t1.0\t2\n"
         "table\tshown\tshown\tshown\tshown\tshown\tshown\t4600\t4600\t2 m 5 s \t1.0\t2\n"
         "left with\tnil\n");
}

TEST_P(TableScripts, AZenTableHasNoTimeRowAndLeadsBackToTheMap) {
  Expect("zen_table.lua",
         "table\tshown\tnone\thidden\thidden\tshown\tshown\t2500\t2500\t2 m 5 s \t1.0\t2\n"
         "map\tshown\tshown\tshown\tnone\n"
         "waits\n");
}

INSTANTIATE_TEST_SUITE_P(CollectorStress, TableScripts, testing::Bool());

}  // namespace
}  // namespace GUI
