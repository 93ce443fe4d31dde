#include "tests/support/DisplayOpening.h"

#include "media/display/TDx3dDisplayHandler.h"
#include "system/window/Window.h"
#include "tests/support/FakeNativeWindow.h"
#include "tests/support/FakePlatform.h"

bool OpenDisplay(TDxDisplayHandler& display, int32_t width, int32_t height, bool fullScreen) {
  display.SetDisplay(width, height, fullScreen, true, true, false);
  return display.IsReady();
}

FakeDesktopDisplay::FakeDesktopDisplay(FakePlatform& platform) : mPlatform(platform) {
  auto native = std::make_unique<FakeNativeWindow>();
  mNative = native.get();
  mWindow = std::make_unique<sys::Window>(std::move(native));
  mPlatform.mainWindow = mWindow.get();
  sys::gfx::AdapterConfig config;
  config.modes = {{800, 600, 32}};
  mDisplay = std::make_unique<TDx3dDisplayHandler>(sys::gfx::Adapter::Create(config));
  mPlatform.displayHandler = mDisplay.get();
  mOpen = OpenDisplay(*mDisplay, 800, 600, false);
}

FakeDesktopDisplay::~FakeDesktopDisplay() {
  mPlatform.displayHandler = nullptr;
  mPlatform.mainWindow = nullptr;
}
