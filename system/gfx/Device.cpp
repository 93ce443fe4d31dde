#include "system/gfx/Device.h"

#include <algorithm>

namespace sys::gfx {
namespace {

// No surface is larger on either side; sizes come from files and callers.
constexpr int32_t kLargestSide = 16384;
constexpr uint32_t kMemoryCaps = kCapsVideoMemory | kCapsSystemMemory;

bool WantsFlippingChain(const SurfaceDesc& desc) {
  return (desc.caps & kCapsFlip) || desc.backBufferCount > 0;
}

// Which memory a plain surface goes to; 0 when the caps ask for both.
uint32_t ChooseMemory(uint32_t caps, const PixelFormat& format) {
  uint32_t memory = caps & kMemoryCaps;
  if (memory == kMemoryCaps) return 0;
  if (memory) return memory;
  return format.IsPaletteIndexed() ? kCapsSystemMemory : kCapsVideoMemory;
}

}  // namespace

int32_t MipmapLevelsOf(int32_t width, int32_t height) {
  int32_t levels = 1;
  for (int32_t side = std::max(width, height); side > 1; side /= 2) ++levels;
  return levels;
}

std::optional<PixelFormat> DisplayFormatFor(uint32_t bitCount) {
  switch (bitCount) {
    case 32: return MakePixelFormat(PixelLayout::X8R8G8B8);
    case 16: return MakePixelFormat(PixelLayout::R5G6B5);
    case 15: return MakePixelFormat(PixelLayout::X1R5G5B5);
  }
  return std::nullopt;
}

Result Device::Create(std::shared_ptr<Adapter> adapter, int32_t index, std::unique_ptr<Device>& out) {
  if (!adapter) return Result::InvalidArgument;
  if (Result forced = adapter->TakeForced(AdapterOperation::CreateDevice); forced != Result::Ok) return forced;
  std::vector<AdapterDevice> devices = adapter->Devices();
  if (index < 0 || index >= static_cast<int32_t>(devices.size())) return Result::InvalidArgument;
  out.reset(new Device(std::move(adapter), devices[static_cast<size_t>(index)].identifier));
  return Result::Ok;
}

Device::Device(std::shared_ptr<Adapter> adapter, DeviceIdentifier identifier)
    : mAdapter(std::move(adapter)), mNumber(mAdapter->NumberDevice()), mIdentifier(std::move(identifier)) {}

Device::~Device() { RestoreDisplayMode(); }

Result Device::SetCooperativeLevel(NativeWindow* window, CooperativeLevel level) {
  if (level == CooperativeLevel::ExclusiveFullScreen && !window) return Result::InvalidArgument;
  if (Result forced = mAdapter->TakeForced(AdapterOperation::SetCooperativeLevel); forced != Result::Ok) {
    return forced;
  }
  if (window && (!mScreen || mScreen->Window() != window)) mScreen = std::make_shared<Screen>(window);
  if (!window) mScreen.reset();
  mLevel = level;
  if (level == CooperativeLevel::Normal) RestoreDisplayMode();
  mLevelSet = true;
  return Result::Ok;
}

Result Device::GetDisplayModes(std::vector<DisplayMode>& out) const {
  out = mAdapter->Modes();
  return Result::Ok;
}

Result Device::SetDisplayMode(const DisplayMode& mode) {
  if (!mLevelSet || mLevel != CooperativeLevel::ExclusiveFullScreen) return Result::NoExclusiveMode;
  if (Result forced = mAdapter->TakeForced(AdapterOperation::SetDisplayMode); forced != Result::Ok) return forced;
  std::vector<DisplayMode> modes = mAdapter->Modes();
  if (std::find(modes.begin(), modes.end(), mode) == modes.end() || !DisplayFormatFor(mode.bitCount)) {
    return Result::InvalidMode;
  }
  mMode = mode;
  mModeSet = true;
  mScreen->SetFullScreen(true);
  return Result::Ok;
}

Result Device::RestoreDisplayMode() {
  mModeSet = false;
  if (mScreen) mScreen->SetFullScreen(false);
  return Result::Ok;
}

DisplayMode Device::GetDisplayMode() const {
  if (mModeSet) return mMode;
  Desktop desktop = mAdapter->GetDesktop();
  return DisplayMode{desktop.width, desktop.height, desktop.bitCount};
}

PixelFormat Device::DisplayFormat() const {
  return DisplayFormatFor(GetDisplayMode().bitCount).value_or(PixelFormat{});
}

Result Device::GetCaps(DeviceCaps& out) const {
  out.totalVideoMemory = mAdapter->TotalVideoMemory();
  out.freeVideoMemory = mAdapter->FreeVideoMemory();
  return Result::Ok;
}

Result Device::GetIdentifier(DeviceIdentifier& out) const {
  out = mIdentifier;
  return Result::Ok;
}

Result Device::TestCooperativeLevel() {
  if (Result forced = mAdapter->TakeForced(AdapterOperation::TestCooperativeLevel); forced != Result::Ok) {
    return forced;
  }
  return mLevelSet ? Result::Ok : Result::NoCooperativeLevel;
}

Result Device::RestoreAllSurfaces() {
  if (Result forced = mAdapter->TakeForced(AdapterOperation::RestoreAllSurfaces); forced != Result::Ok) {
    return forced;
  }
  mAdapter->RestoreSurfacesOf(mNumber);
  return Result::Ok;
}

Result Device::CreateSurface(const SurfaceDesc& desc, std::shared_ptr<Surface>& out) {
  if (Result forced = mAdapter->TakeForced(AdapterOperation::CreateSurface); forced != Result::Ok) return forced;
  if (desc.caps & kCapsPrimarySurface) return CreatePrimary(desc, out);
  if (WantsFlippingChain(desc)) return Result::InvalidCaps;
  return CreatePlain(desc, out);
}

Result Device::CreatePrimary(const SurfaceDesc& desc, std::shared_ptr<Surface>& out) {
  if (!mLevelSet) return Result::NoCooperativeLevel;
  if (desc.format || (desc.caps & (kCapsSystemMemory | kCapsDepthBuffer))) return Result::InvalidCaps;
  if (WantsFlippingChain(desc)) return CreateFlippingChain(desc, out);
  // Windowed, the primary is the desktop: its memory is already in use, so
  // it takes nothing from the budget.
  DisplayMode mode = GetDisplayMode();
  // Screens of 256 colours or fewer are not offered.
  if (!DisplayFormatFor(mode.bitCount)) return Result::InvalidPixelFormat;
  SurfaceDesc primary;
  primary.width = mode.width;
  primary.height = mode.height;
  primary.caps = (desc.caps & ~kCapsAlphaChannel) | kCapsVideoMemory;
  primary.format = DisplayFormat();
  if (Result made = MakeSurface(primary, false, out); made != Result::Ok) return made;
  ShowOnScreen(out);
  return Result::Ok;
}

void Device::ShowOnScreen(const std::shared_ptr<Surface>& primary) {
  if (!mScreen) return;
  primary->mScreen = mScreen;
  mScreen->SetPrimary(primary);
}

Result Device::CreateFlippingChain(const SurfaceDesc& desc, std::shared_ptr<Surface>& out) {
  if (mLevel != CooperativeLevel::ExclusiveFullScreen || !mModeSet) return Result::NoExclusiveMode;
  if (desc.backBufferCount != 1 || !(desc.caps & kCapsFlip) || !(desc.caps & kCapsComplex)) {
    return Result::InvalidCaps;
  }
  SurfaceDesc front;
  front.width = mMode.width;
  front.height = mMode.height;
  front.caps = (desc.caps & ~kCapsAlphaChannel) | kCapsFrontBuffer | kCapsVideoMemory;
  front.format = DisplayFormat();
  front.backBufferCount = 1;
  SurfaceDesc back = front;
  back.caps = (front.caps & ~(kCapsPrimarySurface | kCapsFrontBuffer)) | kCapsBackBuffer;
  back.backBufferCount = 0;
  std::shared_ptr<Surface> backBuffer;
  if (Result made = MakeSurface(back, true, backBuffer); made != Result::Ok) return made;
  if (Result made = MakeSurface(front, true, out); made != Result::Ok) return made;
  out->mBackBuffer = std::move(backBuffer);
  ShowOnScreen(out);
  return Result::Ok;
}

Result Device::CreatePlain(const SurfaceDesc& desc, std::shared_ptr<Surface>& out) {
  if (desc.width <= 0 || desc.height <= 0 || desc.width > kLargestSide || desc.height > kLargestSide) {
    return Result::InvalidArgument;
  }
  SurfaceDesc plain = desc;
  plain.format = desc.format.value_or(DisplayFormat());
  if (LayoutOf(*plain.format) == PixelLayout::Unknown) return Result::InvalidPixelFormat;
  bool depth = (desc.caps & kCapsDepthBuffer) != 0;
  if (depth != plain.format->IsDepth()) return depth ? Result::InvalidPixelFormat : Result::InvalidCaps;
  uint32_t memory = ChooseMemory(desc.caps, *plain.format);
  if (memory == 0) return Result::InvalidCaps;
  if (memory == kCapsVideoMemory && plain.format->IsPaletteIndexed()) return Result::InvalidPixelFormat;
  if (!(plain.caps & (kCapsTexture | kCapsDepthBuffer))) plain.caps |= kCapsOffscreenPlain;
  plain.caps = (plain.caps & ~kMemoryCaps) | memory;
  plain.backBufferCount = 0;
  if (plain.mipMapCount > 1) return CreateMipmapChain(plain, out);
  plain.mipMapCount = 0;
  return MakeSurface(plain, memory == kCapsVideoMemory, out);
}

// The smallest level is made first, so that each level can hold the next.
Result Device::CreateMipmapChain(const SurfaceDesc& desc, std::shared_ptr<Surface>& out) {
  if (!(desc.caps & kCapsTexture)) return Result::InvalidCaps;
  if (desc.mipMapCount > MipmapLevelsOf(desc.width, desc.height)) return Result::InvalidArgument;
  bool video = (desc.caps & kCapsVideoMemory) != 0;
  std::shared_ptr<Surface> below;
  for (int32_t level = desc.mipMapCount - 1; level >= 0; --level) {
    SurfaceDesc levelDesc = desc;
    levelDesc.width = std::max(1, desc.width >> level);
    levelDesc.height = std::max(1, desc.height >> level);
    levelDesc.caps |= kCapsMipmap;
    levelDesc.mipMapCount = desc.mipMapCount - level;
    std::shared_ptr<Surface> made;
    if (Result result = MakeSurface(levelDesc, video, made); result != Result::Ok) return result;
    made->mNextLevel = std::move(below);
    below = std::move(made);
  }
  out = std::move(below);
  return Result::Ok;
}

Result Device::CreatePalette(const Palette::Entries& entries, std::shared_ptr<Palette>& out) {
  out = std::make_shared<Palette>(entries);
  return Result::Ok;
}

Result Device::CreateClipper(std::shared_ptr<Clipper>& out) {
  out = std::make_shared<Clipper>();
  return Result::Ok;
}

Result Device::MakeSurface(SurfaceDesc desc, bool countsMemory, std::shared_ptr<Surface>& out) {
  uint64_t bytes = static_cast<uint64_t>(PitchFor(desc.width, *desc.format)) * static_cast<uint64_t>(desc.height);
  bool video = (desc.caps & kCapsVideoMemory) != 0;
  uint64_t counted = video && countsMemory ? bytes : 0;
  if (counted && !mAdapter->ReserveVideoMemory(counted)) return Result::OutOfVideoMemory;
  std::shared_ptr<Surface> surface(new Surface(mAdapter, mNumber, desc, counted));
  if (video) mAdapter->Track(surface.get());
  out = std::move(surface);
  return Result::Ok;
}

}  // namespace sys::gfx
