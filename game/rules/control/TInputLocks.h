#pragma once

#include <array>

namespace GamePlay {

// The input locks: what each one holds back while it is set.
enum class TInputLock : int {
  Gravity = 0,          // pieces fall into emptied cells
  MatchRemoval = 1,     // matched pieces are being removed
  RingAnimation = 2,    // a ring-rotation animation runs
  Raising = 3,          // raising pieces move
  Falling = 4,          // falling pieces move
  Moving = 5,           // moving pieces move
  RingDrag = 6,         // the player drags a ring
  StartUpDelivery = 7,  // the level's first pieces are being delivered
  EndOfPlay = 8,        // no more moves, or the time is up
  ScoringBusy = 9,      // a scoring observer reports itself busy
  Explosion = 10,       // an explosion sequence runs
};

// The flags through which the moving parts of the model keep the player's
// input and each other's work apart; all free when made.
class TInputLocks {
 public:
  static constexpr int kCount = 11;

  bool IsAnyLocked() const;
  bool IsLocked(TInputLock lock) const;
  bool IsAnyLockedExcept(TInputLock lock) const;
  void Lock(TInputLock lock);
  void Unlock(TInputLock lock);

 private:
  std::array<bool, kCount> mLocked{};
};

}  // namespace GamePlay
