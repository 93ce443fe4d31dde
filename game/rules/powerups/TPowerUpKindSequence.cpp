#include "game/rules/powerups/TPowerUpKindSequence.h"

#include <string>

#include "game/rules/level/PieceTableFile.h"
#include "platform/file/TFile.h"

namespace GamePlay {

namespace {

// 0 for a character that names no kind.
int32_t KindOf(char c) {
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

TPowerUpKindSequence::TPowerUpKindSequence(std::string_view pieceTable) {
  size_t colon = pieceTable.find(':');
  if (colon == std::string_view::npos) return;
  for (char c : pieceTable.substr(colon + 1)) {
    if (int32_t kind = KindOf(c)) mKinds.push_back(kind);
  }
}

TPowerUpKindSequence TPowerUpKindSequence::Load(const TLevelKey& key, bool tutorial) {
  std::string text;
  if (!FileReadAll(PieceTableFileName(key, tutorial), &text, kFileReadText)) return {};
  return TPowerUpKindSequence(text);
}

int32_t TPowerUpKindSequence::NextKind() {
  if (mKinds.empty()) return kDefaultKind;
  return mKinds[mDraws++ % mKinds.size()];
}

}  // namespace GamePlay
