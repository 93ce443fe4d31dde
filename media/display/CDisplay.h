#pragma once

#include <cstdint>
#include <memory>

#include "system/gfx/Device.h"
#include "system/gfx/Rect.h"
#include "system/gfx/Result.h"
#include "system/gfx/Surface.h"

namespace sys {
class NativeWindow;
}  // namespace sys

// A surface the display made, with its description as read after creation.
struct TSurfaceHolder {
  std::shared_ptr<sys::gfx::Surface> surface;
  sys::gfx::SurfaceDesc desc;

  sys::gfx::Result Create(sys::gfx::Device& device, const sys::gfx::SurfaceDesc& request);
};

// The display device of one display mode with its front surface and back
// buffer: in full screen a flipping chain on a mode of its own, in a window
// the desktop's primary surface with a clipper and an off-screen back buffer.
// It presents the back buffer, keeps the window's rectangle on the screen and
// makes further off-screen surfaces. Main thread only.
class CDisplay {
 public:
  explicit CDisplay(std::shared_ptr<sys::gfx::Adapter> adapter) : mAdapter(std::move(adapter)) {}
  virtual ~CDisplay();
  CDisplay(const CDisplay&) = delete;
  CDisplay& operator=(const CDisplay&) = delete;

  // Releases the surfaces, hands the screen back and releases the device.
  virtual void DestroyObjects();

  // `attempt` holds the device to try in its high 16 bits (0, the default
  // device, first); a failing device passes on to the next, until one works
  // or none is left. The low 16 bits are carried along unchanged.
  sys::gfx::Result CreateFullScreenDisplay(sys::NativeWindow* window, int32_t width, int32_t height,
                                           uint32_t bitCount, uint32_t attempt);
  // `clipWindow` keeps presents inside its client area (null: `window`'s);
  // `embedded` leaves the window's frame, size and place to its host.
  sys::gfx::Result CreateWindowedDisplay(sys::NativeWindow* window, sys::NativeWindow* clipWindow, int32_t width,
                                         int32_t height, bool videoMemory, bool embedded);
  // An off-screen surface of the display's format unless `format` names
  // one, plain unless `caps` say otherwise. On failure `out` is null.
  sys::gfx::Result CreateSurface(std::unique_ptr<TSurfaceHolder>& out, int32_t width, int32_t height,
                                 const sys::gfx::PixelFormat* format, const uint32_t* caps);

  // Shows the back buffer: a blit onto the window's area, or a flip. A lost
  // surface is restored (its picture is gone) and the loss returned.
  sys::gfx::Result Present();
  // Copies the back buffer's `source` (whole when null) onto the front's
  // `destination` (whole when null), which becomes the screen rectangle.
  sys::gfx::Result PresentRect(const sys::gfx::Rect* destination, const sys::gfx::Rect* source);
  // Reads the client area on the screen again (the whole screen, full screen).
  void UpdateBounds();
  void GetScreenOrigin(int32_t& x, int32_t& y);
  sys::gfx::Result RestoreDisplayMode();

  sys::gfx::Device* GetDevice() const { return mDevice.get(); }
  const std::shared_ptr<sys::gfx::Surface>& GetFrontBuffer() const { return mFront; }
  const std::shared_ptr<sys::gfx::Surface>& GetBackBuffer() const { return mBack; }
  const sys::gfx::Rect& GetScreenRect() const { return mScreenRect; }
  bool IsWindowed() const { return mWindowed; }
  bool WasCreatedOnce() const { return mCreatedOnce; }
  const std::shared_ptr<sys::gfx::Adapter>& GetAdapter() const { return mAdapter; }

 private:
  sys::gfx::Result RetryFullScreen(sys::NativeWindow* window, int32_t width, int32_t height, uint32_t bitCount,
                                   uint32_t attempt);
  // The device numbered in `attempt`; NoObject when no device is left.
  sys::gfx::Result CreateDeviceOf(uint32_t attempt);
  uint32_t ChooseBitCount(int32_t width, int32_t height, uint32_t bitCount) const;
  sys::gfx::Result CreateFlippingChain();
  void FitWindow(sys::NativeWindow& window, int32_t width, int32_t height);
  sys::gfx::Result CreateWindowedSurfaces(sys::NativeWindow* clipWindow, int32_t width, int32_t height,
                                          bool videoMemory);

  std::shared_ptr<sys::gfx::Adapter> mAdapter;
  std::unique_ptr<sys::gfx::Device> mDevice;
  std::shared_ptr<sys::gfx::Surface> mFront;
  std::shared_ptr<sys::gfx::Surface> mBack;
  sys::NativeWindow* mWindow = nullptr;
  sys::gfx::Rect mScreenRect;
  bool mWindowed = false;
  bool mCreatedOnce = false;
};
