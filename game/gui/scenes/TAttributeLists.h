#pragma once

#include <memory>
#include <vector>

#include "game/gui/scenes/TLayerAttribute.h"

namespace GUI::ScriptAnim {

// The items of a timeline, an event or a loop, each in one of three states:
// pending (not yet started), active, finished; and all of them in the order
// they were added.
class TAttributeLists {
 public:
  using Items = std::vector<std::shared_ptr<TLayerAttribute>>;

  // At the end of the pending list and of the whole list.
  void Add(std::shared_ptr<TLayerAttribute> item);
  // Starts the pending items active at the time, then finishes the active
  // ones finished at it, each with a last apply at its exact end so that it
  // ends on its end values.
  void Update(TLayer& layer, float time);
  void ApplyActive(TLayer& layer, float time);
  // Every item pending again, and reset.
  void Reset();

  bool AnyActiveAt(float time) const;
  bool AnyUnfinishedAt(float time) const;
  // The latest end of any item, not below 0; `empty` without items.
  float LatestEnd(float empty) const;
  bool AreAllFinished() const { return mFinished.size() == mAll.size(); }

  const Items& Active() const { return mActive; }
  const Items& Finished() const { return mFinished; }
  const Items& Pending() const { return mPending; }
  const Items& All() const { return mAll; }

 private:
  Items mActive;
  Items mFinished;
  Items mPending;
  Items mAll;
};

}  // namespace GUI::ScriptAnim
