#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "game/rules/control/IClockProxy.h"
#include "game/rules/pieces/IPieceExplosion.h"

namespace GamePlay {

class ITowerControl;

// Runs the big explosions: clearing the whole tower, or every piece of one
// colour, ring by ring from the bottom. Explosions started together step
// together, one ring every step time x 0.3 ms. While any runs, the tower
// control's explosion lock is held; when the last has finished the lock is
// freed and the end handlers are told.
class TPieceSeqBomb {
 public:
  // Told once the explosions it was started with have all finished.
  class TEndEventHandler {
   public:
    virtual ~TEndEventHandler() = default;
    virtual void OnEnd() = 0;
  };

  enum class TMode { Idle, RemoveAll, RemoveColour };

  // stepTime: milliseconds; the control is not owned and must outlive the
  // sequence.
  TPieceSeqBomb(ITowerControl* control, int32_t stepTime);
  ~TPieceSeqBomb();
  TPieceSeqBomb(const TPieceSeqBomb&) = delete;
  TPieceSeqBomb& operator=(const TPieceSeqBomb&) = delete;

  // onEnd may be null.
  void StartRemoveColor(int32_t colour, std::unique_ptr<TEndEventHandler> onEnd);
  void StartRemoveAll();
  // The 10 ms step.
  void Update();

  TMode GetMode() const { return mMode; }
  bool IsRunning() const { return !mExplosions.empty(); }

 private:
  void Start(std::unique_ptr<IPieceExplosion> explosion);
  // Explosions started by the ones stepping (a colour bomb going off, the
  // level ending) step from the next time on.
  void StepExplosions();
  void Finish();

  ITowerControl* mControl;
  std::unique_ptr<IClockProxy> mClock;
  uint32_t mStepDelay;  // ms between steps
  std::vector<std::unique_ptr<IPieceExplosion>> mExplosions;
  std::vector<std::unique_ptr<TEndEventHandler>> mEndHandlers;
  TMode mMode = TMode::Idle;
};

}  // namespace GamePlay
