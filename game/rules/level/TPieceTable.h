#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "game/rules/level/TLevelKey.h"

namespace GamePlay {

// One entry of a column's sequence: a colour code (0 an empty cell, else the
// colour + 1) and the marks that make its piece carry a lock or a gear, or
// become a counter.
struct TPieceTableEntry {
  uint8_t code = 0;
  bool lock = false;
  bool gear = false;
  bool counter = false;
};

// What one draw from a column gives: the entry, and the draw's id (the
// column's draw count, counting this one, and the column + 1).
struct TPieceTableDraw {
  TPieceTableEntry entry;
  int32_t drawCount = 0;
  int32_t columnNumber = 0;
};

// The pieces a level deals in a fixed order: for each slot column a
// sequence of colour codes that repeats, read from the level's piece table
// file. The file is plain text. Up to its first ':' it is a stream of rows
// of one character per column (line breaks do not count): a digit appends a
// code to the column, '*' marks the column's last entry with a lock, '+'
// with a gear, 'c' or 'C' with a counter, and anything else fills the place.
// After the ':' come the power-up kinds, which the scoring model reads.
class TPieceTable {
 public:
  // The table of a level (PieceTableFileName); null, with a log line, when
  // its file cannot be read.
  static std::unique_ptr<TPieceTable> Load(const TLevelKey& key, bool tutorial,
                                           uint32_t slotCount);

  // The colour sequences of text for slotCount columns.
  TPieceTable(std::string_view text, uint32_t slotCount);

  uint32_t GetSlotCount() const { return static_cast<uint32_t>(mColumns.size()); }
  // The column deals from the table; a column without entries (or outside
  // the table) must take its colours from elsewhere.
  bool HasEntries(int32_t column) const;
  const std::vector<TPieceTableEntry>& GetEntries(int32_t column) const {
    return mColumns.at(static_cast<size_t>(column)).entries;
  }
  // The column's next entry, going round its sequence. Only for a column
  // that HasEntries.
  TPieceTableDraw NextPiece(int32_t column);

 private:
  struct TColumn {
    std::vector<TPieceTableEntry> entries;
    size_t cursor = 0;
    int32_t drawCount = 0;
  };

  void ReadColourSection(std::string_view text);
  // Marks the column's last entry; a mark on a column with no entry yet
  // marks nothing.
  static void Mark(TColumn& column, char mark);

  std::vector<TColumn> mColumns;
};

}  // namespace GamePlay
