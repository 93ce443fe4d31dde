// Texture data: making the surface, directly or through the texture utility.
#include <algorithm>

#include "media/display/DisplayRules.h"
#include "media/display/TDxDisplayHandler.h"
#include "media/texture/TDxTextureData.h"
#include "platform/TPlatform.h"
#include "platform/text/Log.h"
#include "system/gfx/Surface.h"
#include "system/gfx/TextureUtility.h"

using sys::gfx::PixelFormat;
using sys::gfx::PixelLayout;
using sys::gfx::Result;

namespace {

constexpr uint32_t kMemoryCaps = sys::gfx::kCapsSystemMemory | sys::gfx::kCapsVideoMemory;

// The smallest power of two, 2 or more, not below the side.
int32_t SquareSideFor(int32_t side) {
  int32_t power = 2;
  while (power < side) power *= 2;
  return power;
}

// The display restarts in 16 bits, where textures take half the memory.
void TellOutOfVideoMemory() {
  if (TPlatform* platform = TPlatform::Instance()) platform->ReportOutOfVideoMemory();
}

Result Create(sys::gfx::Device& device, const sys::gfx::SurfaceDesc& desc, std::shared_ptr<sys::gfx::Surface>& out) {
  Result result = device.CreateSurface(desc, out);
  CheckVideoMemory(result);
  return result;
}

}  // namespace

bool TDxTextureData::CreateSurface(int32_t width, int32_t height) {
  TDxDisplayHandler* display = InstalledDxDisplay();
  for (;;) {
    mMarginX = 0;
    mMarginY = 0;
    int32_t surfaceWidth = width;
    int32_t surfaceHeight = height;
    if (!(mFlags & kSimple) && display && display->RequiresSquareTextures() && width != height) {
      const int32_t side = std::max(SquareSideFor(width), SquareSideFor(height));
      mMarginX = (side - width) / 2;
      mMarginY = (side - height) / 2;
      surfaceWidth = surfaceHeight = side;
    }
    if (!display || !display->GetData().mDirectDraw || !display->GetData().mDevice) {
      LogPrintf("TDxTextureData::CreateSurface: no display device for a %d x %d surface", width, height);
      return false;
    }
    DropSurface();
    bool made = false;
    if (mFlags & (kRenderTarget | kSimple | kPalettized)) {
      Made direct = CreateDirect(*display, surfaceWidth, surfaceHeight);
      if (direct == Made::Again) {
        mFlags &= ~kRenderTarget;
        continue;
      }
      made = direct == Made::Yes;
    } else {
      made = CreateWithUtility(*display, surfaceWidth, surfaceHeight);
      if (made) {
        mMarginX = (mSurfaceWidth - width) / 2;
        mMarginY = (mSurfaceHeight - height) / 2;
      }
    }
    mWidth = width;
    mHeight = height;
    if (!made) return false;
    if ((mFlags & kRenderTarget) && (mFlags & kAlpha)) TryAsRenderTarget(*display);
    return true;
  }
}

// Render textures, "simple" surfaces and palettized ones are made by the
// device itself, in the display's format unless alpha or palette indices
// ask for another.
TDxTextureData::Made TDxTextureData::CreateDirect(TDxDisplayHandler& display, int32_t width, int32_t height) {
  TDxDisplayHandlerData& data = display.GetData();
  sys::gfx::Device& device = *data.mDirectDraw;
  sys::gfx::SurfaceDesc desc;
  desc.width = width;
  desc.height = height;
  desc.caps = (mFlags & kSimple) ? sys::gfx::kCapsOffscreenPlain : sys::gfx::kCapsTexture;
  if (mFlags & kRenderTarget) desc.caps |= sys::gfx::kCaps3dDevice;
  const bool system = !data.mContext->IsHardware() || ((mFlags & kSimple) && (mFlags & kSlow));
  desc.caps |= system ? sys::gfx::kCapsSystemMemory : sys::gfx::kCapsVideoMemory;
  desc.format = data.mBackBuffer->Format();
  if (!system) CheckVideoMemoryFor(display, desc);
  Result result = Result::Failed;
  if (mFlags & kPalettized) {
    desc.caps = sys::gfx::kCapsSystemMemory | sys::gfx::kCapsOffscreenPlain;
    desc.format = sys::gfx::MakePixelFormat(PixelLayout::Palette8);
    result = Create(device, desc, mSurface);
    if (result != Result::Ok) LogPrintf("SURFACE request FAILED for palettized texture format.");
  } else if (mFlags & kAlpha) {
    Made alpha = CreateAlphaSurface(display, desc);
    if (alpha != Made::Yes) return alpha;
    result = Result::Ok;
  } else {
    result = Create(device, desc, mSurface);
    if (result != Result::Ok) {
      desc.caps ^= kMemoryCaps;
      result = Create(device, desc, mSurface);
    }
  }
  if (result != Result::Ok) return Made::No;
  mMadeByUtility = false;
  mMipmapLevel = 0;
  mSurfaceWidth = mSurface->Width();
  mSurfaceHeight = mSurface->Height();
  Clear();
  if (mFlags & kRenderTarget) AttachDepthBuffer(display);
  return Made::Yes;
}

// The device's best alpha format of the display's depth (32 bits for
// render textures once 16-bit ones were refused), else a format of four or
// eight bits a channel, then the same in video memory; then a render
// texture is tried again without "rt", any other as a texture without alpha.
TDxTextureData::Made TDxTextureData::CreateAlphaSurface(TDxDisplayHandler& display, sys::gfx::SurfaceDesc& desc) {
  TDxDisplayHandlerData& data = display.GetData();
  sys::gfx::Device& device = *data.mDirectDraw;
  uint32_t bitCount = data.mBackBuffer->Format().bitCount;
  if ((mFlags & kRenderTarget) && data.mContext->Uses32BitRenderTextures()) bitCount = 32;
  Result result = Result::Failed;
  if (const PixelFormat* best = data.mContext->AlphaTextureFormat(bitCount)) {
    desc.format = *best;
    result = Create(device, desc, mSurface);
  }
  if (result != Result::Ok) {
    const uint32_t caps = desc.caps;
    desc.format = sys::gfx::MakePixelFormat(bitCount == 16 ? PixelLayout::A4R4G4B4 : PixelLayout::A8R8G8B8);
    result = Create(device, desc, mSurface);
    if (result != Result::Ok) {
      desc.caps |= sys::gfx::kCapsVideoMemory;
      result = Create(device, desc, mSurface);
    }
    if (result != Result::Ok) {
      if (mFlags & kRenderTarget) return Made::Again;
      desc.caps = caps;
      desc.format = data.mBackBuffer->Format();
      result = Create(device, desc, mSurface);
    }
  }
  if (result != Result::Ok) return Made::No;
  if (!mSurface->Format().HasAlpha()) LogPrintf("SURFACE request FAILED to get DDPF_ALPHAPIXELS.");
  return Made::Yes;
}

// A surface that would leave no video memory in 32-bit colour makes the
// display restart in 16 bits; the surface is still asked for.
void TDxTextureData::CheckVideoMemoryFor(TDxDisplayHandler& display, const sys::gfx::SurfaceDesc& desc) {
  TDxDisplayHandlerData& data = display.GetData();
  if (data.mBackBuffer->Format().bitCount != 32) return;
  sys::gfx::DeviceCaps caps;
  if (data.mDirectDraw->GetCaps(caps) != Result::Ok) return;
  const uint64_t bytes = uint64_t{desc.format->bitCount} * static_cast<uint64_t>(desc.width) *
                         static_cast<uint64_t>(desc.height) / 8;
  if (caps.freeVideoMemory > bytes) return;
  LogPrintf("TDxTextureData::CreateSurface: Out of Memory in 32 bit mode. Tagging to restart.");
  TellOutOfVideoMemory();
}

// Drawing into the texture tests depth as drawing into the screen does.
void TDxTextureData::AttachDepthBuffer(TDxDisplayHandler& display) {
  TDxDisplayHandlerData& data = display.GetData();
  std::shared_ptr<sys::gfx::Surface> screenDepth;
  const std::shared_ptr<sys::gfx::Surface>& current = data.mDevice->GetRenderTarget();
  if (!current || current->GetAttachedSurface(sys::gfx::kCapsDepthBuffer, screenDepth) != Result::Ok) return;
  sys::gfx::SurfaceDesc desc;
  desc.width = mSurfaceWidth;
  desc.height = mSurfaceHeight;
  desc.caps = screenDepth->Caps();
  desc.format = screenDepth->Format();
  std::shared_ptr<sys::gfx::Surface> depth;
  if (Create(*data.mDirectDraw, desc, depth) != Result::Ok) {
    LogPrintf("FAILED to create z-buffer for render surface!");
    return;
  }
  if (Result attached = mSurface->AttachSurface(depth); attached != Result::Ok) {
    CheckVideoMemory(attached);
    LogPrintf("FAILED to attach z-buffer for render surface!");
  }
}

// Other textures come from the texture utility, in the display's depth:
// with alpha of four or eight bits a channel, else without.
bool TDxTextureData::CreateWithUtility(TDxDisplayHandler& display, int32_t width, int32_t height) {
  TDxDisplayHandlerData& data = display.GetData();
  const bool sixteen = data.mBackBuffer->Format().bitCount == 16;
  const bool alpha = (mFlags & kAlpha) != 0;
  const PixelLayout asked = sixteen ? (alpha ? PixelLayout::A4R4G4B4 : PixelLayout::R5G6B5)
                                    : (alpha ? PixelLayout::A8R8G8B8 : PixelLayout::X8R8G8B8);
  const bool mipmap = (mFlags & kMipmap) != 0;
  sys::gfx::TextureRequest request{width, height, mipmap ? 0 : 1, sys::gfx::MakePixelFormat(asked)};
  Result result =
      sys::gfx::CreateTexture(*data.mDirectDraw, data.mContext->GetDeviceDescription(), request, mSurface);
  CheckVideoMemory(result);
  if (result != Result::Ok) {
    LogPrintf("TDxTextureData::CreateSurface: no %d x %d texture (%s)", width, height, sys::gfx::ResultName(result));
    return false;
  }
  mMipmapLevel = mipmap ? -1 : 0;
  mSurfaceWidth = request.width;
  mSurfaceHeight = request.height;
  mMadeByUtility = true;
  if (sys::gfx::LayoutOf(request.format) != asked && !sixteen) TellOutOfVideoMemory();
  return true;
}

// A render texture with alpha is tried as the device's target once, so that
// a device that refuses 16-bit targets is found out now; the viewport the
// display had stays.
void TDxTextureData::TryAsRenderTarget(TDxDisplayHandler& display) {
  TDxDisplayHandlerData& data = display.GetData();
  if (data.mRenderTargets.empty()) return;
  const std::shared_ptr<sys::gfx::Surface> current = data.mRenderTargets.front()->surface;
  const TRect viewport = data.mViewport;
  display.SwitchRenderTarget(current, mSurface);
  display.SwitchRenderTarget(mSurface, current);
  if (!(data.mViewport == viewport)) display.SetViewport(viewport.left, viewport.top, viewport.right, viewport.bottom);
}

void TDxTextureData::Clear() {
  if (!mSurface) return;
  Result cleared = mSurface->Fill(nullptr, 0);
  if (cleared == Result::SurfaceLost) {
    mSurface->Restore();
    cleared = mSurface->Fill(nullptr, 0);
  }
  CheckVideoMemory(cleared);
}
