#pragma once

#include <memory>

#include "game/rules/pieces/IPieceView.h"
#include "game/rules/pieces/TPiecePtr.h"

namespace GamePlay {
class ITowerMeasurementView;
class ITowerView;
}  // namespace GamePlay

namespace GUI {

// A piece on its way between rings (falling, pushed by a delivery, rising
// into the tower), drawn by the view of the piece it carries. Only its slot
// is its own: its ring comes from how far the piece has gone. Between two
// rings it slides along its column from the one to the other, blending
// place and scale; a rising piece grows from almost nothing at its ring.
class TPassingPieceView : public GamePlay::IPieceView {
 public:
  // wrapped: the carried piece's view (may be empty); towerView is not null
  // and outlives the view.
  TPassingPieceView(GamePlay::TPieceViewPtr wrapped, const GamePlay::TPiecePtr& piece,
                    GamePlay::ITowerView* towerView);

  float GetAngle() override;
  // Keeps the slot; the ring is the piece's, and a piece in passage is
  // never lifted.
  void SetCell(int32_t, int32_t slot, bool) override { mSlot = slot; }
  GamePlay::TPoint GetCentre() override;
  int32_t GetRing() override;
  TVec2 GetScreenPos() override;
  float GetScaleX() override;
  float GetScaleY() override;
  void Draw(const TVec2& pos, float alpha, float scaleX, float scaleY, float rotation) override;
  void DrawInPlace() override;
  void DrawPowerUpLayer(bool) override {}
  bool IsTransient() override { return false; }

 protected:
  // How far the piece has gone: the fractional ring it stands at, and how
  // far grown it is (1 fully).
  struct TPassage {
    float ring = 0;
    float growth = 1;
  };

  // The passage of the piece, which is of the view's own kind.
  virtual TPassage ReadPassage(GamePlay::IPiece& piece) = 0;

 private:
  // The piece's passage as last seen; a piece already gone stays where it
  // was last seen.
  TPassage Passage();
  // The blend of what a ring and the one after it give, by how far the
  // piece has gone from the one towards the other.
  template <class PerRing>
  auto Blend(const PerRing& perRing);
  TVec2 PointOnRing(int32_t ring);
  float Scale(float (GamePlay::ITowerMeasurementView::*perRing)(int32_t));

  GamePlay::TPieceViewPtr mWrapped;
  GamePlay::ITowerView* mTowerView;
  GamePlay::ITowerMeasurementView* mMeasurement;
  std::weak_ptr<GamePlay::IPiece> mPiece;
  int32_t mSlot = 0;
  TPassage mLastPassage;
};

class TFallingPieceView final : public TPassingPieceView {
 public:
  using TPassingPieceView::TPassingPieceView;

 private:
  TPassage ReadPassage(GamePlay::IPiece& piece) override;
};

class TMovingPieceView final : public TPassingPieceView {
 public:
  using TPassingPieceView::TPassingPieceView;

 private:
  TPassage ReadPassage(GamePlay::IPiece& piece) override;
};

class TRaisingPieceView final : public TPassingPieceView {
 public:
  using TPassingPieceView::TPassingPieceView;

 private:
  TPassage ReadPassage(GamePlay::IPiece& piece) override;
};

}  // namespace GUI
