#pragma once

#include <cstdint>
#include <map>

namespace GamePlay {

class ISoundFactoryView;
class ITowerModel;
class ITowerView;

// Turns a ring together with the rings that locks and gears link to it:
// on screen by its drawn angle, in the tower by whole slots. Linked rings
// behind a lock turn the same way, behind a gear the other way; when any
// of them is busy, none turns.
class TRingTurner {
 public:
  TRingTurner(ITowerModel* model, ITowerView* view, ISoundFactoryView* sound)
      : mModel(model), mView(view), mSound(sound) {}

  // Sets the drawn angle of the ring and of its linked rings. Returns
  // whether it was refused (a linked ring is busy); then nothing changes.
  bool SetDragAngle(int32_t ring, float angle);
  // Turns the ring and its linked rings one slot in the tower: +1 to the
  // right, -1 to the left.
  void TurnOneSlot(int32_t ring, int32_t direction);
  // The angle of one slot on screen.
  float GetSlotAngle();

 private:
  // ring -> +1 turning with it, -1 against it; empty when one is busy.
  std::map<int32_t, int32_t> FreeLinkedRings(int32_t ring);

  ITowerModel* mModel;
  ITowerView* mView;
  ISoundFactoryView* mSound;
};

}  // namespace GamePlay
