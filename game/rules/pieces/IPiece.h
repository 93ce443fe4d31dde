#pragma once

#include <cstdint>
#include <memory>

#include "game/rules/pieces/TPiecePtr.h"

namespace GamePlay {

class IPieceFactory;

// The six piece colours are 0 to 5; other values mean no colour or a kind.
inline bool IsPieceColour(int32_t colour) { return colour >= 0 && colour <= 5; }
class ITowerModel;

// What a cell of the tower holds. Plain pieces carry a colour and maybe a
// power-up; the passing states of play (blocked, counting down, disappearing,
// falling, moving, raising) wrap an inner piece and answer for it. A piece can
// hand out a shared pointer to itself.
class IPiece : public std::enable_shared_from_this<IPiece> {
 public:
  static constexpr int32_t kNoColour = -1;

  virtual ~IPiece() = default;

  virtual void SetView(TPieceViewPtr view) = 0;
  virtual TPieceViewPtr GetView() = 0;
  // The wrapped piece of a decorator; the piece itself otherwise.
  virtual TPiecePtr GetInner() = 0;
  // The cell counts as vacant: it stops a run and takes no hover mark.
  virtual bool IsVoid() = 0;
  virtual bool Matches(IPiece& other) = 0;
  // Set by the scoring model: (-1, -1) when a jug took the piece, (-1, ring)
  // when a blocker in that ring stopped it.
  virtual void SetJugMark(TIntPair mark) = 0;
  virtual TIntPair GetJugMark() = 0;
  // The tower removed the piece: it sets off the power-up it carries.
  virtual void OnRemoved(int32_t ring, int32_t slot, ITowerModel* tower) = 0;
  // 0 to 5, or kNoColour.
  virtual int32_t GetColour() = 0;
  virtual bool IsSettled() = 0;
  virtual bool IsTriggered() = 0;
  virtual TPowerUpPtr GetPowerUp() = 0;
  // Sets the carried power-up; an empty pointer clears it.
  virtual void ClearPowerUp(TPowerUpPtr powerUp) = 0;
  virtual void ChangeColour(int32_t colour, IPieceFactory* factory) = 0;
  // A drawing offset kept for the views.
  virtual TIntPair GetOffset() = 0;
  virtual void SetOffset(int32_t a, int32_t b) = 0;
};

}  // namespace GamePlay
