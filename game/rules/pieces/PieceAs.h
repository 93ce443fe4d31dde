#pragma once

#include <type_traits>
#include <typeinfo>

#include "game/rules/pieces/IPiece.h"

namespace GamePlay {

// The piece as the piece class T when it is one; null otherwise or for no
// piece. Every kind of piece that the rules ask for is a final class, so
// the piece's own type answers what dynamic_cast would, without its walk
// up the class tree: the rules ask every cell of the tower what it holds
// several times an update, and that walk came to most of an update's time.
template <class T>
T* PieceAs(IPiece* piece) {
  static_assert(std::is_final_v<T>, "a class with kinds below it needs dynamic_cast");
  return piece && typeid(*piece) == typeid(T) ? static_cast<T*>(piece) : nullptr;
}

}  // namespace GamePlay
