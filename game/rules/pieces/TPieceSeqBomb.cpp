#include "game/rules/pieces/TPieceSeqBomb.h"

#include <algorithm>
#include <iterator>

#include "game/rules/control/ITowerControl.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "game/rules/control/TInputLocks.h"
#include "game/rules/pieces/TPieceExplosions.h"

namespace GamePlay {

namespace {

constexpr double kStepShare = 0.3;  // of the step time between two rings

}  // namespace

TPieceSeqBomb::TPieceSeqBomb(ITowerControl* control, int32_t stepTime)
    : mControl(control),
      mClock(TClockProxyRegistry::Instance().CreateClockProxy()),
      mStepDelay(static_cast<uint32_t>(std::max(stepTime, 0) * kStepShare)) {}

TPieceSeqBomb::~TPieceSeqBomb() = default;

void TPieceSeqBomb::StartRemoveColor(int32_t colour, std::unique_ptr<TEndEventHandler> onEnd) {
  mMode = TMode::RemoveColour;
  if (onEnd) mEndHandlers.push_back(std::move(onEnd));
  Start(std::make_unique<TPieceExplosionRemoveColor>(colour, mControl->GetModel()));
}

void TPieceSeqBomb::StartRemoveAll() {
  mMode = TMode::RemoveAll;
  Start(std::make_unique<TPieceExplosionRemoveAll>(mControl->GetModel()));
}

void TPieceSeqBomb::Start(std::unique_ptr<IPieceExplosion> explosion) {
  mExplosions.push_back(std::move(explosion));
  TInputLocks* locks = mControl->GetInputLocks();
  if (locks->IsLocked(TInputLock::Explosion)) return;
  locks->Lock(TInputLock::Explosion);
  mClock->Stop();
  mClock->Start();
}

void TPieceSeqBomb::Update() {
  if (mExplosions.empty() && mMode == TMode::Idle) {
    mClock->Stop();
    mControl->GetInputLocks()->Unlock(TInputLock::Explosion);
    return;
  }
  if (mClock->GetTime() > mStepDelay) {
    StepExplosions();
    mClock->Stop();
    mClock->Start();
  }
  if (mExplosions.empty()) Finish();
}

void TPieceSeqBomb::StepExplosions() {
  std::vector<std::unique_ptr<IPieceExplosion>> stepping;
  stepping.swap(mExplosions);
  std::vector<std::unique_ptr<IPieceExplosion>> going;
  for (auto& explosion : stepping) {
    if (!explosion->Explode()) going.push_back(std::move(explosion));
  }
  going.insert(going.end(), std::make_move_iterator(mExplosions.begin()),
               std::make_move_iterator(mExplosions.end()));
  mExplosions.swap(going);
}

// A handler may start a new explosion; it then runs on its own.
void TPieceSeqBomb::Finish() {
  mControl->GetInputLocks()->Unlock(TInputLock::Explosion);
  mMode = TMode::Idle;
  std::vector<std::unique_ptr<TEndEventHandler>> handlers;
  handlers.swap(mEndHandlers);
  for (auto& handler : handlers) handler->OnEnd();
}

}  // namespace GamePlay
