// Frames of the display, and bringing a lost display back: its surfaces and
// every asset restored, or the display set up anew.
#include "media/display/DisplayRules.h"
#include "media/display/TDxDisplayHandler.h"
#include "platform/TPlatform.h"
#include "platform/text/Log.h"
#include "system/os/Sleep.h"
#include "system/window/Window.h"

using sys::gfx::Result;

namespace {

// An inactive program waits this long instead of drawing a frame.
constexpr uint32_t kInactiveFramePause = 200;
// While another program holds the screen, a restore waits this long, so many times.
constexpr uint32_t kCooperationPause = 500;
constexpr int kCooperationPasses = 5;
// A display that began fewer frames since its last restore loses its
// surfaces again at once: it is set up anew instead of restored again.
constexpr uint32_t kLeastWorkingFrames = 3;

bool ProgramIsActive() {
  TPlatform* platform = TPlatform::Instance();
  return !platform || platform->IsActive();
}

}  // namespace

bool TDxDisplayHandler::BeginDraw(bool keepPicture) {
  TDxDisplayHandlerData& data = *mData;
  if (!data.mDevice || data.mBroken) return false;
  if (!ProgramIsActive()) {
    sys::Sleep(kInactiveFramePause);
    return false;
  }
  data.mInScene = true;
  if (keepPicture) data.mContext->StartFrame();
  Result begun = data.mDevice->BeginScene();
  if (begun == Result::SurfaceLost) {
    LogPrintf("TPlatform::BeginDraw: DDERR_SURFACELOST on BeginScene");
    Restore();
    if (data.mBroken || !data.mDevice) {
      data.mInScene = false;
      return false;
    }
    begun = data.mDevice->BeginScene();
    if (begun != Result::Ok) {
      CheckVideoMemory(begun);
      MarkBroken();
      data.mInScene = false;
      return false;
    }
  } else if (begun != Result::Ok) {
    CheckVideoMemory(begun);
    data.mInScene = false;
    return false;
  }
  ++data.mWorkingCount;
  CheckVideoMemory(ApplyViewport(data.mDisplayRect));
  data.mContext->Clear(sys::gfx::kClearDepth);
  CheckVideoMemory(ApplyViewport(data.mViewport));
  return true;
}

void TDxDisplayHandler::EndDraw(bool present) {
  TDxDisplayHandlerData& data = *mData;
  if (!data.mDevice || !data.mInScene) return;
  data.mInScene = false;
  Result ended = data.mDevice->EndScene();
  if (ended == Result::SceneEndFailed) {
    MarkBroken();
    return;
  }
  CheckVideoMemory(ended);
  if (ended == Result::Ok && present) {
    ended = data.mContext->Present();
    CheckVideoMemory(ended);
  }
  if (ended == Result::Ok) return;
  if (ended != Result::SurfaceLost) {
    LogPrintf("TPlatform::EndDraw: Unexpected error (see above) on UpdateFrame or EndScene");
  }
  Restore();
}

// The display's own size: that of the screen, even while drawing goes into
// a texture, whose size the display rectangle then has.
TRect TDxDisplayHandler::ScreenRect() const {
  const TDxDisplayHandlerData& data = *mData;
  return data.mRenderTargets.empty() ? data.mDisplayRect : data.mRenderTargets.back()->rect;
}

void TDxDisplayHandler::Restore() {
  TPlatform* platform = TPlatform::Instance();
  if (!platform) return;
  TDxDisplayHandlerData& data = *mData;
  platform->ReleaseAssets();
  const TRect screen = ScreenRect();
  const int32_t width = screen.Width();
  const int32_t height = screen.Height();
  if (!data.mDirectDraw || data.mReconfigurePending) {
    LogPrintf("TPlatformData::Restore: mDirectDraw NULL. Calling SetDisplay()");
    SetDisplay(width, height, data.mFullScreen, true, true, false);
    return;
  }
  if (!RegainScreen(*platform)) return;
  if (data.mWorkingCount < kLeastWorkingFrames) {
    if (!platform->IsActive()) {
      MarkBroken();
      return;
    }
    LogPrintf("TPlatformData::Restore: Working count too small (%d). Calling SetDisplay()",
              static_cast<int>(data.mWorkingCount));
    SetDisplay(width, height, data.mFullScreen, true, false, false);
    return;
  }
  data.mWorkingCount = 0;
  data.mBroken = false;
  const Result restored = data.mDirectDraw->RestoreAllSurfaces();
  if (restored == Result::Ok) {
    platform->RestoreAssets();
    return;
  }
  if (restored == Result::WrongMode) {
    LogPrintf("Restore: RestoreAllSurfaces resulted in DDERR_WRONGMODE. Calling SetDisplay.");
  } else {
    LogPrintf("RestoreAllSurfaces failed!\n");
    CheckVideoMemory(restored);
  }
  SetDisplay(width, height, data.mFullScreen, true, false, false);
}

// Whether the device may draw again, after waiting for another program
// that holds the screen to let it go. A mode changed underneath sets the
// display up anew; false whenever the restore is to go no further.
bool TDxDisplayHandler::RegainScreen(TPlatform& platform) {
  TDxDisplayHandlerData& data = *mData;
  Result level = data.mDirectDraw->TestCooperativeLevel();
  if (level == Result::Ok) return true;
  if (!platform.IsActive()) return false;
  for (int pass = 0; pass < kCooperationPasses; ++pass) {
    sys::Sleep(kCooperationPause);
    if (level == Result::ExclusiveModeAlreadySet) return false;
    if (level == Result::NoExclusiveMode) {
      sys::Window* window = platform.GetMainWindow();
      level = data.mDirectDraw->SetCooperativeLevel(window ? &window->Native() : nullptr,
                                                    sys::gfx::CooperativeLevel::ExclusiveFullScreen);
    }
    if (level == Result::Ok) return true;
  }
  if (level != Result::WrongMode) return false;
  LogPrintf("Restore: Test Cooperative level failed. Calling SetDisplay");
  const TRect screen = ScreenRect();
  SetDisplay(screen.Width(), screen.Height(), data.mFullScreen, true, false, false);
  return false;
}
