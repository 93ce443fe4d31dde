#pragma once

#include <cstdint>
#include <memory>

#include "game/rules/powerups/IInputControl.h"
#include "game/rules/powerups/TCellPicker.h"
#include "game/rules/pieces/TPiecePtr.h"

namespace GamePlay {

class IClockProxy;
class IMetricsRecorder;
class IPieceFactory;
class IScriptTutorialView;
class ITowerControl;
class ITowerModel;
class ITowerView;

// Sets off a power-up piece that the player clicks twice: a second press on
// the same piece within kDoubleClickTime of the first. Any other press
// selects the piece under it.
class TPowerUpControl final : public IInputControl {
 public:
  static constexpr uint32_t kDoubleClickTime = 800;  // ms

  // The tutorial listener and the metrics may be null; the piece factory is
  // not needed.
  TPowerUpControl(ITowerView* view, ITowerModel* model, ITowerControl* control, IPieceFactory*,
                  IScriptTutorialView* listener, IMetricsRecorder* metrics);
  ~TPowerUpControl() override;

  void OnPress(const TPoint& point) override;
  void OnRelease(const TPoint&) override {}
  void OnMove(const TPoint&) override {}

 private:
  bool IsDoubleClick(const TPiecePtr& piece);
  void SetOff(const TPiecePtr& piece, int32_t ring, int32_t slot);

  ITowerModel* mModel;
  ITowerControl* mControl;
  ITowerView* mView;
  TCellPicker mPicker;
  std::unique_ptr<IClockProxy> mClock;
  IScriptTutorialView* mListener;
  IMetricsRecorder* mMetrics;
  TPiecePtr mLastClicked;
};

}  // namespace GamePlay
