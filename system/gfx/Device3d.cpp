#include "system/gfx/Device3d.h"

#include <algorithm>
#include <cmath>

#include "system/gfx/raster/PixelMath.h"

namespace sys::gfx {
namespace {

// A surface locked for rendering while the object lives.
class RenderingLock {
 public:
  RenderingLock() = default;
  RenderingLock(const RenderingLock&) = delete;
  RenderingLock& operator=(const RenderingLock&) = delete;
  ~RenderingLock() {
    if (mSurface) mSurface->Unlock();
  }

  // Ok without a surface: nothing to lock.
  Result Take(Surface* surface) {
    if (!surface) return Result::Ok;
    const Result result = surface->LockForRendering(mPixels);
    if (result == Result::Ok) mSurface = surface;
    return result;
  }
  const LockedPixels& Pixels() const { return mPixels; }
  bool Held() const { return mSurface != nullptr; }

 private:
  Surface* mSurface = nullptr;
  LockedPixels mPixels;
};

// A texture and the levels of its mipmap chain, as many as a view holds.
Result LockLevels(std::shared_ptr<Surface> level, RenderingLock (&locks)[TextureView::kMaxLevels], TextureView& view) {
  for (int n = 0; level && n < TextureView::kMaxLevels; ++n) {
    if (Result locked = locks[n].Take(level.get()); locked != Result::Ok) return locked;
    const LockedPixels& pixels = locks[n].Pixels();
    view.levels[n] = {pixels.bits, pixels.pitch, pixels.width, pixels.height, LayoutOf(pixels.format)};
    view.levelCount = n + 1;
    std::shared_ptr<Surface> next;
    level->GetAttachedSurface(kCapsMipmap, next);
    level = std::move(next);
  }
  return Result::Ok;
}

ColourView ColourViewOf(const LockedPixels& pixels) {
  return {pixels.bits, pixels.pitch, pixels.width, pixels.height, LayoutOf(pixels.format)};
}

DepthView DepthViewOf(const LockedPixels& pixels) { return {pixels.bits, pixels.pitch, pixels.width, pixels.height}; }

Viewport3d WholeOf(const Surface& target) { return {0, 0, target.Width(), target.Height(), 0.0f, 1.0f}; }

bool SameGuid(const std::array<uint32_t, 4>& a, const std::array<uint32_t, 4>& b) { return a == b; }

}  // namespace

std::vector<Device3dCaps> Device3d::Enumerate(const Device& device) {
  DeviceIdentifier identifier;
  device.GetIdentifier(identifier);
  const std::vector<AdapterDevice> devices = device.GetAdapter()->Devices();
  for (const AdapterDevice& candidate : devices) {
    const DeviceIdentifier& other = candidate.identifier;
    if (other.guid == identifier.guid && other.driver == identifier.driver &&
        other.description == identifier.description) {
      return {candidate.device3d};
    }
  }
  return {devices.empty() ? Device3dCaps{} : devices.front().device3d};
}

Device3d::Device3d(std::shared_ptr<Adapter> adapter, const Device3dCaps& caps)
    : mAdapter(std::move(adapter)), mCaps(caps) {}

Result Device3d::Create(const Device& device, const std::array<uint32_t, 4>& guid, std::shared_ptr<Surface> target,
                        std::unique_ptr<Device3d>& out) {
  const std::shared_ptr<Adapter>& adapter = device.GetAdapter();
  if (Result forced = adapter->TakeForced(AdapterOperation::CreateDevice3d); forced != Result::Ok) return forced;
  const std::vector<Device3dCaps> devices = Enumerate(device);
  const auto chosen = std::find_if(devices.begin(), devices.end(),
                                   [&](const Device3dCaps& caps) { return SameGuid(caps.guid, guid); });
  if (chosen == devices.end()) return Result::InvalidArgument;
  std::unique_ptr<Device3d> made(new Device3d(adapter, *chosen));
  std::shared_ptr<Surface> depth;
  if (Result accepted = made->Accept(target, depth); accepted != Result::Ok) return accepted;
  made->mTarget = std::move(target);
  made->mDepth = std::move(depth);
  made->mViewport = WholeOf(*made->mTarget);
  made->mStates.depthEnable = made->mDepth != nullptr;
  out = std::move(made);
  return Result::Ok;
}

Result Device3d::Accept(const std::shared_ptr<Surface>& target, std::shared_ptr<Surface>& depth) const {
  if (!target) return Result::InvalidArgument;
  if (!(target->Caps() & kCaps3dDevice)) return Result::InvalidCaps;
  const PixelLayout layout = LayoutOf(target->Format());
  const auto& bitCounts = mCaps.renderBitCounts;
  if (!IsColourLayout(layout) ||
      std::find(bitCounts.begin(), bitCounts.end(), target->Format().bitCount) == bitCounts.end()) {
    return Result::InvalidPixelFormat;
  }
  depth.reset();
  if (target->GetAttachedSurface(kCapsDepthBuffer, depth) != Result::Ok) return Result::Ok;
  if (LayoutOf(depth->Format()) != PixelLayout::Depth16) return Result::InvalidPixelFormat;
  if (depth->Width() < target->Width() || depth->Height() < target->Height()) return Result::InvalidArgument;
  return Result::Ok;
}

Result Device3d::BeginScene() {
  if (Result forced = mAdapter->TakeForced(AdapterOperation::BeginScene); forced != Result::Ok) return forced;
  if (mInScene) return Result::Failed;
  mInScene = true;
  return Result::Ok;
}

Result Device3d::EndScene() {
  if (Result forced = mAdapter->TakeForced(AdapterOperation::EndScene); forced != Result::Ok) return forced;
  if (!mInScene) return Result::Failed;
  mInScene = false;
  return Result::Ok;
}

Result Device3d::Clear(uint32_t flags, uint32_t argb, float z) {
  if (Result forced = mAdapter->TakeForced(AdapterOperation::Clear); forced != Result::Ok) return forced;
  if (!(flags & (kClearTarget | kClearDepth)) || !std::isfinite(z)) return Result::InvalidArgument;
  if ((flags & kClearDepth) && !mDepth) return Result::NoObject;
  RenderingLock target, depth;
  if (flags & kClearTarget) {
    if (Result locked = target.Take(mTarget.get()); locked != Result::Ok) return locked;
  }
  if (flags & kClearDepth) {
    if (Result locked = depth.Take(mDepth.get()); locked != Result::Ok) return locked;
  }
  const Viewport3d& vp = mViewport;
  if (target.Held()) {
    const LockedPixels& pixels = target.Pixels();
    const uint32_t value = PixelFromArgb(pixels.format, argb);
    const uint32_t bytes = pixels.format.BytesPerPixel();
    for (int32_t y = vp.y; y < vp.y + vp.height; ++y) {
      uint8_t* row = pixels.bits + static_cast<intptr_t>(y) * pixels.pitch + static_cast<intptr_t>(vp.x) * bytes;
      for (int32_t x = 0; x < vp.width; ++x) WritePixel(row + x * bytes, bytes, value);
    }
  }
  if (depth.Held()) {
    const DepthView view = DepthViewOf(depth.Pixels());
    const uint16_t value = pixel::DepthValue(z);
    for (int32_t y = vp.y; y < vp.y + vp.height; ++y) std::fill_n(view.Row(y) + vp.x, vp.width, value);
  }
  return Result::Ok;
}

Result Device3d::SetRenderTarget(std::shared_ptr<Surface> target) {
  if (Result forced = mAdapter->TakeForced(AdapterOperation::SetRenderTarget); forced != Result::Ok) return forced;
  std::shared_ptr<Surface> depth;
  if (Result accepted = Accept(target, depth); accepted != Result::Ok) return accepted;
  mTarget = std::move(target);
  mDepth = std::move(depth);
  mViewport = WholeOf(*mTarget);
  return Result::Ok;
}

Result Device3d::SetViewport(const Viewport3d& viewport) {
  if (Result forced = mAdapter->TakeForced(AdapterOperation::SetViewport); forced != Result::Ok) return forced;
  const bool inside = viewport.x >= 0 && viewport.y >= 0 && viewport.width > 0 && viewport.height > 0 &&
                      viewport.width <= mTarget->Width() - viewport.x &&
                      viewport.height <= mTarget->Height() - viewport.y;
  const bool depths = viewport.minZ >= 0 && viewport.maxZ <= 1 && viewport.minZ <= viewport.maxZ;
  if (!inside || !depths) return Result::InvalidArgument;
  mViewport = viewport;
  return Result::Ok;
}

Result Device3d::SetTexture(std::shared_ptr<Surface> texture) {
  if (Result forced = mAdapter->TakeForced(AdapterOperation::SetTexture); forced != Result::Ok) return forced;
  if (texture) {
    if (!(texture->Caps() & kCapsTexture)) return Result::InvalidCaps;
    if (!IsColourLayout(LayoutOf(texture->Format()))) return Result::InvalidPixelFormat;
    const int32_t width = texture->Width(), height = texture->Height();
    const int32_t aspect = std::max(width, height) / std::max(1, std::min(width, height));
    if (width > mCaps.maxTextureWidth || height > mCaps.maxTextureHeight || aspect > mCaps.maxTextureAspectRatio ||
        (mCaps.squareTexturesOnly && width != height)) {
      return Result::Unsupported;
    }
  }
  mTexture = std::move(texture);
  return Result::Ok;
}

Result Device3d::LightEnable(uint32_t index, bool on) {
  return mPipeline.Lights().Enable(index, on) ? Result::Ok : Result::InvalidArgument;
}

Result Device3d::DrawPrimitive(PrimitiveType type, VertexLayout layout, const void* vertices, uint32_t vertexCount) {
  return Draw(type, layout, vertices, vertexCount, nullptr, 0);
}

Result Device3d::DrawIndexedPrimitive(PrimitiveType type, VertexLayout layout, const void* vertices,
                                      uint32_t vertexCount, const uint16_t* indices, uint32_t indexCount) {
  if (!indices) return Result::InvalidArgument;
  return Draw(type, layout, vertices, vertexCount, indices, indexCount);
}

void Device3d::UsePlainShader(bool plain) {
  mPipeline.Raster().SetPath(plain ? Rasterizer::Path::Plain : Rasterizer::Path::Simd);
}

Result Device3d::Draw(PrimitiveType type, VertexLayout layout, const void* vertices, uint32_t vertexCount,
                      const uint16_t* indices, uint32_t indexCount) {
  if (Result forced = mAdapter->TakeForced(AdapterOperation::DrawPrimitive); forced != Result::Ok) return forced;
  if (!mInScene) return Result::Failed;
  RenderingLock target, depth;
  if (Result locked = target.Take(mTarget.get()); locked != Result::Ok) return locked;
  if (mStates.depthEnable) {
    if (Result locked = depth.Take(mDepth.get()); locked != Result::Ok) return locked;
  }
  RenderingLock levels[TextureView::kMaxLevels];
  TextureView textureView;
  if (Result locked = LockLevels(mTexture, levels, textureView); locked != Result::Ok) return locked;
  Rasterizer& raster = mPipeline.Raster();
  raster.SetTarget(ColourViewOf(target.Pixels()), depth.Held() ? DepthViewOf(depth.Pixels()) : DepthView{});
  raster.SetTexture(textureView.levelCount > 0 ? &textureView : nullptr);
  raster.SetStates(mStates);
  mPipeline.SetViewport(mViewport);
  const Result drawn = mPipeline.Draw(type, layout, vertices, vertexCount, indices, indexCount);
  raster.SetTexture(nullptr);
  return drawn;
}

}  // namespace sys::gfx
