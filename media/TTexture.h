#pragma once

#include <cstdint>
#include <memory>

#include "media/TTextureData.h"
#include "platform/asset/TAsset.h"

// An image the display draws, an asset shared by whoever holds it. Its
// device side is its data, which it owns.
class TTexture : public TAsset {
 public:
  explicit TTexture(std::unique_ptr<TTextureData> data);
  ~TTexture() override;

  // Null when the display made none.
  TTextureData* GetData() const { return mData.get(); }
  // The image's size in pixels; 0 without data.
  virtual int32_t GetWidth() const;
  virtual int32_t GetHeight() const;

 private:
  std::unique_ptr<TTextureData> mData;
};
