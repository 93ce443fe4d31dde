#include "game/gui/scenes/TLayer.h"

namespace GUI::ScriptAnim {

namespace {

constexpr float kLeastLayerScale = 0.001f;
// Fainter or smaller than this a layer is not drawn.
constexpr float kLeastVisibleLayer = 0.01f;

}  // namespace

void TLayer::Draw(float alpha) {
  mTimeline.Update(*this);
  const float drawnAlpha = alpha * mAlpha;
  if (drawnAlpha > kLeastVisibleLayer && mScale > kLeastVisibleLayer && mGraphic) {
    mGraphic->Draw(mPosition, drawnAlpha, mScale, mRotation);
  }
}

// A value that is not a number takes the lower bound.
void TLayer::SetScale(float scale) { mScale = scale >= kLeastLayerScale ? scale : kLeastLayerScale; }

void TLayer::SetAlpha(float alpha) {
  if (!(alpha >= 0.0f)) {
    mAlpha = 0.0f;
  } else {
    mAlpha = alpha > 1.0f ? 1.0f : alpha;
  }
}

}  // namespace GUI::ScriptAnim
