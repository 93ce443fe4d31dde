#include "game/gui/views/TDAPSparkDrawers.h"

#include <array>

#include "game/gui/views/IVanishingSounds.h"
#include "game/gui/views/VanishingGeometry.h"
#include "game/rules/pieces/IPieceView.h"
#include "game/rules/pieces/TDisappearingPiece.h"
#include "game/rules/tower/ITowerMeasurementView.h"
#include "game/rules/tower/ITowerModel.h"
#include "game/rules/tower/ITowerView.h"

namespace GUI {

namespace {

// How far along the way from the target to the rim the spark meets it.
constexpr float kSparkMeetingShare = 0.3f;
constexpr float kBounceDistance = 200.0f;
// The side a bounce goes to, by ring: one of three, so that neighbouring
// rings' sparks part.
constexpr std::array<float, 3> kBounceTurns = {-0.5235988f, 0.0f, 0.5235988f};
constexpr int32_t kBlockerMarked = 3;
constexpr int32_t kBlockerUnmarked = 0;

// Where the piece's spark gathers: at its target's place, or its own.
TVec2 TargetPoint(GamePlay::TDisappearingPiece& piece, const TVec2& pos) {
  const GamePlay::TPiecePtr target = piece.GetTargetPiece();
  const GamePlay::TPieceViewPtr view = target ? target->GetView() : nullptr;
  return view ? view->GetScreenPos() : pos;
}

TVec2 Centre(GamePlay::ITowerView& towerView) { return ToVec2(towerView.GetCentre()); }

// The point at a radius from the centre on the way out to the piece.
TVec2 PointAtRadius(const TVec2& centre, const TVec2& pos, float radius) {
  return centre + Direction(centre, pos) * radius;
}

TVec2 MeetingPointOf(const TVec2& target, const TVec2& rim) {
  return target + (rim - target) * kSparkMeetingShare;
}

}  // namespace

TDAPViewDrawerStandard::TDAPViewDrawerStandard(const TDAPDrawerContext& context,
                                               TViewGraphics::Graphic spark)
    : TDAPViewDrawerBased(context.towerView, std::move(spark)),
      mFilling(context.pictures.filling),
      mTower(context.tower),
      mSounds(context.sounds) {
  AddPhase<TDAPViewDrawerStandard>(0.39f, &TDAPViewDrawerStandard::FlyToTarget);
  AddPhase<TDAPViewDrawerStandard>(0.01f, &TDAPViewDrawerStandard::HoldAtTarget);
  AddPhase<TDAPViewDrawerStandard>(0.3f, &TDAPViewDrawerStandard::FlyToRim);
  AddPhase<TDAPViewDrawerStandard>(0.3f, &TDAPViewDrawerStandard::FillJug);
}

TVec2 TDAPViewDrawerStandard::RimPoint(const TVec2& pos) {
  return PointAtRadius(Centre(*TowerView()), pos, TowerView()->GetJugFill(Slot()));
}

TVec2 TDAPViewDrawerStandard::MeetingPoint(GamePlay::TDisappearingPiece& piece,
                                           const TVec2& pos) {
  return MeetingPointOf(TargetPoint(piece, pos), RimPoint(pos));
}

void TDAPViewDrawerStandard::DrawSpark(const TVec2& at, const TVec2& pos, float alpha,
                                       float scaleX, float rotation) {
  const float scale = scaleX * DistanceScale(at, pos, Centre(*TowerView()));
  Graphic()->Draw(at, alpha, scale, rotation);
}

void TDAPViewDrawerStandard::FlyToTarget(GamePlay::TDisappearingPiece& piece, float u,
                                         const TVec2& pos, float alpha, float scaleX, float,
                                         float rotation) {
  if (!Graphic()) return;
  ShowFrameOfProgress(*Graphic(), u);
  DrawSpark(Lerp(1.0f - u, pos, MeetingPoint(piece, pos)), pos, alpha, scaleX, rotation);
}

void TDAPViewDrawerStandard::HoldAtTarget(GamePlay::TDisappearingPiece& piece, float,
                                          const TVec2& pos, float alpha, float scaleX, float,
                                          float rotation) {
  if (!Graphic()) return;
  ShowLastFrame(*Graphic());
  DrawSpark(MeetingPoint(piece, pos), pos, alpha, scaleX, rotation);
}

void TDAPViewDrawerStandard::FlyToRim(GamePlay::TDisappearingPiece& piece, float u,
                                      const TVec2& pos, float alpha, float scaleX, float,
                                      float rotation) {
  if (!Graphic()) return;
  ShowLastFrame(*Graphic());
  const TVec2 at = Lerp(1.0f - u, MeetingPoint(piece, pos), RimPoint(pos));
  DrawSpark(at, pos, alpha, scaleX, rotation);
}

// Only the piece the match gathers on tells the tower: the others' sparks
// fill the same jug.
void TDAPViewDrawerStandard::FillJug(GamePlay::TDisappearingPiece& piece, float u,
                                     const TVec2& pos, float alpha, float, float,
                                     float rotation) {
  if (!mJugTold) {
    const GamePlay::TPiecePtr target = piece.GetTargetPiece();
    if (target && target.get() == &piece) {
      if (mTower) mTower->FireReaction(target);
      mSounds->PlayJugFill(piece.GetColour());
      mJugTold = true;
    }
  }
  if (!mFilling) return;
  ShowFrameOfProgress(*mFilling, u);
  mFilling->Draw(RimPoint(pos), alpha, 1.0f, rotation);
}

TDAPViewDrawerBounding::TDAPViewDrawerBounding(const TDAPDrawerContext& context,
                                               TViewGraphics::Graphic spark,
                                               int32_t blockingRing)
    : TDAPViewDrawerBased(context.towerView, std::move(spark)),
      mBlockingRing(blockingRing),
      mRadius(context.towerView->GetMeasurement()->GetRadius(blockingRing)),
      mSounds(context.sounds) {
  AddPhase<TDAPViewDrawerBounding>(0.5f, &TDAPViewDrawerBounding::FlyToMeeting);
  AddPhase<TDAPViewDrawerBounding>(0.2f, &TDAPViewDrawerBounding::FlyToRim);
  AddPhase<TDAPViewDrawerBounding>(0.3f, &TDAPViewDrawerBounding::Bounce);
}

TVec2 TDAPViewDrawerBounding::RimPoint(const TVec2& pos) {
  return PointAtRadius(Centre(*TowerView()), pos, mRadius);
}

void TDAPViewDrawerBounding::MarkBlocker(int32_t value) {
  TowerView()->SetPieceMark(mBlockingRing, Slot(), value);
}

void TDAPViewDrawerBounding::FlyToMeeting(GamePlay::TDisappearingPiece& piece, float u,
                                          const TVec2& pos, float alpha, float scaleX,
                                          float scaleY, float rotation) {
  MarkBlocker(kBlockerMarked);
  if (!Graphic()) return;
  ShowFrameOfProgress(*Graphic(), u);
  const TVec2 meeting = MeetingPointOf(TargetPoint(piece, pos), RimPoint(pos));
  Graphic()->DrawScaled(Lerp(1.0f - u, pos, meeting), alpha, scaleX, scaleY, rotation);
}

void TDAPViewDrawerBounding::FlyToRim(GamePlay::TDisappearingPiece& piece, float u,
                                      const TVec2& pos, float alpha, float scaleX, float scaleY,
                                      float rotation) {
  MarkBlocker(kBlockerMarked);
  if (!Graphic()) return;
  ShowLastFrame(*Graphic());
  const TVec2 rim = RimPoint(pos);
  const TVec2 meeting = MeetingPointOf(TargetPoint(piece, pos), rim);
  Graphic()->DrawScaled(Lerp(1.0f - u, meeting, rim), alpha, scaleX, scaleY, rotation);
}

void TDAPViewDrawerBounding::Bounce(GamePlay::TDisappearingPiece&, float u, const TVec2& pos,
                                    float, float scaleX, float scaleY, float rotation) {
  MarkBlocker(kBlockerUnmarked);
  if (mSoundDue) {
    mSounds->PlayBlockerBlocked();
    mSoundDue = false;
  }
  if (!Graphic()) return;
  ShowLastFrame(*Graphic());
  const TVec2 rim = RimPoint(pos);
  const float turn = kBounceTurns[static_cast<size_t>((Ring() % 3 + 3) % 3)];
  const TVec2 away = rim + Turned(Direction(Centre(*TowerView()), pos), turn) * kBounceDistance;
  Graphic()->DrawScaled(Lerp(1.0f - u, rim, away), u, scaleX, scaleY, rotation);
}

TDAPViewDrawerNoTarget::TDAPViewDrawerNoTarget(const TDAPDrawerContext& context,
                                               TViewGraphics::Graphic spark)
    : TDAPViewDrawerBased(context.towerView, std::move(spark)) {
  AddPhase<TDAPViewDrawerNoTarget>(1.0f, &TDAPViewDrawerNoTarget::PlayInPlace);
}

void TDAPViewDrawerNoTarget::PlayInPlace(GamePlay::TDisappearingPiece&, float u,
                                         const TVec2& pos, float alpha, float scaleX,
                                         float scaleY, float rotation) {
  if (!Graphic()) return;
  ShowFrameOfProgress(*Graphic(), u);
  Graphic()->DrawScaled(pos, alpha, scaleX, scaleY, rotation);
}

}  // namespace GUI
