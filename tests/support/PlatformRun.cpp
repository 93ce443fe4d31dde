#include "tests/support/PlatformRun.h"

#include <memory>

#include "system/window/NativeWindowSource.h"
#include "app/RunFramework.h"
#include "system/os/Paths.h"
#include "tests/support/FakeNativeWindow.h"

namespace {

const PlatformBody* gBody = nullptr;
FakeNativeWindow* gDesktop = nullptr;

void BodyAsGameMain(TAppPlatform* platform, const char*) { (*gBody)(*platform, *gDesktop); }

}  // namespace

int RunPlatform(const std::string& commandLine, const PlatformBody& body, FakeClock* clock) {
  std::string folder = sys::CurrentFolder();
  gBody = &body;
  SetNativeWindowSource([clock] {
    auto desktop = std::make_unique<FakeNativeWindow>(clock);
    gDesktop = desktop.get();
    return desktop;
  });
  int exitCode = RunFramework(commandLine.c_str(), BodyAsGameMain, false);
  SetNativeWindowSource(nullptr);
  gBody = nullptr;
  gDesktop = nullptr;
  sys::SetCurrentFolder(folder);
  return exitCode;
}
