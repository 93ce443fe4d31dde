// The end-of-level score table over results the tests make: the reveal's
// rows and times, the counting of the bonuses, the elapsed time, the commit
// at creation, the quote, and the window going before its tasks, its Lua
// functions and the tower it reaches.
#include "game/gui/screens/TCollectableTableWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "game/gui/effects/IEndLevelAnimation.h"
#include "game/gui/progress/TLevelStatusTable.h"
#include "game/gui/progress/TMetricDataMgr.h"
#include "game/gui/progress/TMetrics.h"
#include "game/gui/progress/TWorldData.h"
#include "game/rules/pieces/PieceAs.h"
#include "game/rules/pieces/TPowerUpPiece.h"
#include "game/rules/scoring/IEndLevelAnimationView.h"
#include "online/TVqHiscores.h"
#include "platform/prefs/TPrefs.h"
#include "tests/game/gui/screens/table/TableRig.h"
#include "tests/support/rules/KitPieceFactory.h"
#include "tests/support/rules/KitPowerUps.h"
#include "tests/support/rules/KitTower.h"
#include "tests/support/rules/NullPieceViews.h"
#include "tests/support/rules/RecordingGameRecords.h"
#include "tests/support/rules/RecordingScoringModel.h"
#include "tests/support/rules/RecordingSoundView.h"

namespace GUI {
namespace {

using GamePlay::TLevelKey;
using RowTimes = std::vector<std::pair<std::string, uint32_t>>;

struct TableLevel {
  TLevelKey key;
  int32_t levelScore;
  int32_t powerUpBonus;
  int32_t timeBonus;
  int32_t blockerBonus;
  int32_t earlierTotal = 0;
};

void SetResult(const TableLevel& level) {
  GamePlay::TLevelResult& result = GamePlay::TWorldData::Instance().GetLevelResult();
  result.level = level.key;
  result.activationCount = 42;
  result.matchCount = 7;
  result.elapsedMs = 125000;
  result.levelScore = level.levelScore;
  result.powerUpBonus = level.powerUpBonus;
  result.timeBonus = level.timeBonus;
  result.blockerBonus = level.blockerBonus;
  result.totalScore =
      level.earlierTotal + level.levelScore + level.powerUpBonus + level.timeBonus + level.blockerBonus;
}

class CollectableTableTest : public TableRig {
 protected:
  // Every row's first showing, in order, over the given time.
  RowTimes RevealOver(uint32_t milliseconds) {
    RowTimes shown;
    for (uint32_t now = 10; now <= milliseconds; now += 10) {
      Update();
      for (const char* row : kRowNames) {
        const bool seen = std::any_of(shown.begin(), shown.end(), [&](const auto& s) { return s.first == row; });
        if (!seen && Shown(row)) shown.emplace_back(row, now);
      }
    }
    return shown;
  }
};

// ---- The reveal.

TEST_F(CollectableTableTest, TheRevealShowsTheRowsOfTheLevelInOrderAndAtTheirTimes) {
  const RowTimes firstRows = {{"DestroyedPieces", 530}, {"MatchCombos", 530}, {"ElapsedTime", 530}, {"LevelScore", 530}};
  auto with = [&](RowTimes rest) {
    RowTimes all = firstRows;
    all.insert(all.end(), rest.begin(), rest.end());
    return all;
  };
  struct Case {
    const char* what;
    TableLevel level;
    RowTimes rows;
  };
  // The fade ends at 510 ms; each step waits for the one before and then
  // for its own delay; the time bonus counts 30 per 10 ms.
  const Case cases[] = {
      {"Journey, blocker bonus, target reached",
       {{1, 1}, 600, 300, 300, 200},
       with({{"PowerUpBonus", 1530}, {"TimeBonus", 2530}, {"BlockerBonus", 3130}, {"TotalScore", 4130},
             {"ExpertScore", 5130}})},
      {"Journey, no blocker bonus, below the target",
       {{1, 1}, 300, 100, 60, 0},
       with({{"PowerUpBonus", 1530}, {"TimeBonus", 2530}, {"TotalScore", 3050}})},
      {"Journey level without a target",
       {{1, 2}, 300, 100, 60, 0, 5000},
       with({{"PowerUpBonus", 1530}, {"TimeBonus", 2530}, {"TotalScore", 3050}})},
      {"Zen, no blocker bonus, target reached by the bonus",
       {{0, 1}, 400, 200, 0, 0},
       with({{"PowerUpBonus", 1530}, {"TotalScore", 2530}, {"ExpertScore", 3530}})},
      {"Zen, blocker bonus, below the target",
       {{0, 1}, 100, 0, 0, 50},
       with({{"PowerUpBonus", 1530}, {"BlockerBonus", 2530}, {"TotalScore", 3530}})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetResult(c.level);
    TCollectableTableWindow* window = AddTable();
    EXPECT_EQ(RevealOver(7000), c.rows);
    EXPECT_TRUE(window->IsCounted());
    EXPECT_EQ(Label("TotalScore"), std::to_string(Result().totalScore)) << "every bonus counted in";
    std::unique_ptr<TWindow> gone = area->RemoveChild(window);
  }
}

TEST_F(CollectableTableTest, TheBlackFadeIsFullFiveHundredMillisecondsAfterItStarts) {
  SetResult({{1, 1}, 600, 0, 0, 0});
  AddTable();
  EXPECT_FLOAT_EQ(fade->GetAlpha(), 0.0f);
  Update();  // the fade starts
  Update(49);
  EXPECT_LT(fade->GetAlpha(), 1.0f);
  EXPECT_GT(fade->GetAlpha(), 0.9f);
  Update();
  EXPECT_FLOAT_EQ(fade->GetAlpha(), 1.0f);
}

TEST_F(CollectableTableTest, TheFirstDrawHidesTheButtonsThatTheRevealShows) {
  SetResult({{1, 1}, 600, 0, 0, 0});
  TCollectableTableWindow* window = AddTable();
  window->Draw();
  for (const char* button : kButtonNames) EXPECT_FALSE(Shown(button)) << button;
  Update(53);
  EXPECT_TRUE(Shown("quit"));
  EXPECT_TRUE(Shown("viewhighscores"));
  EXPECT_TRUE(Shown("backtomain"));
  EXPECT_FALSE(Shown("continueButton"));
  for (const char* button : kButtonNames) area->FindChild(button)->ClearFlags(kWindowVisible);
  window->Draw();
  EXPECT_FALSE(Shown("quit")) << "only the first draw sets the buttons";
}

TEST_F(CollectableTableTest, ContinueShowsAtTheEndWhenThereIsNoQuoteToShow) {
  SetResult({{1, 1}, 100, 0, 0, 0});
  TCollectableTableWindow* window = AddTable();
  window->Draw();
  Update(400);
  EXPECT_TRUE(Shown("continueButton"));
  EXPECT_EQ(Lua("gShowed = IsShowedEndLevelQuote()", "gShowed"), "true");
}

TEST_F(CollectableTableTest, TheTotalStepRecordsACompletedLevelOnce) {
  GamePlay::TMetrics& metrics = *TGameApp::Instance().GetMetrics();
  metrics.StartLevel({1, 1}, false);
  const size_t before = metrics.GetRecords().GetCount();
  SetResult({{1, 1}, 600, 0, 0, 0});
  AddTable();
  Update(303);
  EXPECT_EQ(metrics.GetRecords().GetCount(), before) << "before the total shows";
  Update();
  EXPECT_TRUE(Shown("TotalScore"));
  ASSERT_EQ(metrics.GetRecords().GetCount(), before + 1);
  const GamePlay::TMetricDataMgr::TMetricData& record = metrics.GetRecords().Get(before);
  EXPECT_STREQ(record.GetName().CStr(), "LevelCompleteJourney");
  EXPECT_STREQ(record.GetFieldText(2).CStr(), "0") << "not failed";
  Update(300);
  EXPECT_EQ(metrics.GetRecords().GetCount(), before + 1);
}

// ---- Counting.

// A tower of its own with power-up pieces at the cells the test writes.
class PowerUpTowerTest : public CollectableTableTest {
 protected:
  void Build(const std::vector<std::string>& rings) {
    GamePlay::TTowerSetup setup;
    setup.scoring = &scoring;
    setup.powerUpFactory = &powerUps;
    setup.sound = &sound;
    setup.metrics = &records;
    setup.results = &records;
    kit = std::make_unique<KitTower>(pieces, setup, rings);
    Result().tower = kit->tower.get();
  }

  // The cells still holding a power-up piece not yet set off, "ring slot".
  std::vector<std::string> PowerUpCells() {
    std::vector<std::string> cells;
    for (int32_t ring = 0; ring < static_cast<int32_t>(kit->tower->GetRingCount()); ++ring) {
      for (int32_t slot = 0; slot < static_cast<int32_t>(kit->tower->GetSlotCount()); ++slot) {
        GamePlay::TPiecePtr piece = kit->tower->GetPiece(ring, slot);
        auto* powerUp = GamePlay::PieceAs<GamePlay::TPowerUpPiece>(piece.get());
        if (powerUp && !powerUp->IsTriggered()) cells.push_back(std::to_string(ring) + " " + std::to_string(slot));
      }
    }
    return cells;
  }

  RecordingGameRecords records;
  RecordingSoundView sound;
  NullPieceViewFactory views;
  KitPieceFactory pieces{&views, &sound, &records};
  RecordingPowerUpFactory powerUps;
  RecordingScoringModel scoring;
  std::unique_ptr<KitTower> kit;
};

TEST_F(PowerUpTowerTest, ThePowerUpBonusCountsAStepPerPieceAndSetsOffOnePieceAPerCall) {
  Build({"..P.P", "P"});
  SetResult({{1, 1}, 500, 300, 0, 0});
  TCollectableTableWindow* window = AddTable();
  EXPECT_EQ(window->GetPowerUpStep(), 100);
  struct Expected {
    bool done;
    int32_t left;
    std::vector<std::string> cells;
    const char* levelScore;
  };
  const Expected calls[] = {
      {false, 200, {"0 4", "1 0"}, "600"},
      {false, 100, {"1 0"}, "700"},
      {true, 0, {}, "800"},
  };
  for (const Expected& call : calls) {
    EXPECT_EQ(window->CountPowerUpBonus(500), call.done);
    EXPECT_EQ(Result().powerUpBonus, call.left) << "written back";
    EXPECT_EQ(PowerUpCells(), call.cells) << "ring order, then slot order";
    EXPECT_EQ(Label("LevelScore"), call.levelScore);
    EXPECT_EQ(Label("PowerUpBonus"), "+" + std::to_string(call.left));
  }
  EXPECT_TRUE(Shown("PowerUpBonus"));
  EXPECT_TRUE(Shown("PowerUpBonusHL"));
  EXPECT_EQ(Label("TotalScore"), "800");
}

TEST_F(PowerUpTowerTest, WithoutDelayEveryPieceGoesOffAndTheWholeBonusCounts) {
  Build({"..P.P", "P"});
  SetResult({{1, 1}, 500, 300, 0, 0});
  TCollectableTableWindow* window = AddTable();
  EXPECT_TRUE(window->CountPowerUpBonus(0));
  EXPECT_EQ(PowerUpCells(), std::vector<std::string>{});
  EXPECT_EQ(Result().powerUpBonus, 0);
  EXPECT_EQ(Label("TotalScore"), "800");
}

TEST_F(PowerUpTowerTest, WithoutPowerUpPiecesOrTowerTheWholeBonusCountsInOneCall) {
  struct Case {
    const char* what;
    bool tower;
  };
  for (const Case c : {Case{"no power-up piece left", true}, Case{"the play window and its tower gone", false}}) {
    SCOPED_TRACE(c.what);
    Build({"01"});
    if (!c.tower) Result().tower = nullptr;
    SetResult({{1, 1}, 500, 300, 0, 0});
    TCollectableTableWindow* window = AddTable();
    EXPECT_EQ(window->GetPowerUpStep(), 0);
    EXPECT_TRUE(window->CountPowerUpBonus(500));
    EXPECT_EQ(Result().powerUpBonus, 0);
    std::unique_ptr<TWindow> gone = area->RemoveChild(window);
  }
}

TEST_F(PowerUpTowerTest, ATowerGoneDuringTheCountIsLeftAlone) {
  Build({"P.P.P"});
  SetResult({{1, 1}, 500, 300, 0, 0});
  TCollectableTableWindow* window = AddTable();
  EXPECT_FALSE(window->CountPowerUpBonus(500));
  Result().tower = nullptr;
  kit.reset();
  EXPECT_FALSE(window->CountPowerUpBonus(500)) << "a step still, no piece set off";
  EXPECT_EQ(Result().powerUpBonus, 100);
}

TEST_F(CollectableTableTest, TheTimeBonusCountsThirtyPerTenMilliseconds) {
  SetResult({{1, 1}, 500, 0, 100, 0});
  TCollectableTableWindow* window = AddTable();
  struct Step {
    uint32_t advance;
    bool done;
    int32_t left;
  };
  // The first call counts 30 and starts the count; then 30 per whole 10 ms.
  const Step steps[] = {{0, false, 70}, {25, false, 10}, {4, false, 10}, {1, true, 0}};
  for (const Step& step : steps) {
    clock.Advance(step.advance);
    EXPECT_EQ(window->CountTimeBonus(10), step.done);
    EXPECT_EQ(Result().timeBonus, step.left);
    EXPECT_EQ(Label("TimeBonus"), "+" + std::to_string(step.left));
  }
  EXPECT_TRUE(Shown("TimeBonusHL"));
  EXPECT_EQ(Label("TotalScore"), "600");
}

TEST_F(CollectableTableTest, WithoutDelayTheTimeAndBlockerBonusesCountAtOnce) {
  SetResult({{1, 1}, 500, 0, 900, 70});
  TCollectableTableWindow* window = AddTable();
  EXPECT_TRUE(window->CountTimeBonus(0));
  EXPECT_TRUE(window->CountBlockerBonus(500));
  EXPECT_EQ(Result().timeBonus, 0);
  EXPECT_EQ(Result().blockerBonus, 0);
  EXPECT_EQ(Label("LevelScore"), "1470");
}

TEST_F(CollectableTableTest, SpeedUpEventsHurriesTheRestAndAnswersTrueOnceFinished) {
  SetResult({{1, 1}, 600, 300, 3000, 200, 1000});
  AddTable();
  Update(60);
  EXPECT_TRUE(Shown("LevelScore"));
  EXPECT_FALSE(Shown("PowerUpBonus"));
  EXPECT_EQ(Lua("gSped = SpeedUpEvents()", "gSped"), "false");
  Update(15);
  for (const char* row : kRowNames) EXPECT_TRUE(Shown(row)) << row;
  EXPECT_EQ(Lua("gSped = SpeedUpEvents()", "gSped"), "true");
  EXPECT_EQ(Label("TotalScore"), "5100");
  EXPECT_EQ(Label("LevelScore"), "4100");
  EXPECT_EQ(Result().powerUpBonus + Result().timeBonus + Result().blockerBonus, 0);
}

// ---- Texts.

TEST_F(CollectableTableTest, TheElapsedTimeLeavesOutPartsOfZero) {
  const std::pair<uint32_t, const char*> cases[] = {
      {3725, "1 hr 2 m 5 s "}, {120, "2 m "}, {0, ""}, {3600, "1 hr "}, {59, "59 s "}, {7201, "2 hr 1 s "}};
  for (const auto& [seconds, text] : cases) {
    EXPECT_STREQ(TCollectableTableWindow::FormatElapsedTime(seconds).CStr(), text) << seconds;
  }
  SetResult({{1, 1}, 600, 0, 0, 0});
  Result().elapsedMs = 3725999;
  AddTable();
  EXPECT_EQ(Label("ElapsedTime"), "1 hr 2 m 5 s ");
  EXPECT_EQ(Label("DestroyedPieces"), "42");
  EXPECT_EQ(Label("MatchCombos"), "7");
  EXPECT_EQ(Label("ExpertScore"), "1000");
  for (const char* row : kRowNames) EXPECT_FALSE(Shown(row)) << row << " waits for the reveal";
}

// ---- The commit.

TEST_F(CollectableTableTest, CreationCommitsThePendingResultOnce) {
  TGameApp& app = TGameApp::Instance();
  TPrefs& prefs = *app.GetPrefs();
  const int32_t player = app.GetCurrentUser();
  TLevelStatusTable& status = *app.GetLevelStatusTable();
  status.RecordLevelResult(1200, 1500, {1, 2});
  SetResult({{1, 2}, 1000, 200, 0, 0, 300});
  AddTable();
  EXPECT_EQ(status.GetPendingResult(), nullptr);
  EXPECT_EQ(prefs.GetInt("AdvTotalScore", -7, player), 1500);
  EXPECT_EQ(app.GetLevelHiscore({1, 2}), 1200);
  EXPECT_EQ(status.GetLevelStatus({1, 2}), 2) << "no target to miss";
  EXPECT_EQ(prefs.GetInt("LatestJourneyWorldId", -7, -1), 1);
  EXPECT_EQ(prefs.GetInt("LatestJourneyLevelId", -7, -1), 2);
  std::vector<uint8_t> digits(TLevelStatusTable::kDigitCount);
  ASSERT_EQ(prefs.GetData("AdvGameData", nullptr, 0, player), static_cast<int>(digits.size()));
  prefs.GetData("AdvGameData", digits.data(), static_cast<int>(digits.size()), player);
  EXPECT_EQ(digits[1], '3');
  TVqHiscores& hiscores = *app.GetHiscores();
  ASSERT_EQ(hiscores.GetScoreCount(true), 1);
  int32_t score = 0;
  hiscores.GetScore(true, 0, nullptr, nullptr, 0, nullptr, &score, nullptr, 0);
  EXPECT_EQ(score, 1500) << "the local hiscore table";

  prefs.SetInt("AdvTotalScore", 77, player, false);
  AddTable();
  EXPECT_EQ(prefs.GetInt("AdvTotalScore", -7, player), 77) << "a second table commits nothing";
  EXPECT_EQ(hiscores.GetScoreCount(true), 1);
}

// ---- The quote.

TEST_F(CollectableTableTest, TheQuoteCountsAsShownForZenAndBelowTheTarget) {
  struct Case {
    const char* what;
    TableLevel level;
    const char* showed;
  };
  const Case cases[] = {
      {"Zen, target reached", {{0, 1}, 900, 0, 0, 0}, "true"},
      {"Journey, total below the target", {{1, 1}, 600, 300, 0, 0}, "true"},
      {"Journey, total at the target", {{1, 1}, 1000, 0, 0, 0}, "false"},
      {"Journey, earlier levels' total above the target", {{1, 1}, 10, 0, 0, 0, 2000}, "false"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetResult(c.level);
    TCollectableTableWindow* window = AddTable();
    EXPECT_EQ(Lua("gShowed = IsShowedEndLevelQuote()", "gShowed"), c.showed);
    std::unique_ptr<TWindow> gone = area->RemoveChild(window);
  }
}

TEST_F(CollectableTableTest, ShowEndLevelQuoteHurriesTheRevealAndQueuesTheQuoteOnce) {
  SetResult({{1, 1}, 800, 300, 0, 100, 500});
  TCollectableTableWindow* window = AddTable();
  window->Draw();
  EXPECT_EQ(Lua("ShowEndLevelQuote() gShowed = IsShowedEndLevelQuote()", "gShowed"), "true");
  EXPECT_TRUE(Shown("quit"));
  EXPECT_TRUE(Shown("backtomain"));
  Update(150);
  EXPECT_TRUE(window->IsCounted()) << "hurried";
  EXPECT_FALSE(Shown("continueButton")) << "the quote's pause";
  Update(50);
  EXPECT_TRUE(Shown("continueButton"));
  for (const char* row : kRowNames) EXPECT_TRUE(Shown(row)) << row;

  area->FindChild("continueButton")->ClearFlags(kWindowVisible);
  Lua("ShowEndLevelQuote()", "gShowed");
  Update(200);
  EXPECT_FALSE(Shown("continueButton")) << "queued once only";
}

// The end-level animation registered in the level result, as far as the
// table drives it: its quote is done after the steps given, and its sheet
// notes where it was drawn and over which part of the screen.
class RecordingEndLevelAnimation final : public GamePlay::IEndLevelAnimationView, public IEndLevelAnimation {
 public:
  explicit RecordingEndLevelAnimation(const FakePlatform& platform, int stepsToDone = 0)
      : platform(platform), stepsToDone(stepsToDone) {}

  void Start(const TString& title, const TString& quote) override {
    started.push_back(std::string(title.CStr()) + " / " + quote.CStr());
  }
  bool Advance() override {
    ++steps;
    done = done || steps >= stepsToDone;
    return done;
  }
  bool IsDone() override { return done; }
  void SkipToEnd() override { done = true; }

  void StartFlash(std::function<void()>) override {}
  void ShowBanner(bool) override {}
  void DrawFlash(const TVec2&) override {}
  void DrawPanel(const TVec2&) override {}
  void DrawQuoteSheet(const TVec2& position) override {
    const TRect& area = platform.viewport;
    sheets.push_back(std::to_string(static_cast<int>(position.x)) + "," + std::to_string(static_cast<int>(position.y)) +
                     " over " + std::to_string(area.left) + "," + std::to_string(area.top) + "," +
                     std::to_string(area.right) + "," + std::to_string(area.bottom));
  }

  const FakePlatform& platform;
  int stepsToDone;
  std::vector<std::string> started;
  std::vector<std::string> sheets;
  int steps = 0;
  bool done = false;
};

TEST_F(CollectableTableTest, TheEndLevelAnimationShowsTheLevelsQuoteAndAnswersForIt) {
  RecordingEndLevelAnimation animation(platform);
  SetResult({{0, 7}, 100, 0, 0, 0});
  Result().endLevelAnimation = &animation;
  AddTable();
  EXPECT_EQ(animation.started, std::vector<std::string>{"title 2-2 / quote 2-2"});
  EXPECT_EQ(Lua("gFinished = IsFinishedEndLevelQuote()", "gFinished"), "false");
  EXPECT_EQ(Lua("FinishEndLevelQuote() gFinished = IsFinishedEndLevelQuote()", "gFinished"), "true");
  EXPECT_TRUE(animation.done);
  Result().endLevelAnimation = nullptr;
}

TEST_F(CollectableTableTest, WithoutAnEndLevelAnimationTheQuoteIsFinished) {
  SetResult({{1, 1}, 800, 0, 0, 0});
  AddTable();
  EXPECT_EQ(Lua("FinishEndLevelQuote() gFinished = IsFinishedEndLevelQuote()", "gFinished"), "true");
}

// The quote's sheet lies over the table from the click that shows the quote
// until a click once the quote has faded in (the table underneath shows
// whole meanwhile); every update steps the fade-in until it is done. Below
// the target, and on a Zen level, there is no quote.
TEST_F(CollectableTableTest, AnAwardedQuoteShowsOnItsSheetOverTheTableUntilAClickAfterItsFadeIn) {
  struct Case {
    const char* what;
    TableLevel level;
    bool sheet;
  };
  const Case cases[] = {{"target reached", {{1, 1}, 800, 300, 0, 100, 500}, true},
                        {"below the target", {{1, 1}, 300, 0, 0, 0}, false},
                        {"Zen", {{0, 1}, 800, 0, 0, 0}, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RecordingEndLevelAnimation animation(platform, 4);
    SetResult(c.level);
    Result().endLevelAnimation = &animation;
    TCollectableTableWindow* window = AddTable();
    window->Draw();
    Update(20);
    EXPECT_EQ(animation.steps, 0) << "no fade-in before the quote shows";
    EXPECT_TRUE(animation.sheets.empty());
    Lua("ShowEndLevelQuote()", "gShowed");
    window->Draw();
    ASSERT_EQ(animation.sheets.size(), c.sheet ? 1u : 0u);
    if (c.sheet) {
      EXPECT_EQ(animation.sheets[0], "400,300 over 0,0,800,600") << "the whole dialog";
    }
    Update(2);
    Lua("gSped = SpeedUpEvents()", "gSped");
    EXPECT_EQ(window->IsQuoteSheetShown(), c.sheet) << "a click during the fade-in leaves it";
    Update(200);
    EXPECT_EQ(animation.steps, c.sheet ? 4 : 0) << "stepped until done, then left alone";
    EXPECT_TRUE(Shown("continueButton")) << "the whole table shows underneath";
    EXPECT_EQ(window->IsQuoteSheetShown(), c.sheet) << "the quote stays until the player clicks";
    Lua("gSped = SpeedUpEvents()", "gSped");
    EXPECT_FALSE(window->IsQuoteSheetShown());
    animation.sheets.clear();
    window->Draw();
    EXPECT_TRUE(animation.sheets.empty());
    Result().endLevelAnimation = nullptr;
    std::unique_ptr<TWindow> gone = area->RemoveChild(window);
  }
}

TEST_F(CollectableTableTest, AZenLevelBorrowsTheQuoteOfItsPlaceInTheJourney) {
  const std::pair<TLevelKey, TLevelKey> cases[] = {
      {{0, 1}, {1, 1}}, {{0, 7}, {2, 2}}, {{0, 50}, {10, 5}}, {{0, 51}, {1, 1}}, {{3, 4}, {3, 4}}};
  for (const auto& [level, quoted] : cases) {
    EXPECT_EQ(TCollectableTableWindow::QuoteLevel(level), quoted) << level.world << "-" << level.level;
  }
  SetResult({{0, 7}, 100, 0, 0, 0});
  TCollectableTableWindow* window = AddTable();
  EXPECT_STREQ(window->GetQuoteTitle().CStr(), "title 2-2");
  EXPECT_STREQ(window->GetQuoteText().CStr(), "quote 2-2");
}

// ---- Lifetimes.

TEST_F(CollectableTableTest, TheWindowGoesBeforeItsStepsAndItsLuaFunctions) {
  SetResult({{1, 1}, 600, 300, 300, 200});
  TCollectableTableWindow* window = AddTable();
  Update(100);
  std::unique_ptr<TWindow> gone = area->RemoveChild(window);
  gone.reset();
  Update(300);
  EXPECT_EQ(Lua("gSped = SpeedUpEvents()", "gSped"), "false");
  EXPECT_EQ(Lua("gShowed = IsShowedEndLevelQuote()", "gShowed"), "false");
  EXPECT_EQ(Lua("ShowEndLevelQuote() FinishEndLevelQuote() gFinished = IsFinishedEndLevelQuote()", "gFinished"),
            "false");
  EXPECT_FALSE(Shown("TotalScore")) << "no step ran on";
}

}  // namespace
}  // namespace GUI
