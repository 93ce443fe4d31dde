#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

#include "system/gfx/PixelFormat.h"
#include "system/window/Picture.h"

namespace sys {
class NativeWindow;
}

namespace sys::gfx {

class Surface;

// Brings the primary surface's picture into the window. Only the main thread
// (the one that made the screen) talks to the window: a change it makes is
// shown at once, a change from another thread (the cursor) is marked and
// shown by the main thread's next PresentIfChanged. Full screen, the window
// covers the desktop and fits the frame between bars; windowed, the frame
// is the window's client area cut from the desktop-sized primary.
class Screen {
 public:
  explicit Screen(NativeWindow* window);
  ~Screen();
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;

  NativeWindow* Window() const { return mWindow; }
  void SetFullScreen(bool on);
  bool IsFullScreen() const { return mFullScreen; }
  void SetPrimary(const std::shared_ptr<Surface>& primary) { mPrimary = primary; }

  // The primary's picture changed. Any thread.
  void FrontChanged();
  // Shows the picture when a change is waiting; only on the main thread.
  void PresentIfChanged();
  // Shows the picture. Main thread.
  void Present();

 private:
  bool OnMainThread() const { return std::this_thread::get_id() == mMainThread; }
  // The table that turns every 16-bit pixel of `format` into 0xFFRRGGBB.
  const std::vector<uint32_t>& WideningTable(const PixelFormat& format);

  NativeWindow* mWindow;
  std::thread::id mMainThread;
  std::atomic<bool> mChanged{false};
  bool mFullScreen = false;
  std::weak_ptr<Surface> mPrimary;
  std::vector<uint32_t> mStaging;
  PixelFormat mTableFormat;
  std::vector<uint32_t> mTable;
};

// What the event pump calls on the main thread on each pass, while it
// gathers input: shows every screen whose picture another thread changed.
void PresentChangedScreens();

}  // namespace sys::gfx
