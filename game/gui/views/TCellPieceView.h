#pragma once

#include <memory>

#include "game/gui/play/TCellLocator.h"
#include "game/rules/pieces/IPieceView.h"
#include "game/rules/pieces/TPiecePtr.h"

namespace GamePlay {
class ITowerView;
}

namespace GUI {

// A piece view that stands at the cell the rules gave it: it knows the
// cell's angle, place and scales, and draws itself there in place. The
// piece is held weakly: it owns its view, and a view kept by a mark or a
// wrapping view may outlive it, then drawing what needs no piece.
class TCellPieceView : public GamePlay::IPieceView {
 public:
  float GetAngle() override { return mPlace.GetStartAngle(); }
  void SetCell(int32_t ring, int32_t slot, bool lifted) override { mPlace.Set(ring, slot, lifted); }
  GamePlay::TPoint GetCentre() override { return mPlace.GetCentre(); }
  int32_t GetRing() override { return mPlace.GetRing(); }
  TVec2 GetScreenPos() override { return mPlace.GetPosition(); }
  float GetScaleX() override { return mPlace.GetScaleX(); }
  float GetScaleY() override { return mPlace.GetScaleY(); }
  void DrawInPlace() override;
  void DrawPowerUpLayer(bool) override {}
  bool IsTransient() override { return false; }

 protected:
  // towerView is not null and outlives the view.
  TCellPieceView(const GamePlay::TPiecePtr& piece, GamePlay::ITowerView* towerView)
      : mPlace(towerView, false), mTowerView(towerView), mPiece(piece) {}

  GamePlay::ITowerView* TowerView() const { return mTowerView; }
  // The rotation of a piece drawn in place: the middle of its slot.
  float CentreAngle() const { return mPlace.GetCentreAngle(); }
  // Null once the rules have let go of the piece.
  GamePlay::TPiecePtr Piece() const { return mPiece.lock(); }

 private:
  TCellLocator mPlace;
  GamePlay::ITowerView* mTowerView;
  std::weak_ptr<GamePlay::IPiece> mPiece;
};

}  // namespace GUI
