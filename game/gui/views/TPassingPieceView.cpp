#include "game/gui/views/TPassingPieceView.h"

#include <cmath>
#include <utility>

#include "game/rules/pieces/PieceAs.h"
#include "game/rules/pieces/TFallingPiece.h"
#include "game/rules/pieces/TMovingPiece.h"
#include "game/rules/pieces/TRaisingPiece.h"
#include "game/rules/tower/ITowerMeasurementView.h"
#include "game/rules/tower/ITowerView.h"

namespace GUI {

namespace {

constexpr float kPassingBlendFrom = 0.01f;  // nearer a ring than this stands on it
constexpr float kRisingFirstScale = 0.001f;

}  // namespace

TPassingPieceView::TPassingPieceView(GamePlay::TPieceViewPtr wrapped,
                                     const GamePlay::TPiecePtr& piece,
                                     GamePlay::ITowerView* towerView)
    : mWrapped(std::move(wrapped)),
      mTowerView(towerView),
      mMeasurement(towerView->GetMeasurement()),
      mPiece(piece) {}

TPassingPieceView::TPassage TPassingPieceView::Passage() {
  if (GamePlay::TPiecePtr piece = mPiece.lock()) mLastPassage = ReadPassage(*piece);
  return mLastPassage;
}

template <class PerRing>
auto TPassingPieceView::Blend(const PerRing& perRing) {
  const float ring = Passage().ring;
  const float first = std::floor(ring);
  const float along = ring - first;
  const auto start = perRing(static_cast<int32_t>(first));
  if (along <= kPassingBlendFrom) return start;
  return (1.0f - along) * start + along * perRing(static_cast<int32_t>(first) + 1);
}

int32_t TPassingPieceView::GetRing() { return static_cast<int32_t>(std::floor(Passage().ring)); }

float TPassingPieceView::GetAngle() {
  return static_cast<float>(mSlot) * mMeasurement->GetPieceAngle() +
         mTowerView->GetRingAngle(GetRing());
}

GamePlay::TPoint TPassingPieceView::GetCentre() { return mTowerView->GetCentre(); }

// On the ring's circle at the middle of the slot, the slot being where the
// ring the piece has passed stands now.
TVec2 TPassingPieceView::PointOnRing(int32_t ring) {
  const float angle = GetAngle() + mMeasurement->GetPieceAngle() * 0.5f;
  const float radius = mMeasurement->GetRingRadius(ring);
  const GamePlay::TPoint centre = mTowerView->GetCentre();
  return {static_cast<float>(centre.x) + radius * std::sin(angle),
          static_cast<float>(centre.y) - radius * std::cos(angle)};
}

TVec2 TPassingPieceView::GetScreenPos() {
  return Blend([this](int32_t ring) { return PointOnRing(ring); });
}

float TPassingPieceView::Scale(float (GamePlay::ITowerMeasurementView::*perRing)(int32_t)) {
  const float scale =
      Blend([this, perRing](int32_t ring) { return (mMeasurement->*perRing)(ring); });
  const float growth = Passage().growth;
  return growth < 1.0f ? (1.0f - growth) * kRisingFirstScale + growth * scale : scale;
}

float TPassingPieceView::GetScaleX() {
  return Scale(&GamePlay::ITowerMeasurementView::GetRingScaleX);
}

float TPassingPieceView::GetScaleY() {
  return Scale(&GamePlay::ITowerMeasurementView::GetRingScaleY);
}

void TPassingPieceView::Draw(const TVec2& pos, float alpha, float scaleX, float scaleY,
                             float rotation) {
  if (mWrapped) mWrapped->Draw(pos, alpha, scaleX, scaleY, rotation);
}

void TPassingPieceView::DrawInPlace() {
  Draw(GetScreenPos(), 1.0f, GetScaleX(), GetScaleY(),
       GetAngle() + mMeasurement->GetPieceAngle() * 0.5f);
}

TPassingPieceView::TPassage TFallingPieceView::ReadPassage(GamePlay::IPiece& piece) {
  auto* falling = GamePlay::PieceAs<GamePlay::TFallingPiece>(&piece);
  return falling ? TPassage{falling->GetFallOffset(), 1.0f} : TPassage{};
}

TPassingPieceView::TPassage TMovingPieceView::ReadPassage(GamePlay::IPiece& piece) {
  auto* moving = GamePlay::PieceAs<GamePlay::TMovingPiece>(&piece);
  return moving ? TPassage{moving->GetPosition(), 1.0f} : TPassage{};
}

TPassingPieceView::TPassage TRaisingPieceView::ReadPassage(GamePlay::IPiece& piece) {
  auto* raising = GamePlay::PieceAs<GamePlay::TRaisingPiece>(&piece);
  if (!raising) return {};
  return {static_cast<float>(raising->GetTargetRing()), raising->GetRaiseOffset()};
}

}  // namespace GUI
