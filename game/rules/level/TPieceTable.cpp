#include "game/rules/level/TPieceTable.h"

#include <string>

#include "game/rules/level/PieceTableFile.h"
#include "platform/text/Log.h"
#include "platform/file/TFile.h"

namespace GamePlay {

namespace {

constexpr char kSectionEnd = ':';

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsMark(char c) { return c == '*' || c == '+' || c == 'c' || c == 'C'; }

}  // namespace

std::unique_ptr<TPieceTable> TPieceTable::Load(const TLevelKey& key, bool tutorial,
                                               uint32_t slotCount) {
  TString name = PieceTableFileName(key, tutorial);
  std::string text;
  if (!FileReadAll(name, &text)) {
    LogPrintf("Cannot read the piece table %s", name.CStr());
    return nullptr;
  }
  return std::make_unique<TPieceTable>(text, slotCount);
}

TPieceTable::TPieceTable(std::string_view text, uint32_t slotCount) : mColumns(slotCount) {
  ReadColourSection(text);
}

void TPieceTable::ReadColourSection(std::string_view text) {
  if (mColumns.empty()) return;
  size_t column = 0;
  for (char c : text) {
    if (c == kSectionEnd) return;
    if (IsLineBreak(c)) continue;
    if (IsDigit(c)) {
      mColumns[column].entries.push_back({static_cast<uint8_t>(c - '0')});
    } else if (IsMark(c)) {
      Mark(mColumns[column], c);
    }
    column = (column + 1) % mColumns.size();
  }
}

void TPieceTable::Mark(TColumn& column, char mark) {
  if (column.entries.empty()) return;
  TPieceTableEntry& entry = column.entries.back();
  if (mark == '*') {
    entry.lock = true;
  } else if (mark == '+') {
    entry.gear = true;
  } else {
    entry.counter = true;
  }
}

bool TPieceTable::HasEntries(int32_t column) const {
  return column >= 0 && static_cast<size_t>(column) < mColumns.size() &&
         !mColumns[static_cast<size_t>(column)].entries.empty();
}

TPieceTableDraw TPieceTable::NextPiece(int32_t column) {
  TColumn& dealt = mColumns.at(static_cast<size_t>(column));
  TPieceTableEntry entry = dealt.entries.at(dealt.cursor);
  dealt.cursor = (dealt.cursor + 1) % dealt.entries.size();
  ++dealt.drawCount;
  return {entry, dealt.drawCount, column + 1};
}

}  // namespace GamePlay
