#include "tests/support/PlatformRun.h"

#include <memory>

#include "app/DisplayAdapterSource.h"
#include "app/RunFramework.h"
#include "app/TAppPlatform.h"
#include "system/os/Paths.h"
#include "system/window/NativeWindowSource.h"
#include "tests/support/FakeDisplayHandler.h"
#include "tests/support/FakeNativeWindow.h"
#include "tests/support/FakeSoundManager.h"

namespace {

const PlatformBody* gBody = nullptr;
FakeNativeWindow* gDesktop = nullptr;

void BodyAsGameMain(TAppPlatform* platform, const char*) { (*gBody)(*platform, *gDesktop); }

}  // namespace

int RunPlatform(const std::string& commandLine, const PlatformBody& body, FakeClock* clock,
                std::shared_ptr<sys::gfx::Adapter> adapter) {
  std::string folder = sys::CurrentFolder();
  gBody = &body;
  SetDisplayAdapterSource([adapter] { return adapter; });
  SetNativeWindowSource([clock] {
    auto desktop = std::make_unique<FakeNativeWindow>(clock);
    gDesktop = desktop.get();
    return desktop;
  });
  int exitCode = RunFramework(commandLine.c_str(), BodyAsGameMain, false);
  SetNativeWindowSource(nullptr);
  SetDisplayAdapterSource(nullptr);
  gBody = nullptr;
  gDesktop = nullptr;
  sys::SetCurrentFolder(folder);
  return exitCode;
}

FakeDisplayHandler* InstallDisplay(TAppPlatform& platform, CallJournal* journal) {
  auto display = std::make_unique<FakeDisplayHandler>(journal);
  FakeDisplayHandler* watched = display.get();
  platform.SetDisplayHandler(std::move(display));
  return watched;
}

FakeSoundManager* InstallSound(TAppPlatform& platform, CallJournal* journal) {
  auto sound = std::make_unique<FakeSoundManager>(journal);
  FakeSoundManager* watched = sound.get();
  platform.SetSoundManager(std::move(sound));
  return watched;
}
