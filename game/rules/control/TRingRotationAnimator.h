#pragma once

#include <cstdint>
#include <vector>

namespace GamePlay {

class ITowerView;
class TInputLocks;
class TRingTurner;

// Brings a released ring to its next whole slot on screen and then commits
// that slot in the tower. The ring turns by a fixed angle per update; the
// commit waits until a delay has run out as well. One ring animates at a
// time, under the ring-animation lock.
class TRingRotationAnimator {
 public:
  // Rates are radians per update; the delay rate is the part of the delay
  // that passes per update.
  TRingRotationAnimator(TRingTurner* turner, TInputLocks* locks, ITowerView* view,
                        uint32_t ringCount, float clickRate, float snapRate, float delayRate);

  // Shows the ring offset by the angle from where it stands in the tower
  // and turns it on towards the next slot in the direction of the angle,
  // where it commits one slot that way.
  void StartSnap(int32_t ring, float offset);
  // The update's step; nothing while another lock than the ring-animation
  // lock is held. Returns whether an animation ended in this step (which
  // frees the ring-animation lock).
  bool Step();

 private:
  enum class TKind { Idle, TowardsLeft, TowardsRight };
  enum class TPhase { Waiting, Running };
  struct TEntry {
    TKind kind = TKind::Idle;
    float speed = 0;
    float delayProgress = 0;
    TPhase phase = TPhase::Waiting;
  };

  bool IsAnyBusy() const;
  // Moves the ring on by its speed; returns false when the drawn angle was refused.
  bool Advance(int32_t ring, TEntry& entry);
  // The slot is reached: the tower turns the ring one slot.
  void Commit(int32_t ring, TEntry& entry);

  TRingTurner* mTurner;
  TInputLocks* mLocks;
  ITowerView* mView;
  std::vector<TEntry> mEntries;  // one per ring
  float mClickRate;
  float mSnapRate;
  float mDelayRate;
};

}  // namespace GamePlay
