#pragma once

#include <atomic>

#include "system/gfx/Rect.h"
#include "system/gfx/Result.h"

namespace sys {
class NativeWindow;
}

namespace sys::gfx {

// Keeps blits onto a surface inside a window's client area: the surface's
// pixels are the desktop's (a windowed primary surface), and the clipper
// follows the window wherever it goes. Without a window it clips nothing.
class Clipper {
 public:
  Clipper() = default;
  Clipper(const Clipper&) = delete;
  Clipper& operator=(const Clipper&) = delete;

  // `window` must outlive the clipper.
  Result SetWindow(NativeWindow* window);
  NativeWindow* GetWindow() const { return mWindow.load(); }
  // The client area on the desktop; NoObject without a window.
  Result GetClipRect(Rect& out) const;

 private:
  std::atomic<NativeWindow*> mWindow{nullptr};
};

// The window's client area in desktop pixels.
Rect ClientAreaOnDesktop(const NativeWindow& window);

}  // namespace sys::gfx
