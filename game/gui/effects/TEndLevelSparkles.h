#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "game/gui/effects/IGraphic.h"
#include "game/rules/control/IClockProxy.h"

namespace GUI {

// The sparkles over the tower of a level won at expert level: a glow that
// fades in over the first second, then two twinkles that hop between six
// fixed points, each growing and shrinking once per hop. The first draw
// starts their game clock. Main thread only.
class TEndLevelSparkles {
 public:
  // The glow is the list's second entry and the twinkle its tenth; a
  // shorter list lends its last entry for either. An empty list draws
  // nothing.
  explicit TEndLevelSparkles(std::vector<std::shared_ptr<IGraphic>> graphics);

  void Draw(const TVec2& position);

 private:
  void DrawTwinkles(uint32_t timeMs);

  std::shared_ptr<IGraphic> mGlow;
  std::shared_ptr<IGraphic> mTwinkle;
  std::unique_ptr<GamePlay::IClockProxy> mClock;
};

}  // namespace GUI
