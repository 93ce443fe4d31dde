#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/types/TVec2.h"

class TTexture;

namespace GUI {

// The corner alphas of one vertical strip of DrawSlices: top-left,
// top-right, bottom-left, bottom-right.
struct TSliceAlphas {
  float topLeft = 1.0f;
  float topRight = 1.0f;
  float bottomLeft = 1.0f;
  float bottomRight = 1.0f;
};

// A picture the game's views draw: a static image or a frame animation, with
// one of three blend modes (0 normal, 1 and 2 the two special modes of the
// display). Positions are the image's centre in pixels, alphas 0 to 1,
// rotations in radians as the texture draws take them. A picture whose
// image failed to load draws nothing and reports size 0. Main thread only.
class IGraphic : public std::enable_shared_from_this<IGraphic> {
 public:
  virtual ~IGraphic() = default;

  // Work left for the graphics registry to do between 2D drawing brackets.
  virtual void Prepare() = 0;
  virtual bool IsPlaying() = 0;
  virtual void SetPlaying(bool playing) = 0;
  virtual void SetLooping(bool looping) = 0;
  virtual bool IsLooping() = 0;
  // Blends each frame into the next as the animation goes.
  virtual void SetCrossFade(bool crossFade) = 0;
  virtual int32_t GetWidth() = 0;
  virtual int32_t GetHeight() = 0;
  virtual std::shared_ptr<TTexture> GetTexture() = 0;
  virtual uint32_t GetFrameCount() = 0;
  virtual uint32_t GetFrame() = 0;
  // Shows the frame (the last one for an index past it); returns the
  // number of frames.
  virtual uint32_t SetFrame(uint32_t index) = 0;
  virtual void Draw(const TVec2& position, float alpha, float scale, float rotation) = 0;
  virtual void DrawScaled(const TVec2& position, float alpha, float scaleX, float scaleY, float rotation) = 0;
  // The image as one strip of equal width per entry, each with its own
  // corner alphas.
  virtual void DrawSlices(const TVec2& position, const std::vector<TSliceAlphas>& slices, float scale) = 0;
  virtual std::shared_ptr<TTexture> GetFrameTexture() = 0;
  virtual void SetBlendMode(int32_t mode) = 0;
  virtual int32_t GetBlendMode() = 0;
};

}  // namespace GUI
