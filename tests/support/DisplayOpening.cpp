#include "tests/support/DisplayOpening.h"

#include "media/TDxDisplayHandler.h"

bool OpenDisplay(TDxDisplayHandler& display, sys::Window* window, int32_t width, int32_t height, bool fullScreen) {
  TDxDisplayHandlerData& data = display.GetData();
  data.mFullScreen = fullScreen;
  data.mViewport = TRect(0, 0, width, height);
  data.mDisplayRect = data.mViewport;
  data.mDirectDraw = nullptr;
  data.mBackBuffer = nullptr;
  data.mDevice = nullptr;
  data.mBroken = false;
  data.mContext->ReleaseDevice();
  uint32_t bitCount = data.mLowMemoryVideo ? 16 : 32;
  if (!data.mContext->Create(window, fullScreen, width, height, bitCount, 1)) return false;
  display.AdoptDevice();
  return true;
}
