#include "game/rules/level/TBlockerLayout.h"

#include <cstring>

#include "game/rules/pieces/IPiece.h"
#include "game/rules/pieces/IPieceFactory.h"
#include "game/rules/powerups/IPowerUpFactory.h"
#include "game/rules/pieces/PieceMaking.h"
#include "game/rules/level/TLevelSettings.h"
#include "platform/xml/TStringTable.h"

namespace GamePlay {

namespace {

constexpr char kNoCell = '\0';
constexpr const char* kLowerBlockers = "qwertyuio";
constexpr const char* kUpperBlockers = "QWERTYUIO";
constexpr const char* kColourSymbols = "!@#$%^&*";

// The position of code in codes, or -1.
int32_t IndexIn(const char* codes, char code) {
  const char* found = code == kNoCell ? nullptr : std::strchr(codes, code);
  return found ? static_cast<int32_t>(found - codes) : -1;
}

std::string RowCodes(const TString& text) {
  if (text == TStringTable::kMissing || text.IsEmpty()) return {};
  return std::string(text.CStr(), static_cast<size_t>(text.Length() - 1));
}

}  // namespace

TBlockerLayout::TBlockerLayout(const TLevelSettings& settings, bool mappedDigits)
    : mMappedDigits(mappedDigits) {
  if (settings.GetWorld() == 0) return;
  bool fromTop = settings.GetPieceDeliveryFromTop() != 0;
  for (int i = 0; i < kRowCount; ++i) {
    mRows.push_back(RowCodes(settings.GetBlockerRow(fromTop ? i + 1 : kRowCount - i)));
  }
}

char TBlockerLayout::CodeAt(uint32_t row, uint32_t column) const {
  if (row >= mRows.size() || column >= mRows[row].size()) return kNoCell;
  return mRows[row][column];
}

TPiecePtr TBlockerLayout::MakePiece(uint32_t row, uint32_t column, IPieceFactory& pieces,
                                    IPowerUpFactory& powerUps) const {
  char code = CodeAt(row, column);
  int32_t colours = ColoursInPlay(pieces);
  if (code == 'x' || code == 'X') return pieces.GetNullPiece();
  if (TPiecePtr blocker = MakeBlocker(code, pieces, colours)) return blocker;
  int32_t symbol = IndexIn(kColourSymbols, code);
  if (symbol >= 0) return pieces.CreateStandard(DrawableColour(symbol, colours), nullptr);
  if (code == 'p') {
    return MakePowerUpPiece(pieces, powerUps, IPowerUpFactory::kSmallCrossBomb, IPiece::kNoColour);
  }
  return nullptr;
}

TPiecePtr TBlockerLayout::MakeBlocker(char code, IPieceFactory& pieces,
                                      int32_t coloursInPlay) const {
  if (code == 'b' || code == 'B') return pieces.CreateBlocked(IPiece::kNoColour, true);
  int32_t letter = IndexIn(kLowerBlockers, code);
  if (letter < 0) letter = IndexIn(kUpperBlockers, code);
  if (letter >= 0) return pieces.CreateBlocked(DrawableColour(letter, coloursInPlay), false);
  if (code >= '1' && code <= '9') {
    int32_t colour = mMappedDigits ? DrawableColour(code - '1', coloursInPlay) : IPiece::kNoColour;
    return pieces.CreateBlocked(colour, true);
  }
  return nullptr;
}

}  // namespace GamePlay
