#include "game/gui/effects/TAnimGraphic.h"

#include <algorithm>
#include <utility>

#include "game/gui/effects/GraphicBlend.h"
#include "media/texture/TTexture.h"

namespace GUI {

TAnimGraphic::TAnimGraphic(std::vector<TString> frameNames, TString alphaName) {
  for (const TString& name : frameNames) mFrames.push_back(TTexture::GetMasked(name, alphaName, false));
}

TAnimGraphic::TAnimGraphic(TString colourName, std::vector<TString> alphaNames) {
  for (const TString& alpha : alphaNames) mFrames.push_back(TTexture::GetMasked(colourName, alpha, false));
}

TAnimGraphic::TAnimGraphic(std::vector<TString> frameNames, float framesPerSecond) {
  for (const TString& name : frameNames) mFrames.push_back(TTexture::Get(name, 0));
  if (framesPerSecond > 0.0f) {
    mPlaying = true;
    mController = std::make_unique<TAnimGraphicController>(framesPerSecond, GetFrameCount());
  }
}

TAnimGraphicController* TAnimGraphic::Controller() const {
  return dynamic_cast<TAnimGraphicController*>(mController.get());
}

void TAnimGraphic::SetLooping(bool looping) {
  mLooping = looping;
  TAnimGraphicController* controller = Controller();
  if (!controller) return;
  if (looping && controller->IsRunFinished()) controller->Restart();
  controller->SetLooping(looping);
}

std::shared_ptr<TTexture> TAnimGraphic::CurrentTexture() const {
  return mCurrentFrame < mFrames.size() ? mFrames[mCurrentFrame] : nullptr;
}

int32_t TAnimGraphic::GetWidth() {
  const std::shared_ptr<TTexture> frame = CurrentTexture();
  return frame ? frame->GetWidth() : 0;
}

int32_t TAnimGraphic::GetHeight() {
  const std::shared_ptr<TTexture> frame = CurrentTexture();
  return frame ? frame->GetHeight() : 0;
}

uint32_t TAnimGraphic::SetFrame(uint32_t index) {
  const uint32_t count = GetFrameCount();
  if (count > 0) mCurrentFrame = std::min(index, count - 1);
  return count;
}

void TAnimGraphic::Draw(const TVec2& position, float alpha, float scale, float rotation) {
  DrawFrames(alpha, [&](TTexture& frame, float frameAlpha) {
    frame.DrawScaled(&position, frameAlpha, scale, rotation, nullptr, 0);
  });
}

void TAnimGraphic::DrawScaled(const TVec2& position, float alpha, float scaleX, float scaleY, float rotation) {
  DrawFrames(alpha, [&](TTexture& frame, float frameAlpha) {
    frame.Draw(&position, frameAlpha, scaleX, scaleY, rotation, nullptr, nullptr, 0, nullptr);
  });
}

void TAnimGraphic::DrawFrames(float alpha, const FrameDraw& draw) {
  if (mFrames.empty()) return;
  DrawInBlendMode(mBlendMode, [&](TPlatform&) {
    if (mPlaying && mController) {
      DrawControlled(alpha, draw);
      return;
    }
    DrawFrame(mCurrentFrame, alpha, draw);
    if (mPlaying) mCurrentFrame = (mCurrentFrame + 1) % GetFrameCount();
  });
}

void TAnimGraphic::DrawFrame(uint32_t index, float alpha, const FrameDraw& draw) const {
  if (const std::shared_ptr<TTexture>& frame = mFrames[index]) draw(*frame, alpha);
}

void TAnimGraphic::DrawControlled(float alpha, const FrameDraw& draw) {
  const uint32_t count = GetFrameCount();
  const float position = static_cast<float>(count) * mController->GetAccentValue();
  mCurrentFrame = std::min(static_cast<uint32_t>(position), count - 1);
  DrawFrame(mCurrentFrame, alpha, draw);
  // A run that does not loop ends on its last frame: nothing follows it.
  const TAnimGraphicController* controller = Controller();
  const bool wraps = !controller || controller->IsLooping();
  if (!mCrossFade || (mCurrentFrame + 1 == count && !wraps)) return;
  const float fade = std::max(position - static_cast<float>(mCurrentFrame), 0.0f);
  DrawFrame((mCurrentFrame + 1) % count, alpha * fade, draw);
}

}  // namespace GUI
