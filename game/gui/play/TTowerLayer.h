#pragma once

#include <compare>
#include <cstdint>
#include <set>
#include <vector>

#include "game/rules/pieces/TPiecePtr.h"
#include "game/rules/tower/ITowerView.h"
#include "game/rules/tower/TCell.h"

namespace GamePlay {
class ITowerModel;
}

namespace GUI {

// A cell the tutorial or the rules want picked out; the flag is theirs.
struct THighlight {
  int32_t ring = 0;
  int32_t slot = 0;
  bool flag = false;

  auto operator<=>(const THighlight&) const = default;
};

// What the tower view draws over and around the pieces, kept between frames:
// the ring marks (one per cell, sized from the model once), highlights, the
// tutorial arrows and the cells a pressed power-up would reach. Cells outside
// the tower are ignored and read as unmarked.
class TTowerLayer {
 public:
  explicit TTowerLayer(GamePlay::ITowerModel* model);

  void SetRingMark(int32_t ring, int32_t value);
  void SetPieceMark(int32_t ring, int32_t slot, int32_t value);
  int32_t GetMark(int32_t ring, int32_t slot) const;

  void ResetHighlights() { mHighlights.clear(); }
  void AddHighlight(int32_t ring, int32_t slot, bool flag) { mHighlights.insert({ring, slot, flag}); }
  const std::set<THighlight>& GetHighlights() const { return mHighlights; }

  // Returns whether the target is (0, 0), which also takes the arrows away.
  bool SetArrowTarget(const GamePlay::TCell& target);
  const GamePlay::TCell& GetArrowTarget() const { return mArrowTarget; }
  void ShowArrows(const std::vector<GamePlay::TArrow>& arrows);
  bool AreArrowsShown() const { return mArrowsShown; }
  const std::vector<GamePlay::TArrow>& GetArrows() const { return mArrows; }

  // The cells the power-up of the piece at the cell would reach; nothing
  // changes when it carries none or it reaches no cell.
  void ShowPowerUpArea(int32_t ring, int32_t slot);
  const std::set<GamePlay::TCell>& GetPreviewSet() const { return mPreviewSet; }
  const GamePlay::TPiecePtr& GetPreviewPiece() const { return mPreviewPiece; }

 private:
  bool IsCell(int32_t ring, int32_t slot) const;

  GamePlay::ITowerModel* mModel;
  std::set<THighlight> mHighlights;
  GamePlay::TCell mArrowTarget;
  std::set<GamePlay::TCell> mPreviewSet;
  GamePlay::TPiecePtr mPreviewPiece;
  std::vector<std::vector<int32_t>> mMarks;  // per ring, per slot
  bool mArrowsShown = false;
  std::vector<GamePlay::TArrow> mArrows;
};

}  // namespace GUI
