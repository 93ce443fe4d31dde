#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <set>
#include <vector>

#include "game/rules/pieces/TPiecePtr.h"
#include "game/rules/tower/ITowerView.h"
#include "game/rules/tower/TCell.h"
#include "platform/time/TClock.h"

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
// the tower are ignored and read as unmarked. Its first clock, for the pulse
// of what glows, runs from its making; the second times the power-up
// preview.
class TTowerLayer {
 public:
  // How long a pressed power-up shows its area.
  static constexpr uint32_t kPreviewMs = 3000;

  TTowerLayer(GamePlay::ITowerModel* model, GamePlay::ITowerView* view);

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
  // Once a frame: the preview follows its piece to the cell it is in now,
  // shows only while that piece is on the tower, its ring stands still and
  // it still carries its power-up, and ends once its time is up.
  void RefreshPreview();
  bool IsPreviewShown() const { return mPreviewShown; }

  // The rules never place a piece's view: every frame each view is told
  // the cell its piece is in before anything is drawn.
  void TellPieceViewsTheirCells();

 private:
  bool IsCell(int32_t ring, int32_t slot) const;
  void EndPreview();
  // The preview piece's cell, searching from the top ring down.
  std::optional<GamePlay::TCell> FindPreviewPiece() const;

  GamePlay::ITowerModel* mModel;
  GamePlay::ITowerView* mView;
  std::set<THighlight> mHighlights;
  GamePlay::TCell mArrowTarget;
  std::set<GamePlay::TCell> mPreviewSet;
  GamePlay::TPiecePtr mPreviewPiece;
  bool mPreviewShown = false;
  std::vector<std::vector<int32_t>> mMarks;  // per ring, per slot
  bool mArrowsShown = false;
  std::vector<GamePlay::TArrow> mArrows;
  TClock mPulseClock;
  TClock mPreviewClock;
};

}  // namespace GUI
