#include "system/window/FramePresentation.h"

#include <SDL.h>

#include <cstring>
#include <filesystem>
#include <system_error>

#include "system/os/LayerLog.h"

namespace sys {
namespace {

// Device nodes count, whatever their kind; an unreadable folder holds none.
bool HoldsEntryStartingWith(const std::string& folder, const char* prefix) {
  std::error_code error;
  for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    if (entry->path().filename().string().rfind(prefix, 0) == 0) return true;
  }
  return false;
}

}  // namespace

bool HasGraphicsDevice(const std::string& devices) {
  return HoldsEntryStartingWith(devices + "/dri", "renderD") || HoldsEntryStartingWith(devices, "nvidia0");
}

const char* FramebufferAcceleration(const char* videoDriver, bool graphicsDevice) {
  const bool ownSurface = videoDriver && std::strcmp(videoDriver, "x11") == 0;
  return ownSurface && !graphicsDevice ? "0" : nullptr;
}

void ChooseFramePresentation() {
  const char* hint = FramebufferAcceleration(SDL_GetCurrentVideoDriver(), HasGraphicsDevice("/dev"));
  if (!hint || !SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, hint)) return;
  WriteLog("No graphics device: frames are shown through the window's own surface");
}

}  // namespace sys
