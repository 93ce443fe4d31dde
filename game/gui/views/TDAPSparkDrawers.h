#pragma once

#include "game/gui/views/TDAPDrawerContext.h"
#include "game/gui/views/TDAPViewDrawerBased.h"

namespace GUI {

// A matched piece's spark flies to the piece the match gathers on (the
// target), on to the rim of the jugs at the tower's centre, and a filling
// plays there. The target's spark, reaching the jug, tells the tower and
// sounds the jug of its colour, once.
class TDAPViewDrawerStandard final : public TDAPViewDrawerBased {
 public:
  TDAPViewDrawerStandard(const TDAPDrawerContext& context, TViewGraphics::Graphic spark);

  uint32_t GetDuration() const override { return 440; }

 private:
  void FlyToTarget(GamePlay::TDisappearingPiece& piece, float u, const TVec2& pos, float alpha,
                   float scaleX, float scaleY, float rotation);
  void HoldAtTarget(GamePlay::TDisappearingPiece& piece, float u, const TVec2& pos, float alpha,
                    float scaleX, float scaleY, float rotation);
  void FlyToRim(GamePlay::TDisappearingPiece& piece, float u, const TVec2& pos, float alpha,
                float scaleX, float scaleY, float rotation);
  void FillJug(GamePlay::TDisappearingPiece& piece, float u, const TVec2& pos, float alpha,
               float scaleX, float scaleY, float rotation);
  // The spark drawn smaller the nearer the centre it is than the piece.
  void DrawSpark(const TVec2& at, const TVec2& pos, float alpha, float scaleX, float rotation);
  // Where the spark leaves the target for the rim, and the rim point.
  TVec2 MeetingPoint(GamePlay::TDisappearingPiece& piece, const TVec2& pos);
  TVec2 RimPoint(const TVec2& pos);

  TViewGraphics::Graphic mFilling;
  GamePlay::ITowerModel* mTower;
  IVanishingSounds* mSounds;
  bool mJugTold = false;
};

// A matched piece whose spark a blocker in ring b stops: it flies to the
// ring's rim, marking the blocker's cell, and bounces off outward to one
// side, fading, with one "Blocker Blocked".
class TDAPViewDrawerBounding final : public TDAPViewDrawerBased {
 public:
  TDAPViewDrawerBounding(const TDAPDrawerContext& context, TViewGraphics::Graphic spark,
                         int32_t blockingRing);

  uint32_t GetDuration() const override { return 300; }

 private:
  void FlyToMeeting(GamePlay::TDisappearingPiece& piece, float u, const TVec2& pos, float alpha,
                    float scaleX, float scaleY, float rotation);
  void FlyToRim(GamePlay::TDisappearingPiece& piece, float u, const TVec2& pos, float alpha,
                float scaleX, float scaleY, float rotation);
  void Bounce(GamePlay::TDisappearingPiece& piece, float u, const TVec2& pos, float alpha,
              float scaleX, float scaleY, float rotation);
  void MarkBlocker(int32_t value);
  TVec2 RimPoint(const TVec2& pos);

  int32_t mBlockingRing;
  float mRadius;
  IVanishingSounds* mSounds;
  bool mSoundDue = true;
};

// A piece with nowhere to go: its spark plays in place.
class TDAPViewDrawerNoTarget final : public TDAPViewDrawerBased {
 public:
  TDAPViewDrawerNoTarget(const TDAPDrawerContext& context, TViewGraphics::Graphic spark);

  uint32_t GetDuration() const override { return 250; }

 private:
  void PlayInPlace(GamePlay::TDisappearingPiece& piece, float u, const TVec2& pos, float alpha,
                   float scaleX, float scaleY, float rotation);
};

}  // namespace GUI
