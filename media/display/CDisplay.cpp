#include "media/display/CDisplay.h"

#include <algorithm>

#include "media/display/DisplayRules.h"
#include "platform/text/Log.h"
#include "system/gfx/Clipper.h"
#include "system/window/MessageBox.h"
#include "system/window/NativeWindow.h"

using sys::gfx::Result;

namespace {

// Below this much video memory a full screen of more than 16 bits is not tried.
constexpr uint64_t kVideoMemoryForDeepColour = 0x1000000;
constexpr uint32_t kNextDevice = 0x10000;
constexpr uint32_t kLeastBitCount = 15;

// A failure that ran out of video memory is told first.
Result Checked(Result result) {
  CheckVideoMemory(result);
  return result;
}

}  // namespace

Result TSurfaceHolder::Create(sys::gfx::Device& device, const sys::gfx::SurfaceDesc& request) {
  Result made = device.CreateSurface(request, surface);
  if (made == Result::Ok) desc = surface->Describe();
  return made;
}

CDisplay::~CDisplay() { DestroyObjects(); }

void CDisplay::DestroyObjects() {
  mBack.reset();
  mFront.reset();
  if (!mDevice) return;
  mDevice->SetCooperativeLevel(mWindow, sys::gfx::CooperativeLevel::Normal);
  mDevice.reset();
}

Result CDisplay::CreateFullScreenDisplay(sys::NativeWindow* window, int32_t width, int32_t height, uint32_t bitCount,
                                         uint32_t attempt) {
  DestroyObjects();
  Result created = CreateDeviceOf(attempt);
  if (created == Result::NoObject) {
    LogPrintf("Failed to create a DirectDraw device after trying all GUIDs");
    if (!mCreatedOnce) {
      sys::ShowMessageBox("Error",
                          "Sorry, but this product isn't compatible with your display. Try using a different "
                          "display, if you have the option.",
                          sys::MessageBoxIcon::Error);
    }
    return Result::Failed;
  }
  if (Checked(created) != Result::Ok) return RetryFullScreen(window, width, height, bitCount, attempt);
  if (Checked(mDevice->SetCooperativeLevel(window, sys::gfx::CooperativeLevel::ExclusiveFullScreen)) != Result::Ok) {
    return RetryFullScreen(window, width, height, bitCount, attempt);
  }
  sys::gfx::DeviceCaps caps;
  if (mDevice->GetCaps(caps) == Result::Ok && caps.totalVideoMemory < kVideoMemoryForDeepColour && bitCount > 16) {
    bitCount = 16;
  }
  sys::gfx::DisplayMode mode{width, height, ChooseBitCount(width, height, bitCount)};
  if (Checked(mDevice->SetDisplayMode(mode)) != Result::Ok) {
    LogPrintf("Failed to create screen at %u bpp.", bitCount);
    return RetryFullScreen(window, width, height, bitCount, attempt);
  }
  LogPrintf("Created screen at %u bpp.", bitCount);
  if (CreateFlippingChain() != Result::Ok) return RetryFullScreen(window, width, height, bitCount, attempt);
  mWindow = window;
  mWindowed = false;
  UpdateBounds();
  mBack->Fill(nullptr, 0);
  mFront->Fill(nullptr, 0);
  mCreatedOnce = true;
  return Result::Ok;
}

Result CDisplay::RetryFullScreen(sys::NativeWindow* window, int32_t width, int32_t height, uint32_t bitCount,
                                 uint32_t attempt) {
  return CreateFullScreenDisplay(window, width, height, bitCount, attempt + kNextDevice);
}

// Device 0 is the default device; device n the n-th that has a GUID.
Result CDisplay::CreateDeviceOf(uint32_t attempt) {
  uint32_t wanted = attempt / kNextDevice;
  if (wanted == 0) return sys::gfx::Device::Create(mAdapter, 0, mDevice);
  std::vector<sys::gfx::AdapterDevice> devices = mAdapter->Devices();
  uint32_t seen = 0;
  for (size_t index = 0; index < devices.size(); ++index) {
    if (devices[index].hasGuid && ++seen == wanted) {
      return sys::gfx::Device::Create(mAdapter, static_cast<int32_t>(index), mDevice);
    }
  }
  return Result::NoObject;
}

// Among the modes of exactly this size and at least 15 bits: the asked depth
// when offered, else a 16-bit mode, else the first; the asked depth when the
// size has no mode at all.
uint32_t CDisplay::ChooseBitCount(int32_t width, int32_t height, uint32_t bitCount) const {
  std::vector<sys::gfx::DisplayMode> modes;
  mDevice->GetDisplayModes(modes);
  uint32_t chosen = 0;
  for (const sys::gfx::DisplayMode& mode : modes) {
    if (mode.width != width || mode.height != height || mode.bitCount < kLeastBitCount) continue;
    if (mode.bitCount == bitCount) return bitCount;
    if (chosen == 0 || mode.bitCount == 16) chosen = mode.bitCount;
  }
  return chosen == 0 ? bitCount : chosen;
}

// Front and back buffer, with an alpha channel in front when the device gives one.
Result CDisplay::CreateFlippingChain() {
  sys::gfx::SurfaceDesc desc;
  desc.caps = sys::gfx::kCapsPrimarySurface | sys::gfx::kCapsFlip | sys::gfx::kCapsComplex |
              sys::gfx::kCaps3dDevice | sys::gfx::kCapsAlphaChannel;
  desc.backBufferCount = 1;
  if (Checked(mDevice->CreateSurface(desc, mFront)) != Result::Ok) {
    LogPrintf("FAILED to create front buffer with DDSCAPS2_ENABLEALPHACHANNEL");
    desc.caps &= ~sys::gfx::kCapsAlphaChannel;
    if (Checked(mDevice->CreateSurface(desc, mFront)) != Result::Ok) return Result::Failed;
  }
  return Checked(mFront->GetAttachedSurface(sys::gfx::kCapsBackBuffer, mBack));
}

Result CDisplay::CreateWindowedDisplay(sys::NativeWindow* window, sys::NativeWindow* clipWindow, int32_t width,
                                       int32_t height, bool videoMemory, bool embedded) {
  DestroyObjects();
  if (Result created = sys::gfx::Device::Create(mAdapter, 0, mDevice); created != Result::Ok) return created;
  if (mDevice->SetCooperativeLevel(window, sys::gfx::CooperativeLevel::Normal) != Result::Ok) return Result::Failed;
  if (!embedded) FitWindow(*window, width, height);
  if (Result made = CreateWindowedSurfaces(clipWindow ? clipWindow : window, width, height, videoMemory);
      made != Result::Ok) {
    return Checked(made);
  }
  mWindow = window;
  mWindowed = true;
  UpdateBounds();
  mBack->Fill(nullptr, 0);
  mCreatedOnce = true;
  return Result::Ok;
}

// A framed window, not on top of the others, with a client area of the
// display's size, its top-left corner inside the work area.
void CDisplay::FitWindow(sys::NativeWindow& window, int32_t width, int32_t height) {
  if (window.IsDesktopFullScreen()) window.SetDesktopFullScreen(false);
  window.SetClientSize(width, height);
  window.SetAlwaysOnTop(false);
  int32_t x = 0;
  int32_t y = 0;
  window.GetPosition(x, y);
  sys::PixelRect work = window.GetWorkArea();
  if (x < work.left || y < work.top) window.SetPosition(std::max(x, work.left), std::max(y, work.top));
}

Result CDisplay::CreateWindowedSurfaces(sys::NativeWindow* clipWindow, int32_t width, int32_t height,
                                        bool videoMemory) {
  sys::gfx::SurfaceDesc front;
  front.caps = sys::gfx::kCapsPrimarySurface;
  if (Result made = mDevice->CreateSurface(front, mFront); made != Result::Ok) return made;
  sys::gfx::SurfaceDesc back;
  back.width = width;
  back.height = height;
  back.caps = sys::gfx::kCapsOffscreenPlain | sys::gfx::kCaps3dDevice;
  if (videoMemory) back.caps |= sys::gfx::kCapsVideoMemory;
  if (Result made = mDevice->CreateSurface(back, mBack); made != Result::Ok) return made;
  std::shared_ptr<sys::gfx::Clipper> clipper;
  if (Result made = mDevice->CreateClipper(clipper); made != Result::Ok) return made;
  if (Result set = clipper->SetWindow(clipWindow); set != Result::Ok) return set;
  return mFront->SetClipper(std::move(clipper));
}

Result CDisplay::CreateSurface(std::unique_ptr<TSurfaceHolder>& out, int32_t width, int32_t height,
                               const sys::gfx::PixelFormat* format, const uint32_t* caps) {
  out.reset();
  if (!mDevice) return Result::NoObject;
  sys::gfx::SurfaceDesc desc;
  desc.width = width;
  desc.height = height;
  desc.caps = caps ? *caps : sys::gfx::kCapsOffscreenPlain;
  if (format) desc.format = *format;
  auto holder = std::make_unique<TSurfaceHolder>();
  if (Result made = holder->Create(*mDevice, desc); made != Result::Ok) return made;
  out = std::move(holder);
  return Result::Ok;
}

// A window may have been moved (by the user, or by the desktop placing it
// as it appears) since the bounds were read: presents go where it is now.
Result CDisplay::Present() {
  if (!mFront || !mBack) return Result::NoObject;
  if (mWindowed) UpdateBounds();
  for (;;) {
    Result shown = mWindowed ? mFront->Blit(&mScreenRect, *mBack, nullptr, sys::gfx::kBlitWait) : mFront->Flip();
    if (shown == Result::WasStillDrawing) continue;
    if (shown == Result::SurfaceLost) {
      mFront->Restore();
      mBack->Restore();
    }
    return shown;
  }
}

Result CDisplay::PresentRect(const sys::gfx::Rect* destination, const sys::gfx::Rect* source) {
  if (!mFront || !mBack) return Result::NoObject;
  Result shown = mFront->Blit(destination, *mBack, source, sys::gfx::kBlitWait);
  if (destination) mScreenRect = *destination;
  return shown;
}

void CDisplay::UpdateBounds() {
  if (mWindowed) {
    if (mWindow) mScreenRect = sys::gfx::ClientAreaOnDesktop(*mWindow);
    return;
  }
  if (!mDevice) return;
  sys::gfx::DisplayMode mode = mDevice->GetDisplayMode();
  mScreenRect = sys::gfx::SizeRect(mode.width, mode.height);
}

void CDisplay::GetScreenOrigin(int32_t& x, int32_t& y) {
  UpdateBounds();
  x = mScreenRect.left;
  y = mScreenRect.top;
}

Result CDisplay::RestoreDisplayMode() { return mDevice ? mDevice->RestoreDisplayMode() : Result::Ok; }
