#include "system/gfx/Surface.h"

#include "system/gfx/Adapter.h"

namespace sys::gfx {

int32_t PitchFor(int32_t width, const PixelFormat& format) {
  int32_t bytes = width * static_cast<int32_t>(format.BytesPerPixel());
  return (bytes + 3) & ~3;
}

Surface::Surface(std::shared_ptr<Adapter> adapter, const void* owner, const SurfaceDesc& desc,
                 uint64_t countedBytes)
    : mAdapter(std::move(adapter)), mOwner(owner), mDesc(desc), mCountedBytes(countedBytes) {
  mDesc.pitch = PitchFor(mDesc.width, *mDesc.format);
  mPixels.assign(static_cast<size_t>(mDesc.pitch) * static_cast<size_t>(mDesc.height), 0);
}

Surface::~Surface() {
  if (!InVideoMemory()) return;
  mAdapter->Untrack(this);
  mAdapter->ReleaseVideoMemory(mCountedBytes);
}

SurfaceDesc Surface::Describe() const { return mDesc; }

Result Surface::Usable() const {
  if (Lost()) return Result::SurfaceLost;
  if (mLocked) return Result::SurfaceBusy;
  return Result::Ok;
}

Result Surface::Lock(const Rect* area, LockedPixels& out) {
  if (Result forced = mAdapter->TakeForced(AdapterOperation::Lock); forced != Result::Ok) return forced;
  Rect whole = SizeRect(mDesc.width, mDesc.height);
  Rect locked = area ? *area : whole;
  if (locked.IsEmpty() || Intersect(locked, whole) != locked) return Result::InvalidArgument;
  std::lock_guard guard(mMutex);
  if (Result usable = Usable(); usable != Result::Ok) return usable;
  mLocked = true;
  out.bits = mPixels.data() + static_cast<size_t>(locked.top) * static_cast<size_t>(mDesc.pitch) +
             static_cast<size_t>(locked.left) * Format().BytesPerPixel();
  out.pitch = mDesc.pitch;
  out.width = locked.Width();
  out.height = locked.Height();
  out.format = Format();
  return Result::Ok;
}

Result Surface::Unlock() {
  std::lock_guard guard(mMutex);
  if (!mLocked) return Result::NotLocked;
  mLocked = false;
  return Result::Ok;
}

Result Surface::GetAttachedSurface(uint32_t caps, std::shared_ptr<Surface>& out) const {
  std::lock_guard guard(mMutex);
  for (const std::shared_ptr<Surface>& attached : {mBackBuffer, mDepth}) {
    if (attached && (attached->Caps() & caps) == caps) {
      out = attached;
      return Result::Ok;
    }
  }
  return Result::NotAttached;
}

Result Surface::IsLost() const { return Lost() ? Result::SurfaceLost : Result::Ok; }

Result Surface::Restore() {
  if (Result forced = mAdapter->TakeForced(AdapterOperation::RestoreSurface); forced != Result::Ok) return forced;
  std::lock_guard guard(mMutex);
  if (Lost()) FillWithGarbage();
  return Result::Ok;
}

uint8_t Surface::GarbageByte(size_t offset) {
  // A pattern of stripes and noise that no picture is drawn with.
  uint32_t mixed = static_cast<uint32_t>(offset) * 2654435761u;
  return static_cast<uint8_t>((mixed >> 24) ^ 0xA5);
}

void Surface::FillWithGarbage() {
  for (size_t i = 0; i < mPixels.size(); ++i) mPixels[i] = GarbageByte(i);
  mLost.store(false);
}

}  // namespace sys::gfx
