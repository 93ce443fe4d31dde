#pragma once

#include <cstdint>
#include <memory>

#include "media/TTextureData.h"
#include "platform/asset/TAsset.h"
#include "platform/types/TRect.h"

// An image the display draws, an asset shared by whoever holds it. Its
// device side is its data, which it owns.
class TTexture : public TAsset {
 public:
  explicit TTexture(std::unique_ptr<TTextureData> data);
  ~TTexture() override;

  // Null when the display made none.
  TTextureData* GetData() const { return mData.get(); }
  // Copies `source` (null: the whole image; cut to the image) to (x, y) of
  // the destination, or of the current render target without one.
  virtual void Blit(int32_t x, int32_t y, const TRect* source, const std::shared_ptr<TTexture>& destination);
  // The image's size in pixels; 0 without data.
  virtual int32_t GetWidth() const;
  virtual int32_t GetHeight() const;

 private:
  std::unique_ptr<TTextureData> mData;
};
