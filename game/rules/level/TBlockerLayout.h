#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/rules/pieces/TPiecePtr.h"

namespace GamePlay {

class IPieceFactory;
class IPowerUpFactory;
class TLevelSettings;

// The pieces a level starts with in place of dealt ones: rows of cell codes
// from the level settings, one character per slot column.
//   'x' 'X'          no piece: the cell stays vacant
//   'b' 'B'          a breakable blocker around nothing
//   "qwertyuio"      an unbreakable blocker around colour 0 to 8 (either case)
//   '1' to '9'       a breakable blocker, around colour digit - 1 when digits
//                    are mapped to colours, else around nothing
//   "!@#$%^&*"       a piece of colour 0 to 7
//   'p'              a power-up piece with a small cross bomb
// Any other code, and a cell beyond its row, keeps the dealt piece. Colours
// the level does not play become its last colour.
class TBlockerLayout {
 public:
  static constexpr int kRowCount = 8;

  // Zen levels have no layout. Other levels read "Blocker Row 01" to
  // "Blocker Row 08", in that order when pieces are delivered from the top
  // and from 08 up to 01 otherwise. Each row's last character is a
  // terminator; a row that is missing or holds only its terminator is empty.
  TBlockerLayout(const TLevelSettings& settings, bool mappedDigits);

  // Row n holds the codes for the n-th piece dealt to each column at the
  // start (from 0), without the terminator.
  const std::vector<std::string>& GetRows() const { return mRows; }
  // The piece the layout puts at a cell of the start, or null when it
  // leaves the dealt piece.
  TPiecePtr MakePiece(uint32_t row, uint32_t column, IPieceFactory& pieces,
                      IPowerUpFactory& powerUps) const;

 private:
  char CodeAt(uint32_t row, uint32_t column) const;
  TPiecePtr MakeBlocker(char code, IPieceFactory& pieces, int32_t coloursInPlay) const;

  bool mMappedDigits;
  std::vector<std::string> mRows;
};

}  // namespace GamePlay
