#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "media/CDisplay.h"
#include "platform/text/TString.h"
#include "system/gfx/Device3d.h"

namespace sys {
class Window;
}  // namespace sys

// The display's device context: the display object of the current mode, the
// 3D device drawing into its back buffer, and what the display and textures
// consult about them (hardware, depth format, the desktop). It keeps the
// mutex that guards the software cursor. Main thread only, but for the mutex.
class TDXContext {
 public:
  // Creation flag: the game runs inside a host window, which frames and places it.
  static constexpr uint32_t kCreateEmbedded = 0x2;
  static constexpr int32_t kLeastTextureSide = 1024;

  explicit TDXContext(std::shared_ptr<sys::gfx::Adapter> adapter);
  virtual ~TDXContext();
  TDXContext(const TDXContext&) = delete;
  TDXContext& operator=(const TDXContext&) = delete;

  // Sets up the display object for the mode and the 3D device on it. False,
  // with the flags below telling why, when the desktop or the device cannot
  // serve; a previous device is released first.
  bool Create(sys::Window* window, bool fullScreen, int32_t width, int32_t height, uint32_t bitCount,
              uint32_t flags);
  // Releases the 3D device and the display object's surfaces and device;
  // the window is repainted and the mouse position forgotten.
  void ReleaseDevice();
  // Reads the desktop's colours and size again.
  void ReadDesktop();

  // The host's child window the game runs in, or null.
  void SetExternalWindow(sys::Window* window) { mExternalWindow = window; }
  sys::Window* GetExternalWindow() const { return mExternalWindow; }

  CDisplay& GetDisplay() { return mDisplay; }
  sys::gfx::Device* GetDirectDraw() const { return mDisplay.GetDevice(); }
  const std::shared_ptr<sys::gfx::Surface>& GetFrontBuffer() const { return mDisplay.GetFrontBuffer(); }
  const std::shared_ptr<sys::gfx::Surface>& GetBackBuffer() const { return mDisplay.GetBackBuffer(); }
  sys::gfx::Device3d* GetDevice() const { return mDevice.get(); }
  const sys::gfx::Device3dCaps& GetDeviceDescription() const { return mDeviceDescription; }
  const sys::gfx::PixelFormat& GetDepthFormat() const { return mDepthFormat; }
  // The device's best texture format with alpha of that many bits: the
  // first it offers, replaced by a later one with more alpha bits and more
  // than two blue bits. Searched once for each bit count; null when none.
  const sys::gfx::PixelFormat* AlphaTextureFormat(uint32_t bitCount);
  bool IsHardware() const { return mHardware; }
  // Render textures with alpha are made with 32 bits (16-bit ones were refused).
  bool Uses32BitRenderTextures() const { return mUse32BitRenderTextures; }
  void SetUse32BitRenderTextures() { mUse32BitRenderTextures = true; }
  const TString& GetDeviceReport() const { return mDeviceReport; }
  const TString& GetDeviceName() const { return mDeviceName; }

  bool IsDesktopUnusable() const { return mDesktopUnusable; }
  bool HasLowVideoMemory() const { return mLowVideoMemory; }
  int32_t GetDesktopColors() const { return mDesktopColors; }
  int32_t GetDesktopWidth() const { return mDesktopWidth; }
  int32_t GetDesktopHeight() const { return mDesktopHeight; }
  const std::string& GetMouseMutexName() const { return mMouseMutexName; }

  // Clears the current render target's `flags` (colour 0, depth 1).
  sys::gfx::Result Clear(uint32_t flags);
  sys::gfx::Result Present() { return mDisplay.Present(); }
  sys::gfx::Result PresentRect(const sys::gfx::Rect* destination, const sys::gfx::Rect* source) {
    return mDisplay.PresentRect(destination, source);
  }
  void GetScreenOrigin(int32_t& x, int32_t& y) { mDisplay.GetScreenOrigin(x, y); }

 private:
  bool DesktopAllows(bool fullScreen, int32_t width, int32_t height, bool scaled);
  bool SetMode(bool fullScreen, int32_t width, int32_t height, uint32_t bitCount, uint32_t flags, float scale);
  bool ChooseDevice(bool scaled);
  bool CreateDepthBuffer(bool fullScreen, std::shared_ptr<sys::gfx::Surface>& out);
  bool CreateDevice(const std::shared_ptr<sys::gfx::Surface>& depth);
  void ReportDevice();
  void ForgetMousePosition();

  std::shared_ptr<sys::gfx::Adapter> mAdapter;
  TString mDeviceReport;
  TString mDeviceName;
  CDisplay mDisplay;
  std::unique_ptr<sys::gfx::Device3d> mDevice;
  sys::gfx::Device3dCaps mDeviceDescription;
  sys::gfx::DisplayMode mDisplayMode;
  sys::gfx::PixelFormat mDepthFormat;
  std::map<uint32_t, std::optional<sys::gfx::PixelFormat>> mAlphaTextureFormats;
  sys::Window* mWindow = nullptr;
  sys::Window* mExternalWindow = nullptr;
  bool mHardware = false;
  bool mDesktopUnusable = false;
  bool mLowVideoMemory = false;
  bool mRetry = false;
  bool mUse32BitRenderTextures = false;
  int32_t mDesktopColors = 0;
  int32_t mDesktopWidth = 0;
  int32_t mDesktopHeight = 0;
  uint32_t mColorKey = 0;
  int32_t mMouseX = -1;
  int32_t mMouseY = -1;
  bool mPositionKnown = false;
  std::string mMouseMutexName;
  std::timed_mutex mMouseMutex;
};
