#include "game/gui/screens/TCollectableTableWindow.h"

#include <algorithm>

#include "game/gui/effects/IEndLevelAnimation.h"
#include "game/gui/main/TGameApp.h"
#include "game/gui/progress/TLevelStatusTable.h"
#include "game/gui/progress/TMetrics.h"
#include "game/gui/progress/TWorldData.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "game/rules/pieces/PieceAs.h"
#include "game/rules/scoring/IEndLevelAnimationView.h"
#include "game/rules/pieces/TPowerUpPiece.h"
#include "game/rules/scoring/TLevelResult.h"
#include "game/rules/tower/ITowerModel.h"
#include "media/texture/TTexture.h"
#include "online/THostBridge.h"
#include "platform/TPlatform.h"
#include "windows/core/TWindowManager.h"
#include "windows/kinds/TImage.h"
#include "windows/kinds/TModalWindow.h"
#include "windows/kinds/TText.h"
#include "windows/script/TWindowScript.h"
#include "windows/script/WindowBinding.h"

namespace GUI {

namespace {

constexpr uint32_t kTableStepDelay = 500;
constexpr uint32_t kTableShortDelay = 10;
constexpr uint32_t kTableQuotePause = 1000;
constexpr int32_t kTablePortalModeNoHiscores = 1;
constexpr uint32_t kQuoteWorldCount = 10;
constexpr uint32_t kQuoteLevelsPerWorld = 5;
constexpr const char* kTableStartScreens = "levels/startscreens.xml";
constexpr const char* kTableQuotes = "levels/quotes.xml";
// The sheet of the quote lies where the play screen under the table shows
// it, about the tower's centre.
const TVec2 kQuoteSheetCentre(400, 300);
constexpr const char* kTableJewelImages[] = {"sprites/jugs/jug-jewel-yel", "sprites/jugs/jug-jewel-blu"};
constexpr const char* kTableButtons[] = {"continueButton", "quit", "viewhighscores", "backtomain"};
constexpr const char* kTableLeaveButtons[] = {"quit", "viewhighscores", "backtomain"};
constexpr const char* kTableRows[] = {"DestroyedPieces", "MatchCombos", "ElapsedTime",     "LevelScore",
                                      "BlockerBonus",    "PowerUpBonus", "TimeBonus",      "TotalScore",
                                      "ExpertScore",     "PowerUpBonusHL", "BlockerBonusHL", "TimeBonusHL"};

template <class R, class... Args>
void BindTableFunction(lua_State* L, const char* name, TCollectableTableWindow* window,
                       R (TCollectableTableWindow::*method)(Args...)) {
  PushWindowMethod(L, window, method);
  SetGlobal(L, name);
}

GamePlay::TLevelResult& TableLevelResult() { return GamePlay::TWorldData::Instance().GetLevelResult(); }

TString TableNumber(int32_t value) { return TString::Format("%d", value); }

// A bonus row shows what is still to count into the scores.
TString TableBonus(int32_t toCount) { return TString::Format("+%d", toCount); }

}  // namespace

// ---- The window type.

TClassId TCollectableTableWindow::ClassId() {
  static const char id = 0;
  return &id;
}

TCollectableTableWindow* TCollectableTableWindow::Cast(TWindow* window) {
  return window && window->IsKindOf(ClassId()) ? static_cast<TCollectableTableWindow*>(window) : nullptr;
}

std::unique_ptr<TWindow> TCollectableTableWindow::Create() { return std::make_unique<TCollectableTableWindow>(); }

TString TCollectableTableWindow::FormatElapsedTime(uint32_t seconds) {
  TString text;
  if (uint32_t hours = seconds / 3600) text = text + TString::Format("%d hr ", static_cast<int>(hours));
  if (uint32_t minutes = seconds / 60 % 60) text = text + TString::Format("%d m ", static_cast<int>(minutes));
  if (uint32_t rest = seconds % 60) text = text + TString::Format("%d s ", static_cast<int>(rest));
  return text;
}

GamePlay::TLevelKey TCollectableTableWindow::QuoteLevel(const GamePlay::TLevelKey& level) {
  if (level.world != 0 || level.level == 0) return level;
  const uint32_t n = level.level - 1;
  return {n / kQuoteLevelsPerWorld % kQuoteWorldCount + 1, n % kQuoteLevelsPerWorld + 1};
}

TCollectableTableWindow::TCollectableTableWindow()
    : mOwnedSequencer(std::make_unique<TScoreSequencer>(*this)), mSequencer(mOwnedSequencer.get()) {
  mStartScreens.SetQuiet(true);
  mQuotes.SetQuiet(true);
  RegisterLuaFunctions();
}

TCollectableTableWindow::~TCollectableTableWindow() = default;

bool TCollectableTableWindow::IsKindOf(TClassId id) const { return id == ClassId() || TWindow::IsKindOf(id); }

void TCollectableTableWindow::RegisterLuaFunctions() {
  TWindowManager* manager = PlatformWindowManager();
  TWindowScript* script = manager ? manager->GetScript() : nullptr;
  if (!script) return;
  lua_State* L = script->GetState();
  BindTableFunction(L, "IsShowedEndLevelQuote", this, &TCollectableTableWindow::IsShowedEndLevelQuote);
  BindTableFunction(L, "ShowEndLevelQuote", this, &TCollectableTableWindow::ShowEndLevelQuote);
  BindTableFunction(L, "SpeedUpEvents", this, &TCollectableTableWindow::SpeedUpEvents);
  BindTableFunction(L, "IsFinishedEndLevelQuote", this, &TCollectableTableWindow::IsFinishedEndLevelQuote);
  BindTableFunction(L, "FinishEndLevelQuote", this, &TCollectableTableWindow::FinishEndLevelQuote);
}

void TCollectableTableWindow::OnCreated() {
  TWindowManager* manager = PlatformWindowManager();
  if (TModalWindow* dialog = manager ? TModalWindow::Cast(manager->GetTopModal()) : nullptr) {
    auto update = std::make_unique<TGameUpdateCollectableTableWindow>(*this);
    update->Start(kUpdatePeriod, true, true, false);
    dialog->AddTask(std::move(update));
    mSequencer->Start(0, false, true, false);
    dialog->AddTask(std::move(mOwnedSequencer));
  }
  THostBridge::Instance().SendGameBreak();
  mStartScreens.Load(kTableStartScreens);
  mQuotes.Load(kTableQuotes);
  TGameApp& app = TGameApp::Instance();
  if (TLevelStatusTable* status = app.GetLevelStatusTable()) status->CommitPendingResult();
  if (app.GetPortalMode() == kTablePortalModeNoHiscores) SetRowShown("viewhighscores", false);
}

void TCollectableTableWindow::PostCreate() {
  const GamePlay::TLevelResult& result = TableLevelResult();
  mLevel = result.level;
  QueueReveal(result);
  FillTable(result);
  FindQuoteTexts(mLevel);
  if (GamePlay::IEndLevelAnimationView* animation = result.endLevelAnimation) {
    animation->Start(mQuoteTitle, mQuoteText);
  }
  SetUpJugJewels();
  mClockProxy.reset(GamePlay::TClockProxyRegistry::Instance().CreateClockProxy());
  mClockProxy->Stop();
  mClockProxy->Start();
  SetBlackFade(0.0f);
}

void TCollectableTableWindow::QueueReveal(const GamePlay::TLevelResult& result) {
  using Self = TCollectableTableWindow;
  mSequencer->AddStep(kTableShortDelay, &Self::FadeToBlack);
  mSequencer->AddStep(kTableShortDelay, nullptr);
  mSequencer->AddStep(kTableStepDelay, &Self::ShowFirstRows);
  mSequencer->AddStep(kTableStepDelay, nullptr);
  mSequencer->AddStep(kTableStepDelay, &Self::CountPowerUpBonus);
  if (!IsZen()) {
    mSequencer->AddStep(kTableStepDelay, nullptr);
    mSequencer->AddStep(kTableShortDelay, &Self::CountTimeBonus);
  }
  if (result.blockerBonus != 0) {
    mSequencer->AddStep(kTableStepDelay, nullptr);
    mSequencer->AddStep(kTableStepDelay, &Self::CountBlockerBonus);
  }
  mSequencer->AddStep(kTableStepDelay, nullptr);
  mSequencer->AddStep(kTableStepDelay, &Self::ShowTotalScore);
  if (ReachesTarget()) {
    mSequencer->AddStep(kTableStepDelay, nullptr);
    mSequencer->AddStep(kTableStepDelay, &Self::ShowExpertScore);
  }
  mSequencer->AddStep(kTableStepDelay, &Self::FinishReveal);
}

// Rows start hidden; the shown total is the result's total less what the
// bonuses will add as they are counted.
void TCollectableTableWindow::FillTable(const GamePlay::TLevelResult& result) {
  for (const char* row : kTableRows) SetRowShown(row, false);
  mPowerUpToCount = std::max(result.powerUpBonus, 0);
  mBlockerToCount = std::max(result.blockerBonus, 0);
  mTimeToCount = std::max(result.timeBonus, 0);
  mShownLevelScore = result.levelScore;
  mShownTotalScore = result.totalScore - mPowerUpToCount - mBlockerToCount - mTimeToCount;
  const int32_t pieces = CountPowerUpPieces();
  mPowerUpStep = pieces == 0 ? 0 : mPowerUpToCount / pieces;
  SetRowValue("DestroyedPieces", TableNumber(result.activationCount));
  SetRowValue("MatchCombos", TableNumber(result.matchCount));
  SetRowValue("ElapsedTime", FormatElapsedTime(result.elapsedMs / 1000));
  SetRowValue("ExpertScore", TableNumber(ExpertTarget()));
  RefreshScores();
}

void TCollectableTableWindow::FindQuoteTexts(const GamePlay::TLevelKey& level) {
  const GamePlay::TLevelKey shown = QuoteLevel(level);
  const TString key =
      TString::Format("World%02d_%02d", static_cast<int>(shown.world), static_cast<int>(shown.level));
  mQuoteTitle = mStartScreens.GetString(key);
  mQuoteText = mQuotes.GetString(key);
}

// The two jewels frame the table at its top corners, yellow on the left.
void TCollectableTableWindow::SetUpJugJewels() {
  bool left = true;
  for (const char* name : kTableJewelImages) {
    std::shared_ptr<TTexture> texture = TTexture::Get(name, 0);
    if (!texture) continue;
    auto jewel = std::make_unique<TImage>(true);
    jewel->SetTexture(texture, nullptr, 1.0f);
    jewel->SetPosition(left ? 0 : GetWidth() - jewel->GetWidth(), 0);
    std::unique_ptr<TWindow> child = std::move(jewel);
    AddChild(child, false);
    left = false;
  }
}

void TCollectableTableWindow::Draw() {
  if (!mButtonsShown) {
    for (const char* button : kTableButtons) SetRowShown(button, false);
    mButtonsShown = true;
  }
  if (mQuoteSheetShown) DrawQuoteSheet();
}

// The play screen's closing animation draws the sheet; it is larger than
// the table, so it is drawn over the whole dialog. The table's own pictures
// (the jewels at its corners) come after it.
void TCollectableTableWindow::DrawQuoteSheet() {
  auto* sheet = dynamic_cast<IEndLevelAnimation*>(TableLevelResult().endLevelAnimation);
  TWindow* dialog = GetParent() ? GetParent()->GetParent() : nullptr;
  TPlatform* platform = TPlatform::Instance();
  if (!sheet || !dialog || !platform) return;
  const TRect area = dialog->GetScreenRect();
  platform->PushViewport(area.left, area.top, area.right, area.bottom);
  sheet->DrawQuoteSheet(kQuoteSheetCentre);
  platform->PopViewport();
}

void TCollectableTableWindow::StepQuote() {
  GamePlay::IEndLevelAnimationView* animation = TableLevelResult().endLevelAnimation;
  if (mQuoteSheetShown && animation && !animation->IsDone()) animation->Advance();
}

// ---- The Lua functions.

bool TCollectableTableWindow::IsShowedEndLevelQuote() {
  return IsZen() || IsShownTotalBelowTarget() || mQuoteShown;
}

void TCollectableTableWindow::ShowEndLevelQuote() {
  if (mQuoteShown) return;
  mQuoteShown = true;
  mSequencer->SpeedUp();
  if (IsZen() || IsShownTotalBelowTarget()) return;
  mQuoteSheetShown = true;
  mSequencer->AddStep(kTableQuotePause, nullptr);
  mSequencer->AddStep(kTableShortDelay, &TCollectableTableWindow::ShowWholeTable);
  for (const char* button : kTableLeaveButtons) SetRowShown(button, true);
}

// Every click on the table comes here first: one on a quote that has faded
// in puts its sheet away, so that the quote stays as long as the player
// reads it.
bool TCollectableTableWindow::SpeedUpEvents() {
  if (mQuoteSheetShown && IsFinishedEndLevelQuote()) mQuoteSheetShown = false;
  if (mFinished) return true;
  mSequencer->SpeedUp();
  return false;
}

// The animation goes with the play window, which clears it from the level
// result: without one there is nothing to wait for.
bool TCollectableTableWindow::IsFinishedEndLevelQuote() {
  GamePlay::IEndLevelAnimationView* animation = TableLevelResult().endLevelAnimation;
  return !animation || animation->IsDone();
}

void TCollectableTableWindow::FinishEndLevelQuote() {
  if (GamePlay::IEndLevelAnimationView* animation = TableLevelResult().endLevelAnimation) animation->SkipToEnd();
}

// ---- The steps.

bool TCollectableTableWindow::FadeToBlack(uint32_t) {
  if (!mFadeClock) {
    mFadeClock = std::make_unique<TClock>();
    mFadeClock->Start();
  }
  const float alpha = std::min(1.0f, static_cast<float>(mFadeClock->GetTime()) / static_cast<float>(kFadeMs));
  SetBlackFade(alpha);
  return alpha >= 1.0f;
}

bool TCollectableTableWindow::ShowFirstRows(uint32_t) {
  for (const char* row : {"DestroyedPieces", "MatchCombos", "ElapsedTime", "LevelScore"}) SetRowShown(row, true);
  for (const char* button : kTableLeaveButtons) SetRowShown(button, true);
  return true;
}

bool TCollectableTableWindow::CountPowerUpBonus(uint32_t delay) {
  SetRowShown("PowerUpBonus", true);
  SetRowShown("PowerUpBonusHL", true);
  const bool whole = delay == 0 || mPowerUpStep == 0 || mPowerUpToCount < mPowerUpStep;
  MoveBonus(mPowerUpToCount, whole ? mPowerUpToCount : mPowerUpStep);
  if (delay == 0) {
    while (SetOffPowerUpPiece()) {
    }
  } else {
    SetOffPowerUpPiece();
  }
  return mPowerUpToCount == 0;
}

bool TCollectableTableWindow::CountTimeBonus(uint32_t delay) {
  SetRowShown("TimeBonus", true);
  SetRowShown("TimeBonusHL", true);
  if (!FindRow("TimeBonus") || delay == 0) {
    MoveBonus(mTimeToCount, mTimeToCount);
    return true;
  }
  const uint32_t now = mClockProxy ? mClockProxy->GetTime() : 0;
  int32_t amount = kTimeBonusPerTick;
  if (mTimeCounting) {
    amount = static_cast<int32_t>((now - mTimeCountedAt) / kUpdatePeriod) * kTimeBonusPerTick;
    mTimeCountedAt += (now - mTimeCountedAt) / kUpdatePeriod * kUpdatePeriod;
  } else {
    mTimeCounting = true;
    mTimeCountedAt = now;
  }
  MoveBonus(mTimeToCount, std::min(amount, mTimeToCount));
  return mTimeToCount == 0;
}

bool TCollectableTableWindow::CountBlockerBonus(uint32_t) {
  SetRowShown("BlockerBonus", true);
  SetRowShown("BlockerBonusHL", true);
  MoveBonus(mBlockerToCount, mBlockerToCount);
  return true;
}

bool TCollectableTableWindow::ShowTotalScore(uint32_t) {
  SetRowShown("TotalScore", true);
  mFinished = true;
  if (GamePlay::TMetrics* metrics = TGameApp::Instance().GetMetrics()) metrics->AddLevelCompleted();
  return true;
}

bool TCollectableTableWindow::ShowExpertScore(uint32_t) {
  SetRowShown("ExpertScore", true);
  return true;
}

// With no quote to show, the table leads on from here; else the quote step
// shows the way on.
bool TCollectableTableWindow::FinishReveal(uint32_t) {
  if (!IsZen() && !IsShownTotalBelowTarget()) return true;
  mQuoteShown = true;
  SetRowShown("continueButton", true);
  return true;
}

bool TCollectableTableWindow::ShowWholeTable(uint32_t) {
  for (const char* row : kTableRows) SetRowShown(row, true);
  SetRowShown("continueButton", true);
  return true;
}

// ---- Counting.

void TCollectableTableWindow::MoveBonus(int32_t& toCount, int32_t amount) {
  toCount -= amount;
  mShownLevelScore += amount;
  mShownTotalScore += amount;
  WriteBackBonuses();
  RefreshScores();
}

void TCollectableTableWindow::WriteBackBonuses() {
  GamePlay::TLevelResult& result = TableLevelResult();
  result.powerUpBonus = mPowerUpToCount;
  result.blockerBonus = mBlockerToCount;
  result.timeBonus = mTimeToCount;
}

void TCollectableTableWindow::RefreshScores() {
  SetRowValue("LevelScore", TableNumber(mShownLevelScore));
  SetRowValue("PowerUpBonus", TableBonus(mPowerUpToCount));
  SetRowValue("BlockerBonus", TableBonus(mBlockerToCount));
  SetRowValue("TimeBonus", TableBonus(mTimeToCount));
  SetRowValue("TotalScore", TableNumber(mShownTotalScore));
}

// The tower belongs to the play window, which may be gone already: the
// level result forgets it then.
GamePlay::ITowerModel* TCollectableTableWindow::Tower() const { return TableLevelResult().tower; }

bool TCollectableTableWindow::SetOffPowerUpPiece() {
  GamePlay::ITowerModel* tower = Tower();
  if (!tower) return false;
  for (uint32_t ring = 0; ring < tower->GetRingCount(); ++ring) {
    for (uint32_t slot = 0; slot < tower->GetSlotCount(); ++slot) {
      GamePlay::TPiecePtr piece = tower->GetPiece(static_cast<int32_t>(ring), static_cast<int32_t>(slot));
      auto* powerUpPiece = GamePlay::PieceAs<GamePlay::TPowerUpPiece>(piece.get());
      if (!powerUpPiece || powerUpPiece->IsTriggered()) continue;
      powerUpPiece->SetTriggered(true);
      tower->ActivateCell(static_cast<int32_t>(ring), static_cast<int32_t>(slot), powerUpPiece->GetPowerUp());
      return true;
    }
  }
  return false;
}

int32_t TCollectableTableWindow::CountPowerUpPieces() {
  GamePlay::ITowerModel* tower = Tower();
  if (!tower) return 0;
  int32_t count = 0;
  for (uint32_t ring = 0; ring < tower->GetRingCount(); ++ring) {
    for (uint32_t slot = 0; slot < tower->GetSlotCount(); ++slot) {
      GamePlay::TPiecePtr piece = tower->GetPiece(static_cast<int32_t>(ring), static_cast<int32_t>(slot));
      auto* powerUpPiece = GamePlay::PieceAs<GamePlay::TPowerUpPiece>(piece.get());
      if (powerUpPiece && !powerUpPiece->IsTriggered()) ++count;
    }
  }
  return count;
}

// ---- The target.

int32_t TCollectableTableWindow::ExpertTarget() const {
  TLevelStatusTable* status = TGameApp::Instance().GetLevelStatusTable();
  return status ? status->GetExpertTarget(mLevel) : 0;
}

// A level without a target score has no expert score to reach.
bool TCollectableTableWindow::ReachesTarget() const {
  const GamePlay::TLevelResult& result = TableLevelResult();
  const int64_t scored = int64_t{result.levelScore} + result.powerUpBonus + result.timeBonus + result.blockerBonus;
  const int32_t target = ExpertTarget();
  return target > 0 && scored >= target;
}

bool TCollectableTableWindow::IsShownTotalBelowTarget() const { return mShownTotalScore < ExpertTarget(); }

// ---- Rows.

TWindow* TCollectableTableWindow::FindRow(const char* name) {
  TWindow* holder = GetParent() ? GetParent() : this;
  return holder->FindChild(name);
}

void TCollectableTableWindow::SetRowShown(const char* name, bool shown) {
  TWindow* row = FindRow(name);
  if (!row) return;
  if (shown) {
    row->AddFlags(kWindowVisible);
  } else {
    row->ClearFlags(kWindowVisible);
  }
  row->Invalidate();
}

void TCollectableTableWindow::SetRowValue(const char* name, const TString& value) {
  if (TText* text = TText::Cast(FindRow(name))) text->SetLabel(value);
}

void TCollectableTableWindow::SetBlackFade(float alpha) {
  TWindow* grandparent = GetParent() ? GetParent()->GetParent() : nullptr;
  TWindow* fade = grandparent ? grandparent->FindChild("blackFade") : nullptr;
  if (!fade || !fade->IsKindOf(TImage::ClassId())) return;
  static_cast<TImage*>(fade)->SetAlpha(alpha);
  fade->Invalidate();
}

// ---- The tasks.

TScoreSequencer::TScoreSequencer(TCollectableTableWindow& window) : TWindowTask(window) {}

void TScoreSequencer::AddStep(uint32_t delay, TCollectableTableWindow::TStepHandler handler) {
  mSteps.push_back({delay, handler});
}

void TScoreSequencer::SpeedUp() {
  for (TStep& step : mSteps) step.delay = 0;
  if (!mSteps.empty()) Start(0, false, true, false);
}

bool TScoreSequencer::Animate() {
  auto* window = TCollectableTableWindow::Cast(GetWindow());
  if (!window) return false;
  if (mSteps.empty()) return true;
  const TStep step = mSteps.front();
  if (step.handler && !(window->*step.handler)(step.delay)) {
    Start(step.delay, false, true, false);
    return true;
  }
  mSteps.pop_front();
  Start(step.delay, false, true, false);
  return true;
}

bool TGameUpdateCollectableTableWindow::Animate() {
  TWindow* window = GetWindow();
  if (!window) return false;
  if (TCollectableTableWindow* table = TCollectableTableWindow::Cast(window)) table->StepQuote();
  TWindowManager* manager = PlatformWindowManager();
  if (TWindow* top = manager ? manager->GetTopModal() : nullptr) top->Invalidate();
  window->Invalidate();
  return true;
}

}  // namespace GUI
