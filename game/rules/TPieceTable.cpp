#include "game/rules/TPieceTable.h"

#include <string>

#include "platform/Log.h"
#include "platform/TFile.h"

namespace GamePlay {

namespace {

constexpr char kSectionEnd = ':';

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsMark(char c) { return c == '*' || c == '+' || c == 'c' || c == 'C'; }

int32_t PowerUpKind(char c) {
  switch (c) {
    case 'x': return 1;
    case 'X': return 3;
    case 'C': return 5;
    case 'c': return 6;
    case 'R': return 7;
    default: return 0;
  }
}

}  // namespace

TString TPieceTable::FileName(const TLevelKey& key, bool tutorial) {
  if (key.world == 0) return TString::Format("levels/piecetable/piecezen%02u.txt", key.level);
  if (tutorial) return TString::Format("tutorials/tutorial%02u%02u.txt", key.world, key.level);
  return TString::Format("levels/piecetable/piece%02u%02u.txt", key.world, key.level);
}

std::unique_ptr<TPieceTable> TPieceTable::Load(const TLevelKey& key, bool tutorial,
                                               uint32_t slotCount) {
  TString name = FileName(key, tutorial);
  std::string text;
  if (!FileReadAll(name, &text)) {
    LogPrintf("Cannot read the piece table %s", name.CStr());
    return nullptr;
  }
  return std::make_unique<TPieceTable>(text, slotCount);
}

std::vector<int32_t> TPieceTable::ParsePowerUpKinds(std::string_view text) {
  std::vector<int32_t> kinds;
  size_t sectionEnd = text.find(kSectionEnd);
  if (sectionEnd == std::string_view::npos) return kinds;
  for (char c : text.substr(sectionEnd + 1)) {
    if (int32_t kind = PowerUpKind(c)) kinds.push_back(kind);
  }
  return kinds;
}

std::vector<int32_t> TPieceTable::LoadPowerUpKinds(const TLevelKey& key, bool tutorial) {
  std::string text;
  if (!FileReadAll(FileName(key, tutorial), &text)) return {};
  return ParsePowerUpKinds(text);
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
