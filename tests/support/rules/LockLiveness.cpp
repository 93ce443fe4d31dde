#include "tests/support/rules/LockLiveness.h"

#include <string>

using GamePlay::TInputLock;
using GamePlay::TInputLocks;

namespace {

bool AtRest(const TInputLocks& locks) { return !locks.IsAnyLockedExcept(TInputLock::EndOfPlay); }

std::string HeldLocks(const TInputLocks& locks) {
  std::string held;
  for (int lock = 0; lock < TInputLocks::kCount; ++lock) {
    if (lock == static_cast<int>(TInputLock::EndOfPlay)) continue;
    if (locks.IsLocked(static_cast<TInputLock>(lock))) held += " " + std::to_string(lock);
  }
  return held;
}

}  // namespace

testing::AssertionResult LocksComeToRest(TInputLocks& locks, const std::function<void()>& update,
                                         int maxUpdates) {
  for (int done = 0; done < maxUpdates; ++done) {
    update();
    if (AtRest(locks)) return testing::AssertionSuccess() << "at rest after " << done + 1;
  }
  return testing::AssertionFailure()
         << "after " << maxUpdates
         << " updates without input, locks still held:" << HeldLocks(locks);
}
