#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "system/gfx/Rect.h"
#include "system/gfx/Result.h"
#include "system/gfx/SurfaceDesc.h"

namespace sys::gfx {

class Adapter;

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

  // The surface attached with all of `caps` (the back buffer of a flipping
  // chain, a depth buffer); NotAttached when there is none.
  Result GetAttachedSurface(uint32_t caps, std::shared_ptr<Surface>& out) const;

  // SurfaceLost while lost, else Ok.
  Result IsLost() const;
  Result Restore();

  // The garbage a restored surface holds, byte by byte.
  static uint8_t GarbageByte(size_t offset);

 private:
  friend class Adapter;
  friend class Device;

  // `countedBytes` of video memory are reserved for it, and given back when
  // it goes.
  Surface(std::shared_ptr<Adapter> adapter, const void* owner, const SurfaceDesc& desc, uint64_t countedBytes);
  Result Usable() const;  // needs mMutex
  void Lose() { mLost.store(true); }
  bool Lost() const { return mLost.load(); }
  void FillWithGarbage();

  std::shared_ptr<Adapter> mAdapter;
  const void* mOwner;  // the device that made it; only compared
  SurfaceDesc mDesc;
  uint64_t mCountedBytes;
  std::vector<uint8_t> mPixels;
  std::shared_ptr<Surface> mBackBuffer;  // of a flipping chain's front
  std::shared_ptr<Surface> mDepth;
  mutable std::mutex mMutex;
  bool mLocked = false;
  std::atomic<bool> mLost{false};
};

// Bytes one row of `width` pixels takes: whole pixels, rounded up to 4 bytes.
int32_t PitchFor(int32_t width, const PixelFormat& format);

}  // namespace sys::gfx
