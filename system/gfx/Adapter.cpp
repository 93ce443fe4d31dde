#include "system/gfx/Adapter.h"

#include <algorithm>

#include "system/gfx/Surface.h"

namespace sys::gfx {

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

void Adapter::RestoreSurfacesOf(const void* owner) {
  std::lock_guard guard(mMutex);
  for (Surface* surface : mVideoSurfaces) {
    if (surface->mOwner != owner || !surface->Lost()) continue;
    std::lock_guard surfaceGuard(surface->mMutex);
    surface->FillWithGarbage();
  }
}

}  // namespace sys::gfx
