#include "system/gfx/Screen.h"

#include <algorithm>
#include <mutex>

#include "system/gfx/Clipper.h"
#include "system/gfx/Surface.h"
#include "system/window/NativeWindow.h"

namespace sys::gfx {
namespace {

std::mutex gScreensMutex;
std::vector<Screen*> gScreens;

bool IsFourByteRgb(const PixelFormat& format) {
  PixelLayout layout = LayoutOf(format);
  return layout == PixelLayout::X8R8G8B8 || layout == PixelLayout::A8R8G8B8;
}

}  // namespace

Screen::Screen(NativeWindow* window) : mWindow(window), mMainThread(std::this_thread::get_id()) {
  std::lock_guard guard(gScreensMutex);
  gScreens.push_back(this);
}

Screen::~Screen() {
  std::lock_guard guard(gScreensMutex);
  std::erase(gScreens, this);
}

void Screen::SetFullScreen(bool on) {
  if (on == mFullScreen) return;
  mFullScreen = on;
  mWindow->SetDesktopFullScreen(on);
}

void Screen::FrontChanged() {
  if (OnMainThread()) {
    mChanged.store(false);
    Present();
    return;
  }
  mChanged.store(true);
}

void Screen::PresentIfChanged() {
  if (OnMainThread() && mChanged.exchange(false)) Present();
}

void Screen::Present() {
  std::shared_ptr<Surface> primary = mPrimary.lock();
  if (!primary) return;
  Rect region = mFullScreen ? primary->Bounds() : ClientAreaOnDesktop(*mWindow);
  if (region.IsEmpty()) return;
  std::lock_guard guard(primary->mMutex);
  if (primary->Lost()) return;
  LockedPixels plane = primary->Plane();
  Rect inside = Intersect(region, primary->Bounds());
  FrameView frame{nullptr, region.Width(), region.Height(), 0};
  if (IsFourByteRgb(plane.format) && inside == region) {
    frame.pixels = plane.bits + static_cast<size_t>(region.top) * static_cast<size_t>(plane.pitch) +
                   4 * static_cast<size_t>(region.left);
    frame.pitch = plane.pitch;
    mWindow->ShowFrame(frame);
    return;
  }
  // Other formats, and windows partly off the desktop, go through a copy.
  mStaging.assign(static_cast<size_t>(region.Width()) * static_cast<size_t>(region.Height()), 0);
  uint32_t bytes = plane.format.BytesPerPixel();
  const std::vector<uint32_t>* table = bytes == 2 ? &WideningTable(plane.format) : nullptr;
  for (int32_t y = std::max(inside.top, region.top); y < inside.bottom; ++y) {
    const uint8_t* row = plane.bits + static_cast<size_t>(y) * static_cast<size_t>(plane.pitch);
    uint32_t* out = mStaging.data() + static_cast<size_t>(y - region.top) * static_cast<size_t>(region.Width());
    for (int32_t x = inside.left; x < inside.right; ++x) {
      uint32_t pixel = ReadPixel(row + static_cast<size_t>(x) * bytes, bytes);
      out[x - region.left] = table ? (*table)[pixel] : ArgbFromPixel(plane.format, pixel);
    }
  }
  frame.pixels = reinterpret_cast<const uint8_t*>(mStaging.data());
  frame.pitch = 4 * region.Width();
  mWindow->ShowFrame(frame);
}

const std::vector<uint32_t>& Screen::WideningTable(const PixelFormat& format) {
  if (mTable.empty() || !(mTableFormat == format)) {
    mTableFormat = format;
    mTable.resize(1u << 16);
    for (uint32_t pixel = 0; pixel < mTable.size(); ++pixel) mTable[pixel] = ArgbFromPixel(format, pixel);
  }
  return mTable;
}

void PresentChangedScreens() {
  std::lock_guard guard(gScreensMutex);
  for (Screen* screen : gScreens) screen->PresentIfChanged();
}

}  // namespace sys::gfx
