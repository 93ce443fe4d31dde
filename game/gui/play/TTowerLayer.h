#pragma once

#include <compare>
#include <cstdint>
#include <map>
#include <memory>
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

class IEffect;
class IGraphic;
class TGraphicRegistry;
class TViewFactory;

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

  // Marks are drawn through the view factory's mark views; both it and the
  // registry may be null, which draws no marks or no pictures of the layer.
  TTowerLayer(GamePlay::ITowerModel* model, GamePlay::ITowerView* view, TViewFactory* viewFactory,
              TGraphicRegistry* registry);
  ~TTowerLayer();
  TTowerLayer(const TTowerLayer&) = delete;
  TTowerLayer& operator=(const TTowerLayer&) = delete;

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

  // The pieces from the top ring down, then what glows over them: the
  // matches the rings' current turns would make, the preview, highlights
  // (none once the level ended) and the marks. Inside 2D drawing.
  void DrawPieces(bool levelEnded);
  // The blasts and bursts in play: finished ones go, the view factory's
  // new ones for every cell and for the tower's breaking pieces join while
  // they start alive, then all are drawn. Inside 2D drawing.
  void DrawEffects();
  size_t GetEffectCount() const { return mEffects.size(); }
  // The tutorial's arrows, unless the level ended. Inside 2D drawing.
  void DrawArrows(bool levelEnded);
  // The cells the current turns would match, as last worked out.
  const std::set<GamePlay::TCell>& GetPrediction() const { return mPrediction; }

 private:
  bool IsCell(int32_t ring, int32_t slot) const;
  void EndPreview();
  // The preview piece's cell, searching from the top ring down.
  std::optional<GamePlay::TCell> FindPreviewPiece() const;
  int32_t RingCount() const { return static_cast<int32_t>(mMarks.size()); }
  int32_t SlotCount(int32_t ring) const { return static_cast<int32_t>(mMarks[ring].size()); }
  // Each ring turned off its rest, by the whole slots it has gone round.
  std::map<int32_t, int32_t> RingSteps() const;
  void UpdatePrediction();
  // The first cell, ring 0 upward, whose piece carries a big area bomb.
  std::optional<GamePlay::TCell> FindBigAreaBomb() const;
  // The arrow target's cell; none for (0, 0).
  std::optional<GamePlay::TCell> FindArrowTarget() const;
  void DrawOverlays(bool levelEnded);
  void DrawMarks();
  void DrawOverCell(IGraphic& graphic, const GamePlay::TCell& cell, float alpha) const;
  bool IsHighlighted(int32_t ring, int32_t slot) const;
  void KeepEffect(std::unique_ptr<IEffect> effect);

  GamePlay::ITowerModel* mModel;
  GamePlay::ITowerView* mView;
  TViewFactory* mViewFactory;
  std::shared_ptr<IGraphic> mPredictedGlow;
  std::shared_ptr<IGraphic> mHighlightGlow;
  std::shared_ptr<IGraphic> mArrow;
  std::optional<std::map<int32_t, int32_t>> mPredictedSteps;  // the turns mPrediction was worked out for
  std::set<GamePlay::TCell> mPrediction;
  std::vector<std::unique_ptr<IEffect>> mEffects;
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
