#include "game/gui/views/DAPViewDrawerChoice.h"

#include "game/gui/views/TDAPBombDrawers.h"
#include "game/gui/views/TDAPSparkDrawers.h"
#include "game/rules/pieces/TDisappearingPiece.h"
#include "game/rules/tower/ITowerView.h"

namespace GUI {

namespace {

// The cell pair the rules set: (0, 0) nowhere to go, (-1, b) stopped by a
// blocker in ring b, anything else a spark to the jugs.
bool HasNoTarget(const GamePlay::TIntPair& cells) { return cells.first == 0 && cells.second == 0; }

std::unique_ptr<IDAPViewDrawer> SimpleDrawer(GamePlay::TDisappearingPiece& piece,
                                             const TDAPDrawerContext& context) {
  const GamePlay::TIntPair cells = piece.GetJugMark();
  TViewGraphics::Graphic spark = OfPieceColour(context.pictures.sparks, piece.GetColour());
  if (HasNoTarget(cells)) return std::make_unique<TDAPViewDrawerNoTarget>(context, spark);
  if (cells.first == -1 && cells.second != -1) {
    return std::make_unique<TDAPViewDrawerBounding>(context, spark, cells.second);
  }
  return std::make_unique<TDAPViewDrawerStandard>(context, spark);
}

}  // namespace

std::unique_ptr<IDAPViewDrawer> ChooseDAPViewDrawer(GamePlay::TDisappearingPiece& piece,
                                                    const TDAPDrawerContext& context) {
  if (piece.GetDisappearFlag()) return nullptr;
  const bool noTarget = HasNoTarget(piece.GetJugMark());
  bool sizeFlag = false;
  if (piece.FindAreaBomb(sizeFlag)) {
    auto drawer = std::make_unique<TDAPViewDrawerWithAreaBomb>(context, sizeFlag);
    if (!noTarget) drawer->AddChild(SimpleDrawer(piece, context));
    return drawer;
  }
  if (piece.HasColorBomb()) {
    auto drawer = std::make_unique<TDAPViewDrawerWithColorBomb>(context);
    if (!noTarget && !context.towerView->IsShowingMessage()) {
      drawer->AddChild(SimpleDrawer(piece, context));
    }
    return drawer;
  }
  return SimpleDrawer(piece, context);
}

}  // namespace GUI
