#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "game/gui/effects/IGraphic.h"
#include "game/gui/effects/TAnimGraphicController.h"
#include "platform/text/TString.h"

namespace GUI {

// A frame animation: a list of frame textures, each loaded when the graphic
// is made. With a frame rate above 0 it plays by a controller of its own,
// running from the moment it is made; without one, a playing animation steps
// one frame per draw. An animation without frames draws nothing.
class TAnimGraphic final : public IGraphic {
 public:
  // Frame i is frame name i with its alpha from the one alpha image.
  TAnimGraphic(std::vector<TString> frameNames, TString alphaName);
  // Frame i is the one colour image with its alpha from alpha image i.
  TAnimGraphic(TString colourName, std::vector<TString> alphaNames);
  // Frame i is frame name i; a rate above 0 (frames per second) plays it.
  TAnimGraphic(std::vector<TString> frameNames, float framesPerSecond);

  void Prepare() override {}
  bool IsPlaying() override { return mPlaying; }
  void SetPlaying(bool playing) override { mPlaying = playing; }
  // Turning looping off lets the current run end on the last frame; turning
  // it on after such an end starts the animation again from frame 0.
  void SetLooping(bool looping) override;
  bool IsLooping() override { return mLooping; }
  void SetCrossFade(bool crossFade) override { mCrossFade = crossFade; }
  int32_t GetWidth() override;
  int32_t GetHeight() override;
  std::shared_ptr<TTexture> GetTexture() override { return CurrentTexture(); }
  uint32_t GetFrameCount() override { return static_cast<uint32_t>(mFrames.size()); }
  uint32_t GetFrame() override { return mCurrentFrame; }
  uint32_t SetFrame(uint32_t index) override;
  void Draw(const TVec2& position, float alpha, float scale, float rotation) override;
  void DrawScaled(const TVec2& position, float alpha, float scaleX, float scaleY, float rotation) override;
  void DrawSlices(const TVec2&, const std::vector<TSliceAlphas>&, float) override {}
  std::shared_ptr<TTexture> GetFrameTexture() override { return CurrentTexture(); }
  void SetBlendMode(int32_t mode) override { mBlendMode = mode; }
  int32_t GetBlendMode() override { return mBlendMode; }

 private:
  // Draws one frame's texture with the given alpha.
  using FrameDraw = std::function<void(TTexture& frame, float alpha)>;

  std::shared_ptr<TTexture> CurrentTexture() const;
  void DrawFrames(float alpha, const FrameDraw& draw);
  void DrawFrame(uint32_t index, float alpha, const FrameDraw& draw) const;
  // The frame the controller's value points at, with the one after it
  // blended in when cross-fading.
  void DrawControlled(float alpha, const FrameDraw& draw);
  TAnimGraphicController* Controller() const;

  std::vector<std::shared_ptr<TTexture>> mFrames;  // an empty one where a frame did not load
  uint32_t mCurrentFrame = 0;
  bool mPlaying = false;
  bool mLooping = false;
  bool mCrossFade = false;
  int32_t mBlendMode = 0;
  std::unique_ptr<IFlashingController> mController;
};

}  // namespace GUI
