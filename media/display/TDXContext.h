#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "media/display/CDisplay.h"
#include "media/display/TDisplayHandler.h"
#include "platform/text/TString.h"
#include "platform/time/TTask.h"
#include "system/gfx/Device3d.h"

class MouseTextureListener;
class TTexture;
namespace sys {
class Window;
}  // namespace sys

// The display's device context: the display object of the current mode, the
// 3D device drawing into its back buffer, and what the display and textures
// consult about them (hardware, depth format, the desktop). It draws the
// software cursor: a colour-keyed image put on the front surface (or into the
// back buffer as a frame is shown) over a save-under buffer that takes its
// background. A recursive mutex named after a fresh GUID guards the cursor
// and the display object: the cursor poll thread waits for it at most 5 ms,
// everybody else as long as it takes. Main thread only, but for the cursor
// operations.
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
  // Shows the frame with the cursor drawn into it.
  sys::gfx::Result Present();
  sys::gfx::Result PresentRect(const sys::gfx::Rect* destination, const sys::gfx::Rect* source);
  void GetScreenOrigin(int32_t& x, int32_t& y);

  // The software cursor.
  // Moves the cursor to where the pointer is. (-1, -1) from the poll thread
  // means the pointer's place now, and gives (-1, -1) back until the
  // position is known; the frame code draws the cursor into the back
  // buffer. Returns the mouse position.
  TMousePosition UpdateMouse(int32_t x, int32_t y, bool intoBackBuffer);
  // A null texture takes the cursor image away. False when the image
  // cannot be drawn.
  bool SetMouseImage(const std::shared_ptr<TTexture>& texture, int32_t hotX, int32_t hotY);
  // Sets the image again after the display was restored.
  void RestoreMouseImage();
  // Takes the cursor off the screen until the pointer comes back.
  void HideMouse();
  TMousePosition GetMousePos();
  // The cursor texture while an image of at least 1 x 1 is set.
  std::shared_ptr<TTexture> IsCursorShown();
  // Reads the window's client rectangle again; a cursor drawn where the
  // window was is forgotten.
  void RefreshClientRect();
  // Start of a full-screen frame: the last frame, copied from the front,
  // without the cursor. False when the copy failed.
  bool StartFrame();
  // The task that reinstalls the image after a restore; null until an
  // image was set.
  MouseTextureListener* GetListener() const { return mListener; }

 private:
  bool DesktopAllows(bool fullScreen, int32_t width, int32_t height, bool scaled);
  bool SetMode(bool fullScreen, int32_t width, int32_t height, uint32_t bitCount, uint32_t flags, float scale);
  bool ChooseDevice(bool scaled);
  bool CreateDepthBuffer(bool fullScreen, std::shared_ptr<sys::gfx::Surface>& out);
  bool CreateDevice(const std::shared_ptr<sys::gfx::Surface>& depth);
  void ReportDevice();
  friend class MouseTextureListener;
  void ForgetListener() { mListener = nullptr; }

  // The cursor's own steps; all need the mutex.
  void ResetCursorState();
  bool ReadPosition();
  TMousePosition MousePosition() const { return TMousePosition{mMouseX.load(), mMouseY.load()}; }
  bool InstallImage(const std::shared_ptr<TTexture>& texture, int32_t hotX, int32_t hotY);
  void MakeSaveUnders(int32_t width, int32_t height);
  bool LeavesDesktop(float scale) const;
  TMousePosition DrawCursor(sys::gfx::Surface& target, bool intoBackBuffer, float scale);
  // Puts the background back where the cursor was drawn; the drawn flag stays.
  void EraseCursor(bool fromBackBuffer);
  // The client area on the surface: the whole back buffer; on a window's
  // front surface, which is the whole desktop, where the window is.
  sys::gfx::Rect ClientOn(bool backBuffer) const;
  // A cursor blit's result: a lost surface stops the cursor until its image
  // is restored. False for any failure.
  bool CursorBlitDone(sys::gfx::Result result);

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

  // The cursor, under the mutex but for the position, which its callers
  // read at any time.
  MouseTextureListener* mListener = nullptr;  // owned by the platform's restore tasks
  int32_t mSaveIndex = 0;  // the save-under buffer with the drawn cursor's background
  uint32_t mLastDrawTime = 0;
  bool mDrawnIntoBackBuffer = false;
  std::unique_ptr<TSurfaceHolder> mSaveUnder[2];
  TSurfaceHolder mCursorImage;
  bool mCursorDrawn = false;
  bool mNoSaveUnderInVideoMemory = false;
  bool mSurfaceLost = false;
  std::atomic<int32_t> mMouseX{-1};  // display pixels
  std::atomic<int32_t> mMouseY{-1};
  int32_t mDrawnX = -1;  // client pixels
  int32_t mDrawnY = -1;
  sys::gfx::Rect mDrawnRect;    // client pixels
  sys::gfx::Rect mDrawnSource;  // the part of the save-under buffer in use
  int32_t mHotX = 0;
  int32_t mHotY = 0;
  int32_t mCursorWidth = 0;
  int32_t mCursorHeight = 0;
  bool mPositionKnown = false;
  std::shared_ptr<TTexture> mCursorTexture;
  std::string mMouseMutexName;
  std::recursive_timed_mutex mMouseMutex;
};

// Reinstalls the cursor image once a restore of the display is done, from
// the platform's restore tasks; it ends when its context is gone.
class MouseTextureListener final : public TTask {
 public:
  explicit MouseTextureListener(TDXContext* context) : mContext(context) {}
  ~MouseTextureListener() override;
  MouseTextureListener(const MouseTextureListener&) = delete;
  MouseTextureListener& operator=(const MouseTextureListener&) = delete;

  bool Step() override;
  void ForgetContext() { mContext = nullptr; }

 private:
  TDXContext* mContext;
};
