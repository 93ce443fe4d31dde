#pragma once

#include <cstdint>
#include <memory>

class FakeNativeWindow;
class FakePlatform;
class TDx3dDisplayHandler;
class TDxDisplayHandler;
namespace sys {
class Window;
}  // namespace sys

// Sets the display up in the mode through its SetDisplay, forced and quiet,
// in the main window of the platform face installed. False when the display
// is not ready afterwards.
bool OpenDisplay(TDxDisplayHandler& display, int32_t width, int32_t height, bool fullScreen);

// A 3D display of 800 x 600 at 32 bits, open in a window on a fake desktop
// and installed in the platform face for as long as it lives.
class FakeDesktopDisplay {
 public:
  explicit FakeDesktopDisplay(FakePlatform& platform);
  ~FakeDesktopDisplay();
  FakeDesktopDisplay(const FakeDesktopDisplay&) = delete;
  FakeDesktopDisplay& operator=(const FakeDesktopDisplay&) = delete;

  // Whether the display opened.
  bool IsOpen() const { return mOpen; }
  TDx3dDisplayHandler& Display() { return *mDisplay; }
  FakeNativeWindow& Native() { return *mNative; }

 private:
  FakePlatform& mPlatform;
  FakeNativeWindow* mNative;  // owned by the window
  std::unique_ptr<sys::Window> mWindow;
  std::unique_ptr<TDx3dDisplayHandler> mDisplay;
  bool mOpen = false;
};
