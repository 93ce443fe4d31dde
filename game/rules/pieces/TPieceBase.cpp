#include "game/rules/pieces/TPieceBase.h"

namespace GamePlay {

void TDecoratorPiece::ChangeColour(int32_t colour, IPieceFactory* factory) {
  if (mInner) mInner->ChangeColour(colour, factory);
}

}  // namespace GamePlay
