#include "game/rules/control/TInputLocks.h"

#include <gtest/gtest.h>

namespace GamePlay {
namespace {

TEST(TInputLocks, FreshSetIsFree) {
  TInputLocks locks;
  EXPECT_FALSE(locks.IsAnyLocked());
  for (int i = 0; i < TInputLocks::kCount; ++i) {
    EXPECT_FALSE(locks.IsLocked(static_cast<TInputLock>(i)));
    EXPECT_FALSE(locks.IsAnyLockedExcept(static_cast<TInputLock>(i)));
  }
}

TEST(TInputLocks, EachLockIsItsOwnFlag) {
  for (int i = 0; i < TInputLocks::kCount; ++i) {
    TInputLocks locks;
    TInputLock lock = static_cast<TInputLock>(i);
    locks.Lock(lock);
    EXPECT_TRUE(locks.IsAnyLocked());
    for (int j = 0; j < TInputLocks::kCount; ++j) {
      EXPECT_EQ(locks.IsLocked(static_cast<TInputLock>(j)), i == j) << i << " " << j;
    }
    locks.Unlock(lock);
    EXPECT_FALSE(locks.IsAnyLocked()) << i;
  }
}

TEST(TInputLocks, AnyLockedExceptIgnoresOnlyTheGivenLock) {
  TInputLocks locks;
  locks.Lock(TInputLock::RingDrag);
  EXPECT_FALSE(locks.IsAnyLockedExcept(TInputLock::RingDrag));
  EXPECT_TRUE(locks.IsAnyLockedExcept(TInputLock::Gravity));
  locks.Lock(TInputLock::Explosion);
  EXPECT_TRUE(locks.IsAnyLockedExcept(TInputLock::RingDrag));
  locks.Unlock(TInputLock::RingDrag);
  EXPECT_FALSE(locks.IsAnyLockedExcept(TInputLock::Explosion));
}

}  // namespace
}  // namespace GamePlay
