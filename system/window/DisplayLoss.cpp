#include "system/window/DisplayLoss.h"

#include <SDL_syswm.h>
#include <dlfcn.h>

#include <atomic>

#include "system/os/LayerLog.h"

namespace sys {
namespace {

// The library SDL itself loads for its X video driver.
constexpr char kXlibLibrary[] = "libX11.so.6";
using SetIOErrorHandler = decltype(&XSetIOErrorHandler);
using SetIOErrorExitHandler = decltype(&XSetIOErrorExitHandler);

// Xlib may report the same loss again from later calls: it is logged and
// read once.
std::atomic<bool> gDisplayLost{false};
std::atomic<bool> gCloseWanted{false};

int NoteBrokenDisplay(Display*) {
  NoteDisplayLost();
  return 0;
}

// Returning, instead of ending the process, is what lets Xlib carry on.
void CarryOnWithoutDisplay(Display*, void*) {}

Display* XDisplayOf(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return nullptr;
  return info.info.x11.display;
}

}  // namespace

void WatchForDisplayLoss(SDL_Window* window) {
  gDisplayLost.store(false);
  gCloseWanted.store(false);
  Display* display = XDisplayOf(window);
  if (!display) return;
  static void* const library = dlopen(kXlibLibrary, RTLD_NOW | RTLD_LOCAL);
  auto setHandler = reinterpret_cast<SetIOErrorHandler>(library ? dlsym(library, "XSetIOErrorHandler") : nullptr);
  auto setExitHandler =
      reinterpret_cast<SetIOErrorExitHandler>(library ? dlsym(library, "XSetIOErrorExitHandler") : nullptr);
  if (!setHandler || !setExitHandler) {
    WriteLog("This Xlib ends the program at once should the display go away");
    return;
  }
  setHandler(NoteBrokenDisplay);
  setExitHandler(display, CarryOnWithoutDisplay, nullptr);
}

void NoteDisplayLost() {
  if (gDisplayLost.exchange(true)) return;
  WriteLog("The display has gone away: the game closes");
  gCloseWanted.store(true);
}

bool IsDisplayLost() { return gDisplayLost.load(); }

bool TakeDisplayLoss() { return gCloseWanted.exchange(false); }

}  // namespace sys
