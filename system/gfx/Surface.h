#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "system/gfx/Clipper.h"
#include "system/gfx/Palette.h"
#include "system/gfx/Rect.h"
#include "system/gfx/Result.h"
#include "system/gfx/SurfaceDesc.h"

namespace sys::gfx {

class Adapter;
class Screen;

enum BlitFlags : uint32_t {
  kBlitWait = 0x01,            // accepted; every blit finishes before it returns
  kBlitSourceColorKey = 0x02,  // leave out source pixels within the source's colour key
};

// Source pixels whose value, on the format's colour bits (alpha left out;
// every bit of a palette index), lies within [low, high] are not copied by
// keyed blits.
struct ColorKey {
  uint32_t low = 0;
  uint32_t high = 0;

  bool operator==(const ColorKey&) const = default;
};

// A picture in video or system memory, made by a Device. Video surfaces can
// be lost: until Restore every operation on them answers SurfaceLost, and
// Restore gives back memory filled with a garbage pattern, so that what
// nobody draws again shows. Operations may come from any thread; a locked
// surface refuses other operations until it is unlocked.
class Surface {
 public:
  ~Surface();
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  // The description with size, caps (memory included), format and pitch.
  SurfaceDesc Describe() const;
  int32_t Width() const { return mDesc.width; }
  int32_t Height() const { return mDesc.height; }
  int32_t Pitch() const { return mDesc.pitch; }
  uint32_t Caps() const { return mDesc.caps; }
  const PixelFormat& Format() const { return *mDesc.format; }
  bool InVideoMemory() const { return (mDesc.caps & kCapsVideoMemory) != 0; }

  // The whole surface, or `area` (which must lie inside it), for direct
  // access until Unlock. One lock at a time.
  Result Lock(const Rect* area, LockedPixels& out);
  Result Unlock();
  // The whole surface for the 3D device to draw into or sample until
  // Unlock: refused as Lock refuses, but takes no forced result, since the
  // device's drawing is no lock its callers asked for.
  Result LockForRendering(LockedPixels& out);

  // Writes `pixel`, a value in the surface's format, over `area` (the whole
  // surface when null), clipped to the surface and to its clipper.
  Result Fill(const Rect* area, uint32_t pixel);
  // Copies the source's `sourceArea` (whole when null) onto `area` (whole
  // when null) of this surface, stretched to fit, converted between formats
  // (8-bit sources through their palette), clipped to both surfaces and to
  // this surface's clipper. The source may be this surface.
  Result Blit(const Rect* area, Surface& source, const Rect* sourceArea, uint32_t flags);
  // The same, unstretched, with the copy's top-left corner at (x, y); the
  // clipper is not consulted.
  Result BlitFast(int32_t x, int32_t y, Surface& source, const Rect* sourceArea, uint32_t flags);

  // Null removes the key.
  Result SetColorKey(const ColorKey* key);
  Result GetColorKey(ColorKey& out) const;
  // 8-bit surfaces only; null removes the palette.
  Result SetPalette(std::shared_ptr<Palette> palette);
  Result GetPalette(std::shared_ptr<Palette>& out) const;
  // Null removes the clipper.
  Result SetClipper(std::shared_ptr<Clipper> clipper);
  Result GetClipper(std::shared_ptr<Clipper>& out) const;

  // Attaches a depth buffer of the same size.
  Result AttachSurface(std::shared_ptr<Surface> depth);
  Result DetachSurface(const Surface& depth);
  // The surface attached with all of `caps` (the back buffer of a flipping
  // chain, a depth buffer, the next mipmap level); NotAttached when there is none.
  Result GetAttachedSurface(uint32_t caps, std::shared_ptr<Surface>& out) const;

  // Swaps the pictures of a flipping chain's front and back buffers.
  Result Flip();
  // Ok when the last flip has finished (always, unless a result is forced).
  Result GetFlipStatus() const;

  // SurfaceLost while lost, else Ok.
  Result IsLost() const;
  // The smaller mipmap levels with it.
  Result Restore();

  // The garbage a restored surface holds, byte by byte.
  static uint8_t GarbageByte(size_t offset);

 private:
  friend class Adapter;
  friend class Device;
  friend class Screen;

  // `countedBytes` of video memory are reserved for it, and given back when
  // it goes.
  Surface(std::shared_ptr<Adapter> adapter, uint64_t owner, const SurfaceDesc& desc, uint64_t countedBytes);
  Result Usable() const;  // needs mMutex
  LockedPixels Plane();   // needs mMutex
  Rect Bounds() const { return SizeRect(mDesc.width, mDesc.height); }
  // Where blits may write: the surface, cut to its clipper's area.
  Rect WritableArea() const;
  Result CopyFrom(const Rect& area, Surface& source, const Rect& sourceArea, const Rect& clip, uint32_t flags);
  void Changed();  // shows the picture when this is the screen's
  void Lose() { mLost.store(true); }
  bool Lost() const { return mLost.load(); }
  void FillWithGarbage();

  std::shared_ptr<Adapter> mAdapter;
  uint64_t mOwner;  // the number of the device that made it
  SurfaceDesc mDesc;
  uint64_t mCountedBytes;
  std::vector<uint8_t> mPixels;
  std::shared_ptr<Surface> mBackBuffer;  // of a flipping chain's front
  std::shared_ptr<Surface> mDepth;
  std::shared_ptr<Surface> mNextLevel;  // of a mipmap chain
  std::shared_ptr<Screen> mScreen;  // of the primary surface: the window it shows in
  std::optional<ColorKey> mColorKey;
  std::shared_ptr<Palette> mPalette;
  std::shared_ptr<Clipper> mClipper;
  mutable std::mutex mMutex;
  bool mLocked = false;
  std::atomic<bool> mLost{false};
};

// Bytes one row of `width` pixels takes: whole pixels, rounded up to 4 bytes.
int32_t PitchFor(int32_t width, const PixelFormat& format);

}  // namespace sys::gfx
