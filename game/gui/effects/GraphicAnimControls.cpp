#include "game/gui/effects/GraphicAnimControls.h"

#include <utility>
#include <vector>

#include "game/gui/effects/IGraphic.h"

namespace GUI {

namespace {

constexpr float kAnimControlScale = 2.0f;

// The edge alphas of a strip as the wipe-out leaves it.
TSliceAlphas WipedOutStrip(float first, float second) { return {first, second, first, second}; }

}  // namespace

TPosTransControl::TPosTransControl(std::shared_ptr<IGraphic> graphic, const TVec2& from, const TVec2& to)
    : mGraphic(std::move(graphic)), mFrom(from), mTo(to) {}

void TPosTransControl::Apply(float t) {
  if (!mGraphic) return;
  TVec2 position = mFrom + (mTo - mFrom) * t;
  if (t <= 0.0f) position = mFrom;
  if (t >= 1.0f) position = mTo;
  mGraphic->Draw(position, 1.0f, kAnimControlScale, 0.0f);
}

TGraphicWipeControl::TGraphicWipeControl(std::shared_ptr<IGraphic> graphic, const TVec2& position, bool showUp)
    : mGraphic(std::move(graphic)), mPosition(position), mShowUp(showUp) {}

void TGraphicWipeControl::Apply(float t) {
  if (!mGraphic) return;
  // The show-up control is the wipe-out with shown and hidden swapped.
  const float shown = mShowUp ? 0.0f : 1.0f;
  const float hidden = 1.0f - shown;
  std::vector<TSliceAlphas> strips;
  strips.reserve(kStripCount);
  for (int i = 0; i < kStripCount; ++i) {
    const float x = static_cast<float>(i) / kStripCount;
    const float next = static_cast<float>(i + 1) / kStripCount;
    if (next <= t) {
      strips.push_back(WipedOutStrip(hidden, hidden));
    } else if (x <= t) {
      strips.push_back(WipedOutStrip(shown, hidden));
    } else {
      strips.push_back(WipedOutStrip(shown, shown));
    }
  }
  mGraphic->DrawSlices(mPosition, strips, kAnimControlScale);
}

}  // namespace GUI
