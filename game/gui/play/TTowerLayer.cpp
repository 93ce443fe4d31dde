#include "game/gui/play/TTowerLayer.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "game/gui/effects/IEffect.h"
#include "game/gui/effects/IGraphic.h"
#include "game/gui/effects/TGraphicRegistry.h"
#include "game/gui/play/TCellLocator.h"
#include "game/gui/views/TViewFactory.h"
#include "game/rules/pieces/IPiece.h"
#include "game/rules/pieces/IPieceView.h"
#include "game/rules/powerups/IPowerUp.h"
#include "game/rules/powerups/TBigAreaBombPowerUp.h"
#include "game/rules/tower/ITowerModel.h"

namespace GUI {

namespace {

constexpr uint32_t kPulsePeriodMs = 2000;
constexpr float kPulseHalfPeriodMs = 1000.0f;
constexpr int32_t kGlowBlendMode = 2;
constexpr int32_t kHighlightMark = 2;
constexpr int32_t kAlertMark = 3;
const GamePlay::TCell kFirstBigAreaBomb{-1, -1};
const GamePlay::TCell kNoArrowTarget{0, 0};

// Glows fade out and back in over two seconds of the clock.
float Pulse(const TClock& clock) {
  const float phase = static_cast<float>(clock.GetTime() % kPulsePeriodMs) / kPulseHalfPeriodMs;
  return std::clamp(std::fabs(1.0f - phase), 0.0f, 1.0f);
}

bool IsVoidPiece(const GamePlay::TPiecePtr& piece) { return piece && piece->IsVoid(); }

}  // namespace

TTowerLayer::TTowerLayer(GamePlay::ITowerModel* model, GamePlay::ITowerView* view, TViewFactory* viewFactory,
                         TGraphicRegistry* registry)
    : mModel(model),
      mView(view),
      mViewFactory(viewFactory),
      mMarks(model->GetRingCount(), std::vector<int32_t>(model->GetSlotCount(), 0)) {
  if (registry) {
    mPredictedGlow = registry->GetGraphic("sprites/jugs/piece-fill-highlight");
    mHighlightGlow = registry->GetGraphic("sprites/tutorials/piece-highlight");
    mArrow = registry->GetGraphic("sprites/tutorials/arrow-%d");
  }
  mPulseClock.Start();
}

TTowerLayer::~TTowerLayer() = default;

bool TTowerLayer::IsCell(int32_t ring, int32_t slot) const {
  return ring >= 0 && ring < static_cast<int32_t>(mMarks.size()) && slot >= 0 &&
         slot < static_cast<int32_t>(mMarks[ring].size());
}

void TTowerLayer::SetRingMark(int32_t ring, int32_t value) {
  if (IsCell(ring, 0)) mMarks[ring].assign(mMarks[ring].size(), value);
}

void TTowerLayer::SetPieceMark(int32_t ring, int32_t slot, int32_t value) {
  if (IsCell(ring, slot)) mMarks[ring][slot] = value;
}

int32_t TTowerLayer::GetMark(int32_t ring, int32_t slot) const {
  return IsCell(ring, slot) ? mMarks[ring][slot] : 0;
}

bool TTowerLayer::SetArrowTarget(const GamePlay::TCell& target) {
  mArrowTarget = target;
  bool none = target == GamePlay::TCell{0, 0};
  if (none) mArrowsShown = false;
  return none;
}

void TTowerLayer::ShowArrows(const std::vector<GamePlay::TArrow>& arrows) {
  mArrowsShown = true;
  mArrows = arrows;
}

void TTowerLayer::ShowPowerUpArea(int32_t ring, int32_t slot) {
  if (!IsCell(ring, slot)) return;
  GamePlay::TPiecePtr piece = mModel->GetPiece(ring, slot);
  GamePlay::TPowerUpPtr powerUp = piece ? piece->GetPowerUp() : nullptr;
  if (!powerUp) return;
  std::vector<GamePlay::TCell> area = powerUp->GetArea(ring, slot, mModel);
  if (area.empty()) return;
  mPreviewPiece = piece;
  mPreviewSet = std::set<GamePlay::TCell>(area.begin(), area.end());
  mPreviewClock.Reset();
  mPreviewClock.Start();
}

void TTowerLayer::EndPreview() {
  mPreviewClock.Reset();
  mPreviewSet.clear();
  mPreviewPiece.reset();
  mPreviewShown = false;
}

std::optional<GamePlay::TCell> TTowerLayer::FindPreviewPiece() const {
  for (int32_t ring = static_cast<int32_t>(mMarks.size()) - 1; ring >= 0; --ring) {
    for (int32_t slot = 0; slot < static_cast<int32_t>(mMarks[ring].size()); ++slot) {
      if (mModel->GetPiece(ring, slot) == mPreviewPiece) return GamePlay::TCell{ring, slot};
    }
  }
  return std::nullopt;
}

void TTowerLayer::RefreshPreview() {
  mPreviewShown = false;
  if (!mPreviewPiece) return;
  if (mPreviewClock.GetTime() > kPreviewMs) {
    EndPreview();
    return;
  }
  const std::optional<GamePlay::TCell> cell = FindPreviewPiece();
  if (!cell || mView->GetRingAngle(cell->ring) != 0.0f) return;
  GamePlay::TPowerUpPtr powerUp = mPreviewPiece->GetPowerUp();
  if (!powerUp) return;
  std::vector<GamePlay::TCell> area = powerUp->GetArea(cell->ring, cell->slot, mModel);
  mPreviewSet = std::set<GamePlay::TCell>(area.begin(), area.end());
  mPreviewShown = true;
}

void TTowerLayer::TellPieceViewsTheirCells() {
  for (int32_t ring = 0; ring < static_cast<int32_t>(mMarks.size()); ++ring) {
    for (int32_t slot = 0; slot < static_cast<int32_t>(mMarks[ring].size()); ++slot) {
      GamePlay::TPiecePtr piece = mModel->GetPiece(ring, slot);
      GamePlay::TPieceViewPtr view = piece ? piece->GetView() : nullptr;
      if (view) view->SetCell(ring, slot, false);
    }
  }
}

}  // namespace GUI

namespace GUI {

std::map<int32_t, int32_t> TTowerLayer::RingSteps() const {
  std::map<int32_t, int32_t> steps;
  for (int32_t ring = 0; ring < RingCount(); ++ring) {
    const float angle = mView->GetRingAngle(ring);
    if (angle == 0.0f || SlotCount(ring) == 0) continue;
    const float slotAngle = GamePlay::kFullTurn / static_cast<float>(SlotCount(ring));
    int32_t whole = static_cast<int32_t>(angle / slotAngle);
    if (angle - static_cast<float>(whole) * slotAngle > slotAngle / 2) whole = (whole + 1) % SlotCount(ring);
    steps[ring] = whole;
  }
  return steps;
}

// The look-ahead is worked out again only when the turns change.
void TTowerLayer::UpdatePrediction() {
  std::map<int32_t, int32_t> steps = RingSteps();
  if (mPredictedSteps && *mPredictedSteps == steps) return;
  mPrediction = mModel->PredictMatches(steps);
  mPredictedSteps = std::move(steps);
}

void TTowerLayer::DrawPieces(bool levelEnded) {
  for (int32_t ring = RingCount() - 1; ring >= 0; --ring) {
    for (int32_t slot = 0; slot < SlotCount(ring); ++slot) {
      GamePlay::TPiecePtr piece = mModel->GetPiece(ring, slot);
      GamePlay::TPieceViewPtr view = piece ? piece->GetView() : nullptr;
      if (view && !view->IsTransient()) view->DrawInPlace();
    }
  }
  RefreshPreview();
  UpdatePrediction();
  DrawOverlays(levelEnded);
  DrawMarks();
}

void TTowerLayer::DrawOverCell(IGraphic& graphic, const GamePlay::TCell& cell, float alpha) const {
  TCellLocator place(mView, false);
  place.Set(cell.ring, cell.slot, false);
  graphic.DrawScaled(place.GetPosition(), alpha, place.GetScaleX(), place.GetScaleY(), place.GetCentreAngle());
}

bool TTowerLayer::IsHighlighted(int32_t ring, int32_t slot) const {
  return mHighlights.contains({ring, slot, false}) || mHighlights.contains({ring, slot, true});
}

void TTowerLayer::DrawOverlays(bool levelEnded) {
  if (mPredictedGlow) mPredictedGlow->SetBlendMode(kGlowBlendMode);
  if (mHighlightGlow) mHighlightGlow->SetBlendMode(kGlowBlendMode);
  const float predictedAlpha = Pulse(mPulseClock);
  const float previewAlpha = Pulse(mPreviewClock);
  for (int32_t ring = RingCount() - 1; ring >= 0; --ring) {
    for (int32_t slot = 0; slot < SlotCount(ring); ++slot) {
      const GamePlay::TCell cell{ring, slot};
      const bool matchable = !IsVoidPiece(mModel->GetPiece(ring, slot));
      if (matchable && mPredictedGlow && mPrediction.contains(cell)) DrawOverCell(*mPredictedGlow, cell, predictedAlpha);
      if (matchable && mHighlightGlow && mPreviewShown && mPreviewSet.contains(cell)) {
        DrawOverCell(*mHighlightGlow, cell, previewAlpha);
      }
      if (!levelEnded && mHighlightGlow && IsHighlighted(ring, slot)) DrawOverCell(*mHighlightGlow, cell, 1.0f);
    }
  }
  if (levelEnded || !mHighlightGlow || !IsHighlighted(kFirstBigAreaBomb.ring, kFirstBigAreaBomb.slot)) return;
  if (std::optional<GamePlay::TCell> bomb = FindBigAreaBomb()) DrawOverCell(*mHighlightGlow, *bomb, 1.0f);
}

// A marked piece shows the mark view the factory makes for it, then its own
// power-up glowing over it.
void TTowerLayer::DrawMarks() {
  if (!mViewFactory) return;
  for (int32_t ring = RingCount() - 1; ring >= 0; --ring) {
    for (int32_t slot = 0; slot < SlotCount(ring); ++slot) {
      const int32_t mark = mMarks[ring][slot];
      GamePlay::TPiecePtr piece = mModel->GetPiece(ring, slot);
      if (mark == 0 || !piece || piece->IsVoid()) continue;
      GamePlay::TPieceViewPtr markView = mark == kHighlightMark || mark == kAlertMark
                                             ? mViewFactory->CreateHighlightView(piece, mark == kAlertMark)
                                             : mViewFactory->CreateGrowView(piece);
      if (markView) {
        markView->SetCell(ring, slot, false);
        markView->DrawInPlace();
      }
      if (GamePlay::TPieceViewPtr own = piece->GetView()) own->DrawPowerUpLayer(true);
    }
  }
}

void TTowerLayer::KeepEffect(std::unique_ptr<IEffect> effect) {
  if (effect && effect->IsAlive()) mEffects.push_back(std::move(effect));
}

void TTowerLayer::DrawEffects() {
  std::erase_if(mEffects, [](const std::unique_ptr<IEffect>& effect) { return effect->IsFinished(); });
  if (mViewFactory) {
    for (int32_t ring = 0; ring < RingCount(); ++ring) {
      for (int32_t slot = 0; slot < SlotCount(ring); ++slot) {
        GamePlay::TPiecePtr piece = mModel->GetPiece(ring, slot);
        if (piece) KeepEffect(mViewFactory->CreateExplosionEffect(ring, slot, piece));
      }
    }
    std::vector<std::unique_ptr<IEffect>> bursts;
    mViewFactory->CreateBreakEffects(bursts, *mModel);
    for (std::unique_ptr<IEffect>& burst : bursts) KeepEffect(std::move(burst));
  }
  for (const std::unique_ptr<IEffect>& effect : mEffects) effect->Draw();
}

std::optional<GamePlay::TCell> TTowerLayer::FindBigAreaBomb() const {
  for (int32_t ring = 0; ring < RingCount(); ++ring) {
    for (int32_t slot = 0; slot < SlotCount(ring); ++slot) {
      GamePlay::TPiecePtr piece = mModel->GetPiece(ring, slot);
      GamePlay::TPowerUpPtr powerUp = piece ? piece->GetPowerUp() : nullptr;
      if (dynamic_cast<GamePlay::TBigAreaBombPowerUp*>(powerUp.get())) return GamePlay::TCell{ring, slot};
    }
  }
  return std::nullopt;
}

std::optional<GamePlay::TCell> TTowerLayer::FindArrowTarget() const {
  if (mArrowTarget == kNoArrowTarget) return std::nullopt;
  if (mArrowTarget == kFirstBigAreaBomb) return FindBigAreaBomb();
  for (int32_t ring = 0; ring < RingCount(); ++ring) {
    for (int32_t slot = 0; slot < SlotCount(ring); ++slot) {
      GamePlay::TPiecePtr piece = mModel->GetPiece(ring, slot);
      if (!piece) continue;
      const GamePlay::TIntPair identity = piece->GetOffset();
      if (identity.first == mArrowTarget.ring && identity.second == mArrowTarget.slot) {
        return GamePlay::TCell{ring, slot};
      }
    }
  }
  return std::nullopt;
}

void TTowerLayer::DrawArrows(bool levelEnded) {
  if (levelEnded || !mArrow) return;
  if (mArrowsShown) {
    for (const GamePlay::TArrow& arrow : mArrows) {
      const TVec2 point(static_cast<float>(arrow.point.x), static_cast<float>(arrow.point.y));
      mArrow->Draw(point, 1.0f, 1.0f, arrow.angle * GamePlay::kFullTurn / 360.0f);
    }
    return;
  }
  const std::optional<GamePlay::TCell> cell = FindArrowTarget();
  if (!cell) return;
  TCellLocator place(mView, false);
  place.Set(cell->ring, cell->slot, false);
  mArrow->Draw(place.GetPosition(), 1.0f, 1.0f, place.GetCentreAngle());
}

}  // namespace GUI
