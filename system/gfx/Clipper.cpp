#include "system/gfx/Clipper.h"

#include "system/window/NativeWindow.h"

namespace sys::gfx {

Result Clipper::SetWindow(NativeWindow* window) {
  mWindow.store(window);
  return Result::Ok;
}

Result Clipper::GetClipRect(Rect& out) const {
  NativeWindow* window = mWindow.load();
  if (!window) return Result::NoObject;
  out = ClientAreaOnDesktop(*window);
  return Result::Ok;
}

Rect ClientAreaOnDesktop(const NativeWindow& window) {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  window.GetClientOrigin(x, y);
  window.GetClientSize(width, height);
  return Rect{x, y, x + width, y + height};
}

}  // namespace sys::gfx
