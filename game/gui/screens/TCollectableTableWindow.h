#pragma once

#include <cstdint>
#include <deque>
#include <memory>

#include "game/rules/level/TLevelKey.h"
#include "platform/text/TString.h"
#include "platform/time/TClock.h"
#include "platform/types/TClassId.h"
#include "platform/xml/TStringTable.h"
#include "windows/core/TWindow.h"
#include "windows/core/TWindowTask.h"

namespace GamePlay {
class IClockProxy;
class ITowerModel;
struct TLevelResult;
}  // namespace GamePlay

namespace GUI {

class TScoreSequencer;

// The score table after a won level. It commits the level's result as it is
// created, fades the screen behind it to black ("blackFade" beside its
// parent), then reveals the rows of the level's result one after the other,
// counting the bonuses into the total. Rows and buttons are found in its
// parent's tree; each row is a text showing the row's value: counts and
// scores as plain numbers, the bonuses as "+" and what is still to count.
//
// Its Lua functions act on the newest table window and do nothing once it is
// gone.
class TCollectableTableWindow final : public TWindow {
 public:
  // A step handler, given the delay of its step; true when its step is done.
  using TStepHandler = bool (TCollectableTableWindow::*)(uint32_t delay);

  static constexpr uint32_t kUpdatePeriod = 10;
  static constexpr uint32_t kFadeMs = 500;
  // What the time bonus counts per 10 ms.
  static constexpr int32_t kTimeBonusPerTick = 30;

  static TClassId ClassId();
  static TCollectableTableWindow* Cast(TWindow* window);
  // For the window manager's table of window types.
  static std::unique_ptr<TWindow> Create();

  // "1 hr 2 m 5 s ": hours, minutes and seconds, each left out when 0.
  static TString FormatElapsedTime(uint32_t seconds);
  // The level whose start-screen title and quote a level's table shows: a
  // Zen level n borrows the Journey level of its place in ten worlds of five.
  static GamePlay::TLevelKey QuoteLevel(const GamePlay::TLevelKey& level);

  TCollectableTableWindow();
  ~TCollectableTableWindow() override;

  bool IsKindOf(TClassId id) const override;
  // Starts the update task and the sequencer, loads the string tables and
  // commits the pending level result.
  void OnCreated() override;
  // Queues the reveal and fills the table.
  void PostCreate() override;
  // The first call hides the buttons that the reveal shows; while the quote
  // shows, its sheet lies over the table.
  void Draw() override;
  // One step of the quote's fade-in, every update while its sheet shows.
  void StepQuote();
  bool IsQuoteSheetShown() const { return mQuoteSheetShown; }

  // The Lua functions.
  bool IsShowedEndLevelQuote();
  void ShowEndLevelQuote();
  bool SpeedUpEvents();
  bool IsFinishedEndLevelQuote();
  void FinishEndLevelQuote();

  // The step handlers.
  bool FadeToBlack(uint32_t delay);
  bool ShowFirstRows(uint32_t delay);
  bool CountPowerUpBonus(uint32_t delay);
  bool CountTimeBonus(uint32_t delay);
  bool CountBlockerBonus(uint32_t delay);
  bool ShowTotalScore(uint32_t delay);
  bool ShowExpertScore(uint32_t delay);
  bool FinishReveal(uint32_t delay);
  bool ShowWholeTable(uint32_t delay);

  // The texts the end-level animation is to show: the level's start-screen
  // title and its quote.
  const TString& GetQuoteTitle() const { return mQuoteTitle; }
  const TString& GetQuoteText() const { return mQuoteText; }
  int32_t GetPowerUpStep() const { return mPowerUpStep; }
  bool IsCounted() const { return mFinished; }

 private:
  void RegisterLuaFunctions();
  void QueueReveal(const GamePlay::TLevelResult& result);
  void FillTable(const GamePlay::TLevelResult& result);
  void FindQuoteTexts(const GamePlay::TLevelKey& level);
  void SetUpJugJewels();
  // Moves amount from a bonus still to count into the shown scores.
  void MoveBonus(int32_t& toCount, int32_t amount);
  void WriteBackBonuses();
  void RefreshScores();
  // Sets off the first power-up piece left in the tower; false when none is.
  bool SetOffPowerUpPiece();
  int32_t CountPowerUpPieces();
  GamePlay::ITowerModel* Tower() const;
  bool IsZen() const { return mLevel.world == 0; }
  bool ReachesTarget() const;
  bool IsShownTotalBelowTarget() const;
  int32_t ExpertTarget() const;

  TWindow* FindRow(const char* name);
  void SetRowShown(const char* name, bool shown);
  void SetRowValue(const char* name, const TString& value);
  void SetBlackFade(float alpha);
  void DrawQuoteSheet();

  std::unique_ptr<TScoreSequencer> mOwnedSequencer;  // until OnCreated hands it to the task list
  TScoreSequencer* mSequencer = nullptr;
  std::unique_ptr<GamePlay::IClockProxy> mClockProxy;
  std::unique_ptr<TClock> mFadeClock;
  GamePlay::TLevelKey mLevel;
  int32_t mPowerUpToCount = 0;
  int32_t mBlockerToCount = 0;
  int32_t mTimeToCount = 0;
  int32_t mShownLevelScore = 0;
  int32_t mShownTotalScore = 0;
  int32_t mPowerUpStep = 0;
  uint32_t mTimeCountedAt = 0;
  bool mTimeCounting = false;
  bool mQuoteShown = false;
  // From the click that shows an awarded quote until a click after its fade-in.
  bool mQuoteSheetShown = false;
  bool mButtonsShown = false;
  bool mFinished = false;
  TStringTable mStartScreens;
  TStringTable mQuotes;
  TString mQuoteTitle;
  TString mQuoteText;
};

// Runs the table's reveal one step at a time: a step's handler is polled
// after the step's delay until it is done, then the next step follows after
// that delay. A step without a handler is a pause.
class TScoreSequencer final : public TWindowTask {
 public:
  explicit TScoreSequencer(TCollectableTableWindow& window);

  void AddStep(uint32_t delay, TCollectableTableWindow::TStepHandler handler);
  // Every queued step runs without delay.
  void SpeedUp();

 protected:
  bool Animate() override;

 private:
  struct TStep {
    uint32_t delay;
    TCollectableTableWindow::TStepHandler handler;
  };

  std::deque<TStep> mSteps;
};

// The table's update task: every 10 ms it steps the quote's fade-in and has
// the top dialog and the table drawn again.
class TGameUpdateCollectableTableWindow final : public TWindowTask {
 public:
  explicit TGameUpdateCollectableTableWindow(TCollectableTableWindow& window) : TWindowTask(window) {}

 protected:
  bool Animate() override;
};

}  // namespace GUI
