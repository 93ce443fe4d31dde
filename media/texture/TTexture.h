#pragma once

#include <cstdint>
#include <memory>
#include <utility>

#include "media/texture/TTextureData.h"
#include "platform/asset/TAsset.h"
#include "platform/text/TString.h"
#include "platform/types/TColor.h"
#include "platform/types/TRect.h"
#include "platform/types/TVec2.h"

// An image the display draws, an asset shared by whoever holds it. The
// factories keep textures in the asset manager by a key made from the name
// and the options, so one image is loaded once while anybody holds it. Its
// device side is its data, which it owns; it only sets load options on it
// and forwards. Draws happen only between the platform's Begin2d and End2d.
// Main thread only.
class TTexture : public TAsset {
 public:
  // Bits of Get.
  static constexpr int32_t kMipmapBit = 1;
  static constexpr int32_t kAlphaBit = 2;
  static constexpr int32_t kNoAlphaBit = 4;

  static TClassId ClassId();

  // Texture data from the platform's display; none without a display.
  TTexture();
  explicit TTexture(std::unique_ptr<TTextureData> data);
  ~TTexture() override;

  bool IsKindOf(TClassId id) const override;
  void Release() override;
  void Restore() override;

  // The whole draw: `centre` anchors the image (null: its middle) at
  // `position`; a null colour is opaque white; `source` (null: the whole
  // image) in image pixels; flip 1 mirrors x, 2 mirrors y.
  virtual void Draw(const TVec2* position, float alpha, float scaleX, float scaleY, float rotation,
                    const TVec2* centre, const TColor* colour, int32_t flip, const TRect* source);
  virtual void DrawScaled(const TVec2* position, float alpha, float scale, float rotation, const TVec2* centre,
                          int32_t flip);
  // The image's middle at (x, y).
  virtual void DrawAt(float x, float y, float alpha, float scale, float rotation, int32_t flip);
  virtual void DrawClipped(float x, float y, float alpha, float scale, const TRect* clip);
  // Copies `source` (null: the whole image; cut to the image) to (x, y) of
  // the destination, or of the current render target without one.
  virtual void Blit(int32_t x, int32_t y, const TRect* source, const std::shared_ptr<TTexture>& destination);
  // The image's size in pixels; 0 without data.
  virtual int32_t GetWidth() const;
  virtual int32_t GetHeight() const;
  virtual void ActivatePalette(const TString& name);

  // The surface's pixels as 32-bit blue, green, red, alpha until Unlock; the
  // pitch in bytes. False without data or when the pixels cannot be had.
  bool Lock(void** pixels, int32_t* width, int32_t* height, int32_t* pitch);
  void Unlock();
  std::pair<int32_t, int32_t> GetSurfaceSize() const;

  // Null when the display made none.
  TTextureData* GetData() const { return mData.get(); }

  // The cached texture of an image file ("\\" and "/" alike), with options
  // after "?": bit 1 alpha, bit 2 no alpha (else as the image has it), bit
  // 0 mipmaps. A name asked for again gives the texture of the first
  // request. Empty when the image cannot be loaded.
  static std::shared_ptr<TTexture> Get(const TString& name, int32_t bits);
  // An image with its alpha from the mask image; the names as given.
  static std::shared_ptr<TTexture> GetMasked(const TString& name, const TString& maskName, bool mipmap);
  // A "simple" image: a plain surface of the display's format.
  static std::shared_ptr<TTexture> GetSimple(const TString& name);
  // Blank textures of their own, never shared by a name.
  static std::shared_ptr<TTexture> CreateBlank(int32_t width, int32_t height, bool alpha);
  static std::shared_ptr<TTexture> CreateRenderTarget(int32_t width, int32_t height);

 private:
  template <class SetFlags>
  static std::shared_ptr<TTexture> GetNamed(const TString& key, const TString& name, const char* mask,
                                            SetFlags setFlags);
  template <class SetFlags>
  static std::shared_ptr<TTexture> CreateUnnamed(int32_t width, int32_t height, SetFlags setFlags);
  // Draws happen only with data and while 2D drawing is open.
  bool CanDraw() const;
  TString UnnamedKey() const;

  std::unique_ptr<TTextureData> mData;
};
