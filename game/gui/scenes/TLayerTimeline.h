#pragma once

#include <memory>

#include "game/gui/scenes/TAttributeLists.h"
#include "game/rules/control/IClockProxy.h"

namespace GUI::ScriptAnim {

// The timed items of one layer, on a game clock of the layer's own that
// starts at the layer's first draw and stands still while the game is
// paused.
class TLayerTimeline {
 public:
  void Add(std::shared_ptr<TLayerAttribute> item) { mLists.Add(std::move(item)); }
  // Applies the active items at the clock's time, then moves items on
  // between the lists; once every item has finished the layer keeps its
  // last state.
  void Update(TLayer& layer);
  const TAttributeLists& GetLists() const { return mLists; }

 private:
  TAttributeLists mLists;
  std::unique_ptr<GamePlay::IClockProxy> mClock;  // null until the first update
};

}  // namespace GUI::ScriptAnim
