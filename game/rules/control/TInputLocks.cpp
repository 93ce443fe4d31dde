#include "game/rules/control/TInputLocks.h"

namespace GamePlay {

namespace {

int Index(TInputLock lock) { return static_cast<int>(lock); }

}  // namespace

bool TInputLocks::IsAnyLocked() const {
  for (bool locked : mLocked) {
    if (locked) return true;
  }
  return false;
}

bool TInputLocks::IsLocked(TInputLock lock) const { return mLocked[Index(lock)]; }

bool TInputLocks::IsAnyLockedExcept(TInputLock lock) const {
  for (int i = 0; i < kCount; ++i) {
    if (i != Index(lock) && mLocked[i]) return true;
  }
  return false;
}

void TInputLocks::Lock(TInputLock lock) { mLocked[Index(lock)] = true; }

void TInputLocks::Unlock(TInputLock lock) { mLocked[Index(lock)] = false; }

}  // namespace GamePlay
