#include "game/gui/views/TDAPBombDrawers.h"

#include "game/gui/views/VanishingGeometry.h"
#include "game/rules/pieces/IPieceView.h"
#include "game/rules/pieces/TDisappearingPiece.h"
#include "game/rules/tower/ITowerView.h"

namespace GUI {

namespace {

constexpr float kBlastScale = 3.0f;
// The share of the glowing-edge phase in which the glow comes up; in the
// rest only the piece shows.
constexpr float kEdgeGlowRise = 0.8f;

}  // namespace

TDAPViewDrawerWithAreaBomb::TDAPViewDrawerWithAreaBomb(const TDAPDrawerContext& context,
                                                       bool sizeFlag)
    : TDAPViewDrawerBased(context.towerView, nullptr),
      mWrapped(context.wrapped),
      mBlasts(context.pictures.areaBombs) {
  if (sizeFlag) {
    AddPhase<TDAPViewDrawerWithAreaBomb>(1.0f, &TDAPViewDrawerWithAreaBomb::DrawBlast);
    return;
  }
  AddPhase<TDAPViewDrawerWithAreaBomb>(0.2f, &TDAPViewDrawerWithAreaBomb::DrawWrapped);
  AddPhase<TDAPViewDrawerWithAreaBomb>(0.8f, &TDAPViewDrawerWithAreaBomb::DrawBlast);
}

void TDAPViewDrawerWithAreaBomb::DrawWrapped(GamePlay::TDisappearingPiece&, float,
                                             const TVec2& pos, float alpha, float scaleX,
                                             float scaleY, float rotation) {
  if (mWrapped) mWrapped->Draw(pos, alpha, scaleX, scaleY, rotation);
}

void TDAPViewDrawerWithAreaBomb::DrawBlast(GamePlay::TDisappearingPiece& piece, float u,
                                           const TVec2& pos, float alpha, float scaleX,
                                           float scaleY, float rotation) {
  const TViewGraphics::Graphic& blast = OfPieceColour(mBlasts, piece.GetColour());
  if (!blast) return;
  ShowFrameOfProgress(*blast, u);
  blast->DrawScaled(pos, alpha, scaleX * kBlastScale, scaleY * kBlastScale, rotation);
}

TDAPViewDrawerWithColorBomb::TDAPViewDrawerWithColorBomb(const TDAPDrawerContext& context)
    : TDAPViewDrawerWithAreaBomb(context, false), mEdgeGlow(context.pictures.edgeGlow) {
  std::vector<TPhase>& phases = Phases();
  if (TowerView()->IsShowingMessage()) {
    phases.clear();
    AddPhase<TDAPViewDrawerWithColorBomb>(1.0f, &TDAPViewDrawerWithColorBomb::DrawGlowingEdge);
    return;
  }
  phases[0].weight = 0.15f;
  phases[1].weight = 0.35f;
  AddPhase<TDAPViewDrawerWithColorBomb>(0.5f, &TDAPViewDrawerWithColorBomb::DrawGlowingEdge);
}

void TDAPViewDrawerWithColorBomb::DrawGlowingEdge(GamePlay::TDisappearingPiece& piece, float u,
                                                  const TVec2& pos, float alpha, float scaleX,
                                                  float scaleY, float rotation) {
  DrawWrapped(piece, u, pos, alpha, scaleX, scaleY, rotation);
  constexpr float kGlowStart = 1.0f - kEdgeGlowRise;
  if (u <= kGlowStart || !mEdgeGlow) return;
  mEdgeGlow->DrawScaled(pos, 1.0f - (u - kGlowStart) / kEdgeGlowRise, scaleX, scaleY, rotation);
}

}  // namespace GUI
