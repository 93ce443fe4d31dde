#pragma once

#include <cstdint>

#include "game/rules/pieces/IPieceExplosion.h"

namespace GamePlay {

class IPiece;
class ITowerModel;

// An explosion that works up the tower from the bottom ring, one ring per
// step, blowing up the pieces it picks: each becomes a disappearing piece
// set off by a colour bomb and pours its energy into the jugs. Pieces on
// their way out, vacant cells and power-up pieces are never picked.
class TRingByRingExplosion : public IPieceExplosion {
 public:
  bool Explode() override;

 protected:
  explicit TRingByRingExplosion(ITowerModel* tower);

  // Called for every cell of the ring being cleared.
  virtual void ClearCell(int32_t ring, int32_t slot, IPiece& piece) = 0;
  // Blows the piece of a cell up, unless the explosion may not pick it.
  void BlowUp(int32_t ring, int32_t slot);

  ITowerModel* mTower;

 private:
  int32_t mRing;  // the next ring to clear; -1 when done
};

// Clears the whole tower; blockers are broken first, so they go too.
class TPieceExplosionRemoveAll final : public TRingByRingExplosion {
 public:
  explicit TPieceExplosionRemoveAll(ITowerModel* tower) : TRingByRingExplosion(tower) {}

 protected:
  void ClearCell(int32_t ring, int32_t slot, IPiece& piece) override;
};

// Clears the pieces of one colour; blockers stay.
class TPieceExplosionRemoveColor final : public TRingByRingExplosion {
 public:
  TPieceExplosionRemoveColor(int32_t colour, ITowerModel* tower)
      : TRingByRingExplosion(tower), mColour(colour) {}

 protected:
  void ClearCell(int32_t ring, int32_t slot, IPiece& piece) override;

 private:
  int32_t mColour;
};

}  // namespace GamePlay
