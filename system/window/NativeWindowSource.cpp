#include "system/window/NativeWindowSource.h"

#include "system/window/SdlWindow.h"

namespace {

NativeWindowSource& Source() {
  static NativeWindowSource source;
  return source;
}

}  // namespace

void SetNativeWindowSource(NativeWindowSource source) { Source() = std::move(source); }

std::unique_ptr<sys::NativeWindow> MakeNativeMainWindow() {
  if (Source()) return Source()();
  return sys::SdlWindow::Create(sys::kMainWindowTitle, sys::kMainWindowWidth, sys::kMainWindowHeight);
}
