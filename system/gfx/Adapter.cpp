#include "system/gfx/Adapter.h"

#include <SDL.h>

#include <algorithm>

#include "system/gfx/Surface.h"
#include "system/window/SdlWindow.h"

namespace sys::gfx {
namespace {

// The sizes the game's display asks for.
constexpr DisplayMode kGameSizes[] = {{640, 480, 0}, {800, 600, 0}, {1024, 768, 0}};

uint32_t DesktopBits(uint32_t sdlFormat) {
  if (SDL_BYTESPERPIXEL(sdlFormat) == 2) return SDL_BITSPERPIXEL(sdlFormat) == 15 ? 15 : 16;
  return SDL_BITSPERPIXEL(sdlFormat) <= 8 ? 8 : 32;
}

}  // namespace

AdapterConfig Adapter::ConfigFromSdl() {
  AdapterConfig config;
  for (uint32_t bits : {16u, 32u}) {
    for (DisplayMode mode : kGameSizes) config.modes.push_back(DisplayMode{mode.width, mode.height, bits});
  }
  if (!OpenSdlVideo()) return config;
  AdapterDevice device;
  device.identifier.driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
  device.identifier.description = "SDL display (" + device.identifier.driver + ")";
  config.devices.push_back(device);
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
    config.desktop.width = mode.w;
    config.desktop.height = mode.h;
    config.desktop.bitCount = DesktopBits(mode.format);
    config.desktop.colors = config.desktop.bitCount > 8 ? -1 : 1 << config.desktop.bitCount;
    config.desktop.workArea = Rect{0, 0, mode.w, mode.h};
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) == 0) {
      config.desktop.workArea = Rect{usable.x, usable.y, usable.x + usable.w, usable.y + usable.h};
    }
  }
  CloseSdlVideo();
  return config;
}

Adapter::Adapter(AdapterConfig config) : mConfig(std::move(config)) {
  if (mConfig.devices.empty()) mConfig.devices.push_back(AdapterDevice{});
}

Desktop Adapter::GetDesktop() const {
  std::lock_guard guard(mMutex);
  return mConfig.desktop;
}

void Adapter::SetDesktop(const Desktop& desktop) {
  std::lock_guard guard(mMutex);
  mConfig.desktop = desktop;
}

std::vector<AdapterDevice> Adapter::Devices() const {
  std::lock_guard guard(mMutex);
  return mConfig.devices;
}

std::vector<DisplayMode> Adapter::Modes() const {
  std::lock_guard guard(mMutex);
  return mConfig.modes;
}

void Adapter::Force(AdapterOperation operation, Result result) {
  std::lock_guard guard(mMutex);
  mForced[operation].push_back(result);
}

Result Adapter::TakeForced(AdapterOperation operation) {
  std::lock_guard guard(mMutex);
  auto queue = mForced.find(operation);
  if (queue == mForced.end() || queue->second.empty()) return Result::Ok;
  Result result = queue->second.front();
  queue->second.pop_front();
  return result;
}

void Adapter::LoseVideoSurfaces() {
  std::lock_guard guard(mMutex);
  for (Surface* surface : mVideoSurfaces) surface->Lose();
}

uint64_t Adapter::TotalVideoMemory() const {
  std::lock_guard guard(mMutex);
  return mConfig.videoMemory;
}

uint64_t Adapter::FreeVideoMemory() const {
  std::lock_guard guard(mMutex);
  return mConfig.videoMemory - mUsedVideoMemory;
}

bool Adapter::ReserveVideoMemory(uint64_t bytes) {
  std::lock_guard guard(mMutex);
  if (bytes > mConfig.videoMemory - mUsedVideoMemory) return false;
  mUsedVideoMemory += bytes;
  return true;
}

void Adapter::ReleaseVideoMemory(uint64_t bytes) {
  std::lock_guard guard(mMutex);
  mUsedVideoMemory -= std::min(bytes, mUsedVideoMemory);
}

void Adapter::Track(Surface* surface) {
  std::lock_guard guard(mMutex);
  mVideoSurfaces.push_back(surface);
}

void Adapter::Untrack(Surface* surface) {
  std::lock_guard guard(mMutex);
  std::erase(mVideoSurfaces, surface);
}

uint64_t Adapter::NumberDevice() {
  std::lock_guard guard(mMutex);
  return ++mDevicesNumbered;
}

void Adapter::RestoreSurfacesOf(uint64_t owner) {
  std::lock_guard guard(mMutex);
  for (Surface* surface : mVideoSurfaces) {
    if (surface->mOwner != owner || !surface->Lost()) continue;
    std::lock_guard surfaceGuard(surface->mMutex);
    surface->FillWithGarbage();
  }
}

}  // namespace sys::gfx
