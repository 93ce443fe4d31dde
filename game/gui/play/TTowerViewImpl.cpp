#include "game/gui/play/TTowerViewImpl.h"

#include <cmath>

#include "game/gui/main/TGameApp.h"
#include "game/gui/play/LevelEndFlows.h"
#include "game/gui/play/TTowerMeasurement.h"
#include "game/gui/progress/TMetrics.h"
#include "game/gui/views/TViewFactory.h"
#include "game/rules/level/TLevelSettings.h"
#include "game/rules/scoring/IScoringModel.h"
#include "game/rules/control/ISoundFactoryView.h"
#include "game/rules/tower/ITowerModel.h"
#include "platform/TPlatform.h"

namespace GUI {

namespace {

constexpr float kRingAngleFullTurn = 6.2831855f;
constexpr uint32_t kLoseFlowDelayMs = 2000;
constexpr uint32_t kAfterLevelDelayMs = 1000;
constexpr uint32_t kZenWorldOfView = 0;

// Into [0, 2 pi) in one step, however far the angle lies outside; an angle
// that is no number at all, or infinite, stands for no turn.
float NormalisedAngle(float angle) {
  if (!std::isfinite(angle)) return 0.0f;
  angle = std::fmod(angle, kRingAngleFullTurn);
  if (angle < 0) angle += kRingAngleFullTurn;
  return angle < kRingAngleFullTurn ? angle : 0.0f;  // a tiny negative angle rounds up to a full turn
}

}  // namespace

TTowerViewImpl::TTowerViewImpl(TArcadeWindow* playWindow, TGraphicRegistry* registry,
                               GamePlay::TPoint centre, TViewFactory* viewFactory,
                               TBpmFlasher* bpmFlasher, const GamePlay::TLevelSettings& settings)
    : mPlayWindow(playWindow),
      mRegistry(registry),
      mViewFactory(viewFactory),
      mBpmFlasher(bpmFlasher),
      mJugPie(std::make_unique<TJugPie>(TJugPieGraphics::Find(*registry),
                                        TVec2(static_cast<float>(centre.x), static_cast<float>(centre.y)))),
      mWorld(settings.GetWorld()),
      mLevel(settings.GetLevel()),
      mCentre(centre),
      mTutorialLevel(settings.IsTutorial()) {}

TTowerViewImpl::~TTowerViewImpl() = default;

void TTowerViewImpl::SetModel(GamePlay::ITowerModel* model) {
  mModel = model;
  mRingAngles.assign(model->GetRingCount(), 0.0f);
}

void TTowerViewImpl::SetUp(GamePlay::IScoringModel* scoring,
                           GamePlay::IScriptTutorialView* tutorial) {
  mScoring = scoring;
  RereadJugModel();
  mLayer = std::make_unique<TTowerLayer>(mModel, this, mViewFactory, mRegistry);
  mScriptTutorial = tutorial;
}

void TTowerViewImpl::RereadJugModel() {
  if (mScoring) mJugPie->SetJugModel(mScoring->GetPieceJug());
}

uint32_t TTowerViewImpl::GetTopRingIndex() {
  return static_cast<uint32_t>(mRingAngles.size()) - 1;
}

GamePlay::ITowerMeasurementView* TTowerViewImpl::GetMeasurement() {
  return mViewFactory->GetMeasurement();
}

bool TTowerViewImpl::IsRing(int32_t ring) const {
  return ring >= 0 && ring < static_cast<int32_t>(mRingAngles.size());
}

float TTowerViewImpl::GetRingAngle(int32_t ring) { return IsRing(ring) ? mRingAngles[ring] : 0.0f; }

void TTowerViewImpl::SetRingAngle(int32_t ring, float angle) {
  if (IsRing(ring)) mRingAngles[ring] = NormalisedAngle(angle);
}

void TTowerViewImpl::SetRingMark(int32_t ring, int32_t value) {
  if (mLayer) mLayer->SetRingMark(ring, value);
}

void TTowerViewImpl::SetPieceMark(int32_t ring, int32_t slot, int32_t value) {
  if (mLayer) mLayer->SetPieceMark(ring, slot, value);
}

void TTowerViewImpl::ShowNoMoveMessage() {
  mNoMoveShown = true;
  EndWithMessage();
}

void TTowerViewImpl::ShowTimeUpMessage() {
  mTimeUpShown = true;
  EndWithMessage();
}

// The level is lost once: a second message neither sets the lose flow back
// nor records the failure again.
void TTowerViewImpl::EndWithMessage() {
  if (mLoseFlowArmed) return;
  StopAlmostTimeOut();
  TArcadeWindow* playWindow = mPlayWindow;
  const GamePlay::TLevelKey key = GetLevelKey();
  mDelayedAction.Set([playWindow, key] { RunLoseFlow(playWindow, key); }, kLoseFlowDelayMs);
  mLoseFlowArmed = true;
  if (GamePlay::TMetrics* metrics = TGameApp::Instance().GetMetrics()) metrics->AddLevelFailed();
}

void TTowerViewImpl::OnLevelEnd() {
  GamePlay::IScoringModel* scoring = mModel ? mModel->GetScoring() : nullptr;
  if (scoring) scoring->ExplodeAll();
  StopAlmostTimeOut();
  if (mEndLevelAnimation) mEndLevelAnimation->ShowBanner(TakesTutorialSettings());
  mDelayedAction.Set([this] { LeadOnFromTheWonLevel(); }, kAfterLevelDelayMs);
  mLevelEnded = true;
}

void TTowerViewImpl::StopAlmostTimeOut() {
  GamePlay::ISoundFactoryView* sound = mModel ? mModel->GetSoundView() : nullptr;
  if (sound) sound->StopAlmostTimeOut();
}

bool TTowerViewImpl::TakesTutorialSettings() const {
  return GamePlay::HasTutorialSettings(GetLevelKey(), TGameApp::Instance());
}

void TTowerViewImpl::LeadOnFromTheWonLevel() {
  TArcadeWindow* playWindow = mPlayWindow;
  const GamePlay::TLevelKey key = GetLevelKey();
  if (mEndLevelAnimation && key.world != kZenWorldOfView && !TakesTutorialSettings()) {
    mEndLevelAnimation->StartFlash([playWindow, key] { RunWonFlow(playWindow, key); });
  } else {
    RunWonFlow(playWindow, key);
  }
}

void TTowerViewImpl::DrawFirstPass() {
  const TVec2 centre(static_cast<float>(mCentre.x), static_cast<float>(mCentre.y));
  if (mEndLevelAnimation) mEndLevelAnimation->DrawFlash(centre);
  if (mLayer) mLayer->TellPieceViewsTheirCells();
  TPlatform* platform = TPlatform::Instance();
  const bool entered2d = platform && !platform->IsIn2d() && platform->Begin2d();
  mJugPie->Draw(mLevelEnded);
  if (mLayer) {
    mLayer->DrawPieces(mLevelEnded);
    mLayer->DrawEffects();
  }
  // The message banners' first drawing comes with the banners.
  if (entered2d) platform->End2d();
  mDelayedAction.Poll();
}

void TTowerViewImpl::DrawSecondPass() {
  TPlatform* platform = TPlatform::Instance();
  const bool entered2d = platform && !platform->IsIn2d() && platform->Begin2d();
  if (mLayer) mLayer->DrawArrows(mLevelEnded);
  // The message banners' second drawing comes with the banners.
  const TVec2 centre(static_cast<float>(mCentre.x), static_cast<float>(mCentre.y));
  if (mEndLevelAnimation) mEndLevelAnimation->DrawPanel(centre);
  if (entered2d) platform->End2d();
}

void TTowerViewImpl::ResetHighlights() {
  if (mLayer) mLayer->ResetHighlights();
}

void TTowerViewImpl::AddHighlight(int32_t ring, int32_t slot, bool flag) {
  if (mLayer) mLayer->AddHighlight(ring, slot, flag);
}

bool TTowerViewImpl::SetHover(int32_t ring, int32_t slot) {
  GamePlay::TCell target{ring, slot};
  return mLayer ? mLayer->SetArrowTarget(target) : target == GamePlay::TCell{0, 0};
}

void TTowerViewImpl::ShowArrow(const std::vector<GamePlay::TArrow>& arrows) {
  if (mLayer) mLayer->ShowArrows(arrows);
}

GamePlay::TCell TTowerViewImpl::GetHover() {
  return mLayer ? mLayer->GetArrowTarget() : GamePlay::TCell{};
}

void TTowerViewImpl::ShowPowerUpArea(int32_t ring, int32_t slot) {
  if (mLayer) mLayer->ShowPowerUpArea(ring, slot);
}

}  // namespace GUI
