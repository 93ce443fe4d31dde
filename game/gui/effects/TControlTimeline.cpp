#include "game/gui/effects/TControlTimeline.h"

#include <utility>

#include "game/gui/effects/GraphicAnimControls.h"

namespace GUI {

void TControlTimeline::Add(uint32_t duration, std::unique_ptr<IGraphicAnimControl> control) {
  const uint32_t start = GetLength();
  mEntries.push_back({start, start + duration, std::move(control)});
}

void TControlTimeline::AddPosTrans(std::shared_ptr<IGraphic> graphic, uint32_t duration, const TVec2& from,
                                   const TVec2& to) {
  Add(duration, std::make_unique<TPosTransControl>(std::move(graphic), from, to));
}

void TControlTimeline::AddShowUp(std::shared_ptr<IGraphic> graphic, uint32_t duration, const TVec2& position) {
  Add(duration, std::make_unique<TGraphicShowUpControl>(std::move(graphic), position));
}

void TControlTimeline::AddDisappearing(std::shared_ptr<IGraphic> graphic, uint32_t duration,
                                       const TVec2& position) {
  Add(duration, std::make_unique<TGraphicDisappearingControl>(std::move(graphic), position));
}

void TControlTimeline::Update() {
  const uint32_t t = mClock ? mClock->GetTime() : 0;
  for (const TEntry& entry : mEntries) {
    if (entry.start <= t && t < entry.end) {
      const auto into = static_cast<float>(t - entry.start);
      const auto length = static_cast<float>(entry.end - entry.start);
      entry.control->Apply(into / length);
      return;
    }
  }
}

}  // namespace GUI
