#pragma once

#include <cstdint>
#include <memory>

#include "game/rules/tower/TPoint.h"
#include "platform/types/TVec2.h"

namespace GamePlay {

// How one piece is drawn. Every piece holds one; the rules tell it the piece's
// cell, the tower view draws through it. Positions are screen pixels, angles
// radians measured clockwise from straight up.
class IPieceView : public std::enable_shared_from_this<IPieceView> {
 public:
  virtual ~IPieceView() = default;

  // The slot's start angle including the ring's current angle.
  virtual float GetAngle() = 0;
  // With lifted set the piece is drawn further out.
  virtual void SetCell(int32_t ring, int32_t slot, bool lifted) = 0;
  virtual TPoint GetCentre() = 0;
  virtual int32_t GetRing() = 0;
  virtual TVec2 GetScreenPos() = 0;
  virtual float GetScaleX() = 0;
  virtual float GetScaleY() = 0;
  virtual void Draw(const TVec2& pos, float alpha, float scaleX, float scaleY, float rotation) = 0;
  virtual void DrawInPlace() = 0;
  // Draws only what the piece carries, at its own place.
  virtual void DrawPowerUpLayer(bool glow) = 0;
  virtual bool IsTransient() = 0;
};

}  // namespace GamePlay
