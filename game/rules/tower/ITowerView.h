#pragma once

#include <cstdint>
#include <numbers>
#include <vector>

#include "game/rules/tower/TCell.h"
#include "game/rules/tower/TPoint.h"

namespace GamePlay {

class IScriptTutorialView;
class ITowerMeasurementView;

// A tutorial arrow: where it points from and its angle in degrees.
// Ring angles are radians in [0, kFullTurn).
inline constexpr float kFullTurn = 2 * std::numbers::pi_v<float>;

struct TArrow {
  TPoint point;
  float angle = 0;
};

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
  // Set once a no-move or time-up message has led to the losing of the
  // level; the ring marks are silent from then on.
  virtual bool IsLoseFlowArmed() = 0;
  virtual void ShowTimeUpMessage() = 0;
  virtual void ShowNoMoveMessage() = 0;
  // Starts the end-of-level sequence.
  virtual void OnLevelEnd() = 0;
  // Told after each counted ring turn.
  virtual void OnRingTurned(int32_t ring, int32_t steps) = 0;
  virtual void ResetHighlights() = 0;
  virtual void AddHighlight(int32_t ring, int32_t slot, bool flag) = 0;
  // The cell a tutorial arrow points at: (0, 0) none, which also takes the
  // arrows of ShowArrow away; (-1, -1) the first big area bomb; any other
  // pair a piece's identity pair. Returns whether it is (0, 0).
  virtual bool SetHover(int32_t ring, int32_t slot) = 0;
  virtual void ShowArrow(const std::vector<TArrow>& arrows) = 0;
  virtual TCell GetHover() = 0;
  // How full a jug is drawn, 0 to 70; 0 past the last jug.
  virtual float GetJugFill(int32_t jug) = 0;
  virtual void Invalidate() = 0;
  // A power-up piece is pressed: its area is shown for a while.
  virtual void ShowPowerUpArea(int32_t ring, int32_t slot) = 0;
  virtual IScriptTutorialView* GetScriptTutorial() = 0;
  virtual bool IsNoMoveShown() = 0;
  virtual bool IsTimeUpShown() = 0;
  // The ring moves queued through the tower control are all done.
  virtual void OnMovesDone() = 0;
};

}  // namespace GamePlay
