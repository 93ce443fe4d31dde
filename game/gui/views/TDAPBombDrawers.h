#pragma once

#include "game/gui/views/TDAPDrawerContext.h"
#include "game/gui/views/TDAPViewDrawerBased.h"

namespace GUI {

// A piece that held a big area bomb: the piece shows a moment, unless the
// bomb is of the big size, and then the blast of its colour plays at three
// times its size.
class TDAPViewDrawerWithAreaBomb : public TDAPViewDrawerBased {
 public:
  TDAPViewDrawerWithAreaBomb(const TDAPDrawerContext& context, bool sizeFlag);

  uint32_t GetDuration() const override { return 500; }

 protected:
  void DrawWrapped(GamePlay::TDisappearingPiece& piece, float u, const TVec2& pos, float alpha,
                   float scaleX, float scaleY, float rotation);
  void DrawBlast(GamePlay::TDisappearingPiece& piece, float u, const TVec2& pos, float alpha,
                 float scaleX, float scaleY, float rotation);

 private:
  GamePlay::TPieceViewPtr mWrapped;
  TViewGraphics::ByColour mBlasts;
};

// A piece that held a colour bomb: the piece, a short blast, then the piece
// again with its edge lighting up. While the tower shows a message only the
// lighting edge plays.
class TDAPViewDrawerWithColorBomb final : public TDAPViewDrawerWithAreaBomb {
 public:
  explicit TDAPViewDrawerWithColorBomb(const TDAPDrawerContext& context);

 private:
  void DrawGlowingEdge(GamePlay::TDisappearingPiece& piece, float u, const TVec2& pos,
                       float alpha, float scaleX, float scaleY, float rotation);

  TViewGraphics::Graphic mEdgeGlow;
};

}  // namespace GUI
