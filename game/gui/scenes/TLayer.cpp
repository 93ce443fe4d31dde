#include "game/gui/scenes/TLayer.h"

namespace GUI::ScriptAnim {

namespace {

constexpr float kLeastScale = 0.001f;
// Fainter or smaller than this a layer is not drawn.
constexpr float kLeastVisible = 0.01f;

}  // namespace

void TLayer::Draw(float alpha) {
  mTimeline.Update(*this);
  const float drawnAlpha = alpha * mAlpha;
  if (drawnAlpha > kLeastVisible && mScale > kLeastVisible && mGraphic) {
    mGraphic->Draw(mPosition, drawnAlpha, mScale, mRotation);
  }
}

// A value that is not a number takes the lower bound.
void TLayer::SetScale(float scale) { mScale = scale >= kLeastScale ? scale : kLeastScale; }

void TLayer::SetAlpha(float alpha) {
  if (!(alpha >= 0.0f)) {
    mAlpha = 0.0f;
  } else {
    mAlpha = alpha > 1.0f ? 1.0f : alpha;
  }
}

}  // namespace GUI::ScriptAnim
