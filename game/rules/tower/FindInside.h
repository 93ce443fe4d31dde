#pragma once

#include "game/rules/pieces/IPiece.h"
#include "game/rules/pieces/PieceAs.h"

namespace GamePlay {

// The piece of kind T that piece is, or wraps at any depth; null when none.
template <class T>
T* FindInside(IPiece& piece) {
  IPiece* current = &piece;
  while (true) {
    if (auto* found = PieceAs<T>(current)) return found;
    IPiece* inner = current->GetInner().get();
    if (!inner || inner == current) return nullptr;
    current = inner;
  }
}

}  // namespace GamePlay
