#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "game/gui/effects/IGraphic.h"
#include "platform/text/TString.h"

namespace GUI {

// One image, or one image with its alpha from a second image.
class TStaticGraphic final : public IGraphic {
 public:
  explicit TStaticGraphic(const TString& imageName);
  TStaticGraphic(const TString& imageName, const TString& alphaName);

  void Prepare() override {}
  bool IsPlaying() override { return true; }
  void SetPlaying(bool) override {}
  void SetLooping(bool) override {}
  bool IsLooping() override { return false; }
  void SetCrossFade(bool) override {}
  int32_t GetWidth() override;
  int32_t GetHeight() override;
  std::shared_ptr<TTexture> GetTexture() override { return mTexture; }
  uint32_t GetFrameCount() override { return 1; }
  uint32_t GetFrame() override { return 1; }
  uint32_t SetFrame(uint32_t) override { return 1; }
  void Draw(const TVec2& position, float alpha, float scale, float rotation) override;
  void DrawScaled(const TVec2& position, float alpha, float scaleX, float scaleY, float rotation) override;
  void DrawSlices(const TVec2& position, const std::vector<TSliceAlphas>& slices, float scale) override;
  std::shared_ptr<TTexture> GetFrameTexture() override { return mTexture; }
  void SetBlendMode(int32_t mode) override { mBlendMode = mode; }
  int32_t GetBlendMode() override { return mBlendMode; }

 private:
  std::shared_ptr<TTexture> mTexture;  // empty when the image did not load
  int32_t mBlendMode = 0;
};

// A shared static graphic of an image with its alpha image.
std::shared_ptr<IGraphic> MakeStaticGraphicWithAlpha(const TString& imageName, const TString& alphaName);

}  // namespace GUI
