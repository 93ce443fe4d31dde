#include "tests/support/DisplayOpening.h"

#include "media/display/TDxDisplayHandler.h"

bool OpenDisplay(TDxDisplayHandler& display, int32_t width, int32_t height, bool fullScreen) {
  display.SetDisplay(width, height, fullScreen, true, true, false);
  return display.IsReady();
}
