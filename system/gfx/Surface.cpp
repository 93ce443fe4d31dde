#include "system/gfx/Surface.h"

#include <mutex>

#include "system/gfx/Adapter.h"
#include "system/gfx/PixelCopy.h"
#include "system/gfx/Screen.h"

namespace sys::gfx {
namespace {

uint32_t ValueBits(const PixelFormat& format) {
  return format.bitCount >= 32 ? 0xFFFFFFFFu : (1u << format.bitCount) - 1;
}

}  // namespace

int32_t PitchFor(int32_t width, const PixelFormat& format) {
  int32_t bytes = width * static_cast<int32_t>(format.BytesPerPixel());
  return (bytes + 3) & ~3;
}

Surface::Surface(std::shared_ptr<Adapter> adapter, uint64_t owner, const SurfaceDesc& desc,
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

Result Surface::LockForRendering(LockedPixels& out) {
  std::lock_guard guard(mMutex);
  if (Result usable = Usable(); usable != Result::Ok) return usable;
  mLocked = true;
  out = Plane();
  return Result::Ok;
}

Result Surface::Unlock() {
  {
    std::lock_guard guard(mMutex);
    if (!mLocked) return Result::NotLocked;
    mLocked = false;
  }
  Changed();
  return Result::Ok;
}

LockedPixels Surface::Plane() {
  return LockedPixels{mPixels.data(), mDesc.pitch, mDesc.width, mDesc.height, Format()};
}

Rect Surface::WritableArea() const {
  std::shared_ptr<Clipper> clipper;
  {
    std::lock_guard guard(mMutex);
    clipper = mClipper;
  }
  Rect clip;
  if (!clipper || clipper->GetClipRect(clip) != Result::Ok) return Bounds();
  return Intersect(Bounds(), clip);
}

void Surface::Changed() {
  if (mScreen) mScreen->FrontChanged();
}

Result Surface::Fill(const Rect* area, uint32_t pixel) {
  if (Result forced = mAdapter->TakeForced(AdapterOperation::ColorFill); forced != Result::Ok) return forced;
  Rect filled = area ? *area : Bounds();
  if (filled.right < filled.left || filled.bottom < filled.top || !InCoordinateRange(filled)) {
    return Result::InvalidArgument;
  }
  Rect clip = WritableArea();
  {
    std::lock_guard guard(mMutex);
    if (Result usable = Usable(); usable != Result::Ok) return usable;
    FillPixels(Plane(), Intersect(filled, clip), pixel & ValueBits(Format()));
  }
  Changed();
  return Result::Ok;
}

Result Surface::Blit(const Rect* area, Surface& source, const Rect* sourceArea, uint32_t flags) {
  if (Result forced = mAdapter->TakeForced(AdapterOperation::Blit); forced != Result::Ok) return forced;
  Rect to = area ? *area : Bounds();
  Rect from = sourceArea ? *sourceArea : source.Bounds();
  if (to.IsEmpty() || from.IsEmpty() || !InCoordinateRange(to) || !InCoordinateRange(from)) {
    return Result::InvalidArgument;
  }
  return CopyFrom(to, source, from, WritableArea(), flags);
}

Result Surface::BlitFast(int32_t x, int32_t y, Surface& source, const Rect* sourceArea, uint32_t flags) {
  if (Result forced = mAdapter->TakeForced(AdapterOperation::BlitFast); forced != Result::Ok) return forced;
  Rect from = sourceArea ? *sourceArea : source.Bounds();
  Rect corner{x, y, x, y};
  if (from.IsEmpty() || !InCoordinateRange(from) || !InCoordinateRange(corner)) return Result::InvalidArgument;
  Rect to{x, y, x + from.Width(), y + from.Height()};
  return CopyFrom(to, source, from, Bounds(), flags);
}

Result Surface::CopyFrom(const Rect& area, Surface& source, const Rect& sourceArea, const Rect& clip,
                         uint32_t flags) {
  bool self = &source == this;
  std::unique_lock ownLock(mMutex, std::defer_lock);
  std::unique_lock sourceLock(source.mMutex, std::defer_lock);
  if (self) {
    ownLock.lock();
  } else {
    std::lock(ownLock, sourceLock);
  }
  if (Result usable = source.Usable(); usable != Result::Ok) return usable;
  if (Result usable = Usable(); usable != Result::Ok) return usable;
  bool keyed = (flags & kBlitSourceColorKey) != 0;
  if (keyed && !source.mColorKey) return Result::NoColorKey;
  if (Result fits = CheckCopy(source.Format(), Format(), source.mPalette != nullptr); fits != Result::Ok) {
    return fits;
  }
  CopyOptions options;
  Palette::Entries entries{};
  if (source.mPalette) {
    entries = source.mPalette->Snapshot();
    options.palette = entries.data();
  }
  if (keyed) {
    options.keyed = true;
    options.keyLow = source.mColorKey->low;
    options.keyHigh = source.mColorKey->high;
  }
  // A surface copied onto itself is read from a copy, so that what is
  // written never feeds what is read.
  std::vector<uint8_t> snapshot;
  LockedPixels from = source.Plane();
  if (self) {
    snapshot = mPixels;
    from.bits = snapshot.data();
  }
  CopyPixels(from, sourceArea, Plane(), area, Intersect(clip, Bounds()), options);
  ownLock.unlock();
  if (!self) sourceLock.unlock();
  Changed();
  return Result::Ok;
}

Result Surface::SetColorKey(const ColorKey* key) {
  if (Result forced = mAdapter->TakeForced(AdapterOperation::SetColorKey); forced != Result::Ok) return forced;
  std::lock_guard guard(mMutex);
  mColorKey = key ? std::optional<ColorKey>(*key) : std::nullopt;
  return Result::Ok;
}

Result Surface::GetColorKey(ColorKey& out) const {
  std::lock_guard guard(mMutex);
  if (!mColorKey) return Result::NoColorKey;
  out = *mColorKey;
  return Result::Ok;
}

Result Surface::SetPalette(std::shared_ptr<Palette> palette) {
  if (!Format().IsPaletteIndexed()) return Result::InvalidPixelFormat;
  std::lock_guard guard(mMutex);
  mPalette = std::move(palette);
  return Result::Ok;
}

Result Surface::GetPalette(std::shared_ptr<Palette>& out) const {
  std::lock_guard guard(mMutex);
  if (!mPalette) return Result::NoPalette;
  out = mPalette;
  return Result::Ok;
}

Result Surface::SetClipper(std::shared_ptr<Clipper> clipper) {
  std::lock_guard guard(mMutex);
  mClipper = std::move(clipper);
  return Result::Ok;
}

Result Surface::GetClipper(std::shared_ptr<Clipper>& out) const {
  std::lock_guard guard(mMutex);
  if (!mClipper) return Result::NoClipper;
  out = mClipper;
  return Result::Ok;
}

Result Surface::AttachSurface(std::shared_ptr<Surface> depth) {
  if (Result forced = mAdapter->TakeForced(AdapterOperation::AttachSurface); forced != Result::Ok) return forced;
  if (!depth || depth.get() == this) return Result::InvalidArgument;
  if (!(depth->Caps() & kCapsDepthBuffer) || (Caps() & kCapsDepthBuffer)) return Result::InvalidCaps;
  if (depth->Width() != Width() || depth->Height() != Height()) return Result::InvalidArgument;
  std::lock_guard guard(mMutex);
  if (mDepth) return Result::AlreadyAttached;
  mDepth = std::move(depth);
  return Result::Ok;
}

Result Surface::DetachSurface(const Surface& depth) {
  std::lock_guard guard(mMutex);
  if (mDepth.get() != &depth) return Result::NotAttached;
  mDepth.reset();
  return Result::Ok;
}

Result Surface::Flip() {
  if (Result forced = mAdapter->TakeForced(AdapterOperation::Flip); forced != Result::Ok) return forced;
  if (!(Caps() & kCapsFrontBuffer) || !mBackBuffer) return Result::NotFlippable;
  {
    std::scoped_lock guard(mMutex, mBackBuffer->mMutex);
    if (Result usable = Usable(); usable != Result::Ok) return usable;
    if (Result usable = mBackBuffer->Usable(); usable != Result::Ok) return usable;
    std::swap(mPixels, mBackBuffer->mPixels);
  }
  Changed();
  return Result::Ok;
}

Result Surface::GetFlipStatus() const {
  if (Result forced = mAdapter->TakeForced(AdapterOperation::FlipStatus); forced != Result::Ok) return forced;
  return IsLost();
}

Result Surface::GetAttachedSurface(uint32_t caps, std::shared_ptr<Surface>& out) const {
  std::lock_guard guard(mMutex);
  for (const std::shared_ptr<Surface>& attached : {mBackBuffer, mDepth, mNextLevel}) {
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
  {
    std::lock_guard guard(mMutex);
    if (Lost()) FillWithGarbage();
  }
  return mNextLevel ? mNextLevel->Restore() : Result::Ok;
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
