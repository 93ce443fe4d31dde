#pragma once

#include <cstdint>

#include "game/rules/tower/TCell.h"
#include "game/rules/tower/TPoint.h"

namespace GamePlay {

class IPieceViewFactory;
class ITowerMeasurementView;

// The tower as the presentation shows it. The rules never draw: they tell the
// tower view what changed and ask it where things stand on screen.
class ITowerView {
 public:
  virtual ~ITowerView() = default;

  // The tower centre on screen, from which picking and dragging measure.
  virtual TPoint GetCentre() = 0;
  // The model's ring count - 1.
  virtual uint32_t GetTopRingIndex() = 0;
  virtual ITowerMeasurementView* GetMeasurement() = 0;
  // A ring's drawn angle; 0 for a ring out of range.
  virtual float GetRingAngle(int32_t ring) = 0;
  // Kept in [0, 2 pi).
  virtual void SetRingAngle(int32_t ring, float angle) = 0;
  // Marks every slot of a ring: 0 none, 1 hover, 2 busy ring under the
  // pointer, 3 busy ring pressed.
  virtual void SetRingMark(int32_t ring, int32_t value) = 0;
  virtual void SetPieceMark(int32_t ring, int32_t slot, int32_t value) = 0;
  // While true the level timer stands still.
  virtual bool IsShowingMessage() = 0;
  virtual bool IsPaused() = 0;
  virtual void ShowTimeUpMessage() = 0;
  virtual void ShowNoMoveMessage() = 0;
  // Starts the end-of-level sequence.
  virtual void OnLevelEnd() = 0;
  // Told after each counted ring turn.
  virtual void OnRingTurned(int32_t ring, int32_t steps) = 0;
  virtual void ResetHighlights() = 0;
  virtual void AddHighlight(int32_t ring, int32_t slot, bool flag) = 0;
  // Returns whether the hover cell changed.
  virtual bool SetHover(int32_t ring, int32_t slot) = 0;
  virtual void ShowArrow(const TPoint& from, const TPoint& to) = 0;
  virtual TCell GetHover() = 0;
  virtual float GetRingScale(int32_t ring) = 0;
  virtual void Invalidate() = 0;
  // A single click on a cell, reported by the power-up control.
  virtual void OnCellClicked(int32_t ring, int32_t slot) = 0;
  virtual IPieceViewFactory* GetPieceViewFactory() = 0;
  virtual bool IsFirstEndMessageShown() = 0;
  virtual bool IsSecondEndMessageShown() = 0;
  // The ring moves queued through the tower control are all done.
  virtual void OnMovesDone() = 0;
};

}  // namespace GamePlay
