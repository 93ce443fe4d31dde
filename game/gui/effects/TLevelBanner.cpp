#include "game/gui/effects/TLevelBanner.h"

#include <utility>

#include "game/gui/effects/OptionalGraphic.h"
#include "game/gui/effects/TControlTimeline.h"
#include "game/gui/main/TGameApp.h"
#include "game/gui/progress/TMetrics.h"
#include "game/gui/progress/TWorldData.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "game/rules/scoring/IScoringModel.h"
#include "game/rules/tower/ITowerView.h"
#include "media/text/TTextLayout.h"
#include "platform/TPlatform.h"

namespace GUI {

namespace {

constexpr char kBannerFont[] = "fonts/palabi.mvec";
constexpr int32_t kBannerFontSize = 18;
constexpr int32_t kBannerLineHeight = 24;
constexpr int32_t kScoreBoxWidth = 142;
// As wide as the score lines: "LEVEL 50" in the game's font is wider than
// the narrower box a level number was once laid out in, and would wrap out
// of sight.
constexpr int32_t kLevelBoxWidth = kScoreBoxWidth;
constexpr uint32_t kBannerZenWorld = 0;
constexpr uint32_t kLevelsPerWorld = 5;
const TColor kBannerWhite(1.0f, 1.0f, 1.0f, 1.0f);
const TColor kBannerGold(1.0f, 0.86f, 0.5f, 1.0f);

// The box in the top left corner: the level over the score and the target.
const TVec2 kScoreBoxAt(108.0f, 43.0f);
const TVec2 kTargetPlateAt(100.0f, 70.0f);
constexpr int32_t kRowsLeft = 40;
constexpr int32_t kLevelRowTop = 4;
constexpr int32_t kScoreRowTop = 30;
constexpr int32_t kTargetRowTop = 58;  // on the plate
// The banner stands still half a pixel low between its wipes.
const TVec2 kBannerStayOffset(0.0f, 0.5f);

std::unique_ptr<TTextLayout> MakeBannerText(int32_t width, int32_t flags, const TColor& colour) {
  return TTextLayout::Create("", width, kBannerLineHeight, flags, kBannerFont, kBannerFontSize, colour);
}

TRect RowAt(int32_t left, int32_t top, int32_t width) {
  return TRect(left, top, left + width, top + kBannerLineHeight);
}

void DrawText(TTextLayout& text, const TRect& rect) { text.Draw(rect, 1.0f, 1.0f, 0.0f, TVec2(0, 0), 1.0f); }

}  // namespace

TLevelBanner::TLevelBanner(TLevelBannerGraphics graphics, GamePlay::IScoringModel* scoring,
                           GamePlay::ITowerView* towerView, std::function<void()> expertSound)
    : mGraphics(std::move(graphics)),
      mScoreText(MakeBannerText(kScoreBoxWidth, TTextLayout::kRightAlignLines, kBannerWhite)),
      mTargetText(MakeBannerText(kScoreBoxWidth, TTextLayout::kRightAlignLines, kBannerGold)),
      mLabelText(MakeBannerText(kScoreBoxWidth, 0, kBannerWhite)),
      mLevelText(MakeBannerText(kLevelBoxWidth, TTextLayout::kCentreLines, kBannerWhite)),
      mScoring(scoring),
      mTowerView(towerView),
      mExpertSound(std::move(expertSound)) {}

TLevelBanner::~TLevelBanner() {
  TTextLayout::Delete(mScoreText);
  TTextLayout::Delete(mTargetText);
  TTextLayout::Delete(mLabelText);
  TTextLayout::Delete(mLevelText);
}

const TString& TLevelBanner::GetLevelText() const { return mLevelText->GetText(); }
const TString& TLevelBanner::GetScoreText() const { return mScoreText->GetText(); }
const TString& TLevelBanner::GetTargetText() const { return mTargetText->GetText(); }

void TLevelBanner::Refresh() {
  const int32_t score = mScoring->GetLevelScore();
  const int32_t target = mScoring->GetMedalTarget();
  if (GamePlay::TMetrics* metrics = TGameApp::Instance().GetMetrics()) metrics->SetLevelScore(score);
  mScoreText->SetText(TString::Format("%d", score));
  mTargetText->SetText(TString::Format("%d", target));
  const GamePlay::TLevelKey key = mScoring->GetLevelKey();
  const uint32_t number = key.world == kBannerZenWorld ? key.level : (key.world - 1) * kLevelsPerWorld + key.level;
  mLevelText->SetText(TString::Format("LEVEL %d", static_cast<int32_t>(number)));
}

void TLevelBanner::UpdateBanners() {
  CheckExpert();
  if (mTowerView->IsNoMoveShown()) StartBanner(mNoMoveClock, mGraphics.noMoveBanner);
  if (mTowerView->IsTimeUpShown()) StartBanner(mTimeUpClock, mGraphics.timeUpBanner);
  if (!mTimeline) return;
  // The banner's pictures are placed on the screen: outside the 2D drawing
  // state the device would take them through the scene's 3D states.
  TPlatform* platform = TPlatform::Instance();
  const bool entered2d = platform && !platform->IsIn2d() && platform->Begin2d();
  mTimeline->Update();
  if (entered2d) platform->End2d();
}

// The expert banner waits for a message over the tower to go, unless it
// plays already.
void TLevelBanner::CheckExpert() {
  if (!mExpertClock && mTowerView->IsShowingMessage()) return;
  if (!IsTargetReached()) return;
  GamePlay::TWorldData::Instance().GetLevelResult().expert = true;
  if (StartBanner(mExpertClock, mGraphics.expertBanner) && mExpertSound) mExpertSound();
}

bool TLevelBanner::IsTargetReached() { return mScoring->GetLevelScore() >= mScoring->GetMedalTarget(); }

bool TLevelBanner::StartBanner(std::unique_ptr<GamePlay::IClockProxy>& clock,
                               const std::shared_ptr<IGraphic>& graphic) {
  if (clock) return false;
  clock.reset(GamePlay::TClockProxyRegistry::Instance().CreateClockProxy());
  clock->Stop();
  clock->Start();
  const GamePlay::TPoint centre = mTowerView->GetCentre();
  const TVec2 at(static_cast<float>(centre.x), static_cast<float>(centre.y));
  mTimeline = std::make_unique<TControlTimeline>(clock.get());
  mTimeline->AddShowUp(graphic, kShowUpMs, at);
  mTimeline->AddPosTrans(graphic, kStayMs, at + kBannerStayOffset, at + kBannerStayOffset);
  mTimeline->AddDisappearing(graphic, kWipeOutMs, at);
  return true;
}

void TLevelBanner::Draw() {
  TPlatform* platform = TPlatform::Instance();
  const bool entered2d = platform && !platform->IsIn2d() && platform->Begin2d();
  Refresh();
  DrawIfPresent(IsTargetReached() ? mGraphics.scoreBoxLit : mGraphics.scoreBox, kScoreBoxAt, 1.0f, 1.0f, 0.0f);
  DrawIfPresent(mGraphics.targetPlate, kTargetPlateAt, 1.0f, 1.0f, 0.0f);
  DrawText(*mScoreText, RowAt(kRowsLeft, kScoreRowTop, kScoreBoxWidth));
  DrawText(*mTargetText, RowAt(kRowsLeft, kTargetRowTop, kScoreBoxWidth));
  DrawLabel("Expert:", kTargetRowTop);
  DrawLabel("Score:", kScoreRowTop);
  DrawText(*mLevelText, RowAt(kRowsLeft, kLevelRowTop, kLevelBoxWidth));
  if (entered2d) platform->End2d();
}

void TLevelBanner::DrawLabel(const char* label, int32_t top) {
  mLabelText->SetText(label);
  DrawText(*mLabelText, RowAt(kRowsLeft, top, kScoreBoxWidth));
}

}  // namespace GUI
