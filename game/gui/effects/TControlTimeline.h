#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "game/gui/effects/IGraphicAnimControl.h"
#include "game/rules/control/IClockProxy.h"
#include "platform/types/TVec2.h"

namespace GUI {

class IGraphic;

// Controls played one after another on a game clock: each has a window of
// milliseconds starting where the one before ended, and the control whose
// window holds the clock's time draws at its share of that window.
class TControlTimeline {
 public:
  // The clock (not owned, outlives the timeline) is only read; null reads
  // as 0.
  explicit TControlTimeline(GamePlay::IClockProxy* clock) : mClock(clock) {}

  void Add(uint32_t duration, std::unique_ptr<IGraphicAnimControl> control);
  void AddPosTrans(std::shared_ptr<IGraphic> graphic, uint32_t duration, const TVec2& from, const TVec2& to);
  void AddShowUp(std::shared_ptr<IGraphic> graphic, uint32_t duration, const TVec2& position);
  void AddDisappearing(std::shared_ptr<IGraphic> graphic, uint32_t duration, const TVec2& position);

  // Draws the control of the clock's time; nothing past the last window.
  void Update();
  // The end of the last window, 0 while empty.
  uint32_t GetLength() const { return mEntries.empty() ? 0 : mEntries.back().end; }

 private:
  struct TEntry {
    uint32_t start;
    uint32_t end;
    std::unique_ptr<IGraphicAnimControl> control;
  };

  GamePlay::IClockProxy* mClock;
  std::vector<TEntry> mEntries;
};

}  // namespace GUI
