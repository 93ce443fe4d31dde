#include "media/display/TDXContext.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "media/display/DisplayRules.h"
#include "platform/crypto/Guid.h"
#include "platform/text/Log.h"
#include "system/window/Window.h"

using sys::gfx::Result;

namespace {

// Desktops of this many colours or fewer cannot run the program at all.
constexpr int32_t kFewestColors = 16;
constexpr int32_t kLeastDepthBits = 16;


bool RendersAt(const sys::gfx::Device3dCaps& caps, uint32_t bitCount) {
  return std::find(caps.renderBitCounts.begin(), caps.renderBitCounts.end(), bitCount) != caps.renderBitCounts.end();
}

// Bytes as upper-case hexadecimal digits, two per byte.
class HexBytes {
 public:
  template <class Value>
  HexBytes& Add(const Value& value) {
    uint8_t bytes[sizeof(Value)];
    std::memcpy(bytes, &value, sizeof(Value));
    for (uint8_t byte : bytes) mText += TString::Format("%02X", byte);
    return *this;
  }
  const TString& Text() const { return mText; }

 private:
  TString mText;
};

TString DeviceCapsHex(const sys::gfx::DeviceCaps& caps) {
  return HexBytes().Add(caps.totalVideoMemory).Add(caps.freeVideoMemory).Text();
}

TString DeviceDescriptionHex(const sys::gfx::Device3dCaps& caps) {
  HexBytes hex;
  for (uint32_t word : caps.guid) hex.Add(word);
  uint32_t flags = uint32_t{caps.hardwareRasterization} | uint32_t{caps.hardwareTransformAndLight} << 1 |
                   uint32_t{caps.gouraudRgb} << 2 | uint32_t{caps.specularGouraudRgb} << 3 |
                   uint32_t{caps.squareTexturesOnly} << 4 | uint32_t{caps.separateTextureMemories} << 5;
  hex.Add(flags).Add(caps.maxTextureWidth).Add(caps.maxTextureHeight).Add(caps.maxTextureAspectRatio);
  hex.Add(caps.maxActiveLights);
  for (uint32_t bits : caps.renderBitCounts) hex.Add(bits);
  return hex.Text();
}

}  // namespace

TDXContext::TDXContext(std::shared_ptr<sys::gfx::Adapter> adapter)
    : mAdapter(std::move(adapter)), mDisplay(mAdapter) {
  uint32_t guid[4];
  CreateGuid(guid);
  mMouseMutexName =
      TString::Format("TDXContextMouseMutex:%x:%x:%x:%x", guid[0], guid[1], guid[2], guid[3]).CStr();
  ReadDesktop();
}

TDXContext::~TDXContext() {
  if (mListener) mListener->ForgetContext();
  mDevice.reset();
}

void TDXContext::ReadDesktop() {
  std::lock_guard lock(mMouseMutex);
  sys::gfx::Desktop desktop = mAdapter->GetDesktop();
  mDesktopColors = desktop.colors;
  mDesktopWidth = desktop.width;
  mDesktopHeight = desktop.height;
}

bool TDXContext::Create(sys::Window* window, bool fullScreen, int32_t width, int32_t height, uint32_t bitCount,
                        uint32_t flags) {
  std::lock_guard lock(mMouseMutex);
  if (mExternalWindow) {
    fullScreen = false;
    mLowVideoMemory = false;
  }
  ReleaseDevice();
  ReadDesktop();
  mWindow = window;
  float scale = 1.0f;
  bool scaled = DrawsScaled(scale);
  if (!window || !DesktopAllows(fullScreen, width, height, scaled)) return false;
  if (!SetMode(fullScreen, width, height, bitCount, flags, scale)) return false;
  mDisplayMode = GetDirectDraw()->GetDisplayMode();
  if (!ChooseDevice(scaled)) return false;
  std::shared_ptr<sys::gfx::Surface> depth;
  if (!CreateDepthBuffer(fullScreen, depth) || !CreateDevice(depth)) return false;
  ResetCursorState();
  if (mDeviceDescription.maxTextureWidth < kLeastTextureSide || mDeviceDescription.maxTextureHeight < kLeastTextureSide) {
    LogPrintf("TDXContext::Create - context does not support 1024x1024 textures! Failing!");
    ReleaseDevice();
    return false;
  }
  ReportDevice();
  return true;
}

bool TDXContext::DesktopAllows(bool fullScreen, int32_t width, int32_t height, bool scaled) {
  if (!fullScreen && !scaled && (mDesktopWidth <= width || mDesktopHeight <= height)) return false;
  if (mDesktopColors == -1) return true;
  if (mDesktopColors <= kFewestColors) {
    mDesktopUnusable = true;
    return false;
  }
  return fullScreen;
}

bool TDXContext::SetMode(bool fullScreen, int32_t width, int32_t height, uint32_t bitCount, uint32_t flags,
                         float scale) {
  sys::NativeWindow* native = &mWindow->Native();
  Result made;
  if (fullScreen) {
    made = mDisplay.CreateFullScreenDisplay(native, width, height, bitCount, flags);
  } else {
    if (mLowVideoMemory) return false;
    made = mDisplay.CreateWindowedDisplay(native, nullptr, Scaled(width, scale), Scaled(height, scale), mRetry,
                                          (flags & kCreateEmbedded) != 0);
    if (made == Result::OutOfVideoMemory) mLowVideoMemory = true;
  }
  CheckVideoMemory(made);
  return made == Result::Ok;
}

// A device that renders at the display's depth with Gouraud shading; in
// hardware unless the game draws scaled. Hardware wins over software, and
// hardware that also transforms and lights ends the search.
bool TDXContext::ChooseDevice(bool scaled) {
  bool found = false;
  mHardware = false;
  for (const sys::gfx::Device3dCaps& caps : sys::gfx::Device3d::Enumerate(*GetDirectDraw())) {
    if (!RendersAt(caps, mDisplayMode.bitCount) || !caps.gouraudRgb) continue;
    if (!caps.hardwareRasterization && (!scaled || mHardware)) continue;
    mDeviceDescription = caps;
    mHardware = caps.hardwareRasterization;
    found = true;
    if (caps.hardwareRasterization && caps.hardwareTransformAndLight) break;
  }
  if (!mHardware && !scaled) {
    LogPrintf("TDXContext::Create failed! Could not find a hardware renderer.");
    return false;
  }
  return found;
}

bool TDXContext::CreateDepthBuffer(bool fullScreen, std::shared_ptr<sys::gfx::Surface>& out) {
  const auto& formats = mDeviceDescription.depthFormats;
  auto pure = std::find_if(formats.begin(), formats.end(), [](const sys::gfx::PixelFormat& format) {
    return format.IsDepth() && !(format.flags & sys::gfx::kPixelRgb) &&
           format.bitCount >= static_cast<uint32_t>(kLeastDepthBits);
  });
  if (pure == formats.end()) return false;
  mDepthFormat = *pure;
  const std::shared_ptr<sys::gfx::Surface>& back = GetBackBuffer();
  sys::gfx::SurfaceDesc desc;
  desc.width = back->Width();
  desc.height = back->Height();
  desc.caps = sys::gfx::kCapsDepthBuffer | (mHardware ? sys::gfx::kCapsVideoMemory : sys::gfx::kCapsSystemMemory);
  desc.format = mDepthFormat;
  Result made = GetDirectDraw()->CreateSurface(desc, out);
  if (made == Result::OutOfVideoMemory && !fullScreen) mLowVideoMemory = true;
  CheckVideoMemory(made);
  return made == Result::Ok;
}

// A device that runs out of video memory asks the next window for video
// memory of its own; one that cannot draw at the desktop's depth makes the
// next set-up take the desktop for one it cannot use in a window.
bool TDXContext::CreateDevice(const std::shared_ptr<sys::gfx::Surface>& depth) {
  const std::shared_ptr<sys::gfx::Surface>& back = GetBackBuffer();
  Result made = back->AttachSurface(depth);
  if (made == Result::Ok) made = sys::gfx::Device3d::Create(*GetDirectDraw(), mDeviceDescription.guid, back, mDevice);
  if (made == Result::OutOfVideoMemory) mRetry = true;
  if (made == Result::InvalidPixelFormat) mDesktopColors = 32;
  CheckVideoMemory(made);
  return made == Result::Ok;
}

void TDXContext::ReportDevice() {
  sys::gfx::DeviceIdentifier id;
  GetDirectDraw()->GetIdentifier(id);
  mDeviceName = id.description.c_str();
  TString identifier = TString::Format(
      "Device identifier:  \n  Driver: '%s'\n  Description: '%s'\n  Version: %x:%x\n  Vendor ID: %x (%d)\n  "
      "Device ID: %x (%d)\n  SubSys:  : %x (%d)\n  Revision:  %x (%d)\n  GUID:      %x:%x:%x:%x\n",
      id.driver.c_str(), id.description.c_str(), id.versionHigh, id.versionLow, id.vendorId, id.vendorId,
      id.deviceId, id.deviceId, id.subSysId, id.subSysId, id.revision, id.revision, id.guid[0], id.guid[1],
      id.guid[2], id.guid[3]);
  sys::gfx::DeviceCaps caps;
  GetDirectDraw()->GetCaps(caps);
  TString capsLine = TString::Format("DDCAPS: %s\n", DeviceCapsHex(caps).CStr());
  TString descriptionLine = TString::Format("D3DDESC: %s\n", DeviceDescriptionHex(mDeviceDescription).CStr());
  LogPrintf("%s", identifier.CStr());
  LogPrintf("%s", capsLine.CStr());
  LogPrintf("%s", descriptionLine.CStr());
  mDeviceReport += identifier;
  mDeviceReport += capsLine;
  mDeviceReport += descriptionLine;
}

void TDXContext::ReleaseDevice() {
  std::lock_guard lock(mMouseMutex);
  mDevice.reset();
  mDisplay.DestroyObjects();
  if (mWindow) mWindow->Invalidate();
  ResetCursorState();
}

const sys::gfx::PixelFormat* TDXContext::AlphaTextureFormat(uint32_t bitCount) {
  auto [found, added] = mAlphaTextureFormats.try_emplace(bitCount);
  if (added) {
    for (const sys::gfx::PixelFormat& format : mDeviceDescription.textureFormats) {
      const bool usable = format.HasAlpha() && (format.flags & sys::gfx::kPixelRgb) &&
                          !(format.flags & sys::gfx::kPixelLuminance) && format.bitCount == bitCount;
      if (!usable) continue;
      const std::optional<sys::gfx::PixelFormat>& best = found->second;
      if (!best || (std::popcount(format.alphaMask) > std::popcount(best->alphaMask) &&
                    std::popcount(format.blueMask) > 2)) {
        found->second = format;
      }
    }
  }
  return found->second ? &*found->second : nullptr;
}

Result TDXContext::Clear(uint32_t flags) {
  if (!mDevice) return Result::NoObject;
  Result cleared = mDevice->Clear(flags, 0, 1.0f);
  CheckVideoMemory(cleared);
  return cleared;
}

