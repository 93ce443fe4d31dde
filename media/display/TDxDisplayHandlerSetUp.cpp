// The display's set-up: choosing the mode from the request and the desktop,
// creating it through the device context, falling back from a failed mode to
// the other one once, and the mode queries.
#include <algorithm>
#include <cmath>

#include "media/display/DisplayRules.h"
#include "media/display/TDxDisplayHandler.h"
#include "platform/TPlatform.h"
#include "platform/asset/TAssetManager.h"
#include "platform/file/TFile.h"
#include "platform/text/Log.h"
#include "platform/xml/TXmlNode.h"
#include "system/window/MessageBox.h"
#include "system/window/Window.h"

using sys::MessageBoxIcon;

namespace {

constexpr char kSettingsFile[] = "common:display.xml";
// Inside a host window a failed set-up is not tried again sooner than this.
constexpr uint32_t kRetryPause = 1000;
constexpr uint32_t kCreateFlags = 1;
constexpr uint32_t kCreateFlagsEmbedded = 3;

void ShowBox(const char* title, const char* text, MessageBoxIcon icon, sys::Window* owner = nullptr) {
  sys::ShowMessageBox(title, text, icon, owner);
}

// Inside a host window the game cannot change the mode it was given.
[[noreturn]] void RefuseInHost(const char* text) {
  ShowBox("Error", text, MessageBoxIcon::Warning);
  ExitProgram();
}

int32_t ScaledSide(int32_t side, float scale) {
  return static_cast<int32_t>(std::lround(static_cast<float>(side) * scale));
}

}  // namespace

void TDxDisplayHandler::ReadSettings() {
  TXmlNode document;
  if (!document.ParseFile(kSettingsFile)) return;
  if (const TXmlNode* settings = document.GetChild("Settings")) {
    mData->mLowMemoryVideo = settings->GetAttribute("LowMemoryVideo").ToInt() != 0;
  }
}

// Only the first report counts: the display breaks, the next set-up says
// why and runs at 16 bits, and so do later starts, from the settings file.
void TDxDisplayHandler::ReportOutOfVideoMemory() {
  TDxDisplayHandlerData& data = *mData;
  if (data.mLowMemoryVideo) return;
  data.mLowMemoryVideo = true;
  MarkBroken();
  data.mReconfigurePending = true;
  TXmlNode settings("Settings");
  settings.SetAttribute("LowMemoryVideo", "1");
  const TString text = settings.ToString();
  FileReplace(kSettingsFile, text.CStr(), text.Length(), kFileWriteText);
}

void TDxDisplayHandler::SetDisplay(int32_t width, int32_t height, bool fullScreen, bool force, bool quiet,
                                   bool embedded) {
  TPlatform* platform = TPlatform::Instance();
  sys::Window* window = platform ? platform->GetMainWindow() : nullptr;
  if (!window) {
    LogPrintf("SetDisplay without a main window");
    return;
  }
  TDxDisplayHandlerData& data = *mData;
  if (platform->IsEmbedded() && !platform->IsTestMode()) FollowHost(*platform, *window, fullScreen, embedded);
  if (data.mFatal) {
    LogPrintf("SetDisplay after the display failed for good: exiting");
    ExitProgram();
  }
  const bool hostParent = platform->HasHostWindow();
  if (hostParent && data.mSetUpFailed && platform->GetTime() - data.mBrokenTime < kRetryPause) return;
  if (!platform->IsActive() && !force) return;
  data.mWorkingCount = 0;
  if (!fullScreen && DesktopRefusesWindow(*platform)) fullScreen = true;
  if (fullScreen == data.mFullScreen && width == data.mDisplayRect.Width() && height == data.mDisplayRect.Height() &&
      !force) {
    return;
  }
  if (!fullScreen && WindowNeedsFullScreen(*platform, width, height)) fullScreen = true;
  platform->ReleaseAssets();
  platform->MarkDisplayChanged();
  if (!hostParent) SetWindowStyle(*window, fullScreen);
  ForgetMode(width, height, fullScreen);
  if (data.mReconfigurePending) {
    ShowBox("Reconfiguring",
            "Your video card doesn't have enough memory in the current mode. Changing to another mode. This setting "
            "will be saved so you won't see this box again. This will take less than a minute. Press OK to continue.",
            MessageBoxIcon::Warning, window);
    data.mReconfigurePending = false;
  }
  const uint32_t bitCount = data.mLowMemoryVideo ? 16 : 32;
  if (!data.mContext->Create(window, fullScreen, width, height, bitCount,
                             embedded ? kCreateFlagsEmbedded : kCreateFlags)) {
    FallBack(*platform, *window, width, height, fullScreen, quiet);
    return;
  }
  ShowSetUp(*window, fullScreen, embedded);
  AdoptDevice();
  TAssetManager* assets = platform->GetAssetManager();
  if (assets && assets->GetCount() > 0 && !platform->IsWindowManagerSuspended()) {
    CheckVideoMemory(data.mContext->Present());
  }
  platform->RestoreAssets();
}

// Inside a host window the game's window is the host's child, which the
// host places and sizes; a full-screen game stands alone, on top.
void TDxDisplayHandler::FollowHost(TPlatform& platform, sys::Window& window, bool fullScreen, bool& embedded) {
  if (!platform.HasHostWindow()) {
    mData->mContext->SetExternalWindow(nullptr);
    return;
  }
  if (platform.IsHostWindowLost()) {
    LogPrintf("Error: mExternalWindowParent is lost, exiting!");
    ExitProgram();
  }
  if (!fullScreen) {
    embedded = true;
    window.Native().SetPosition(0, 0);
  }
  mData->mContext->SetExternalWindow(&window);
  window.Native().SetAlwaysOnTop(fullScreen);
}

// A desktop of 256 colours or fewer cannot show a window.
bool TDxDisplayHandler::DesktopRefusesWindow(TPlatform& platform) {
  if (mData->mContext->GetDesktopColors() == -1) return false;
  if (platform.HasHostWindow()) {
    RefuseInHost(
        "You cannot run this application when your video mode is 8 bits or less. Change your display settings and "
        "run again.");
  }
  LogPrintf("SetDisplay Forcing Fullscreen (PALLETTED)");
  return true;
}

// A window needs a desktop larger than itself at the drawing scale (unless
// the host decides), and video memory of its own.
bool TDxDisplayHandler::WindowNeedsFullScreen(TPlatform& platform, int32_t width, int32_t height) {
  const TDXContext& context = *mData->mContext;
  if (!platform.HostDecidesFullScreen()) {
    float scale = 1.0f;
    platform.GetDisplayScale(scale);
    if (context.GetDesktopWidth() <= ScaledSide(width, scale) ||
        context.GetDesktopHeight() <= ScaledSide(height, scale)) {
      if (platform.HasHostWindow()) {
        RefuseInHost(
            "You cannot run this application at your current screen resolution. Change your display settings and "
            "run again.");
      }
      LogPrintf("SetDisplay Forcing Fullscreen (SMALL)");
      return true;
    }
  }
  if (!context.HasLowVideoMemory()) return false;
  if (platform.HasHostWindow()) {
    RefuseInHost(
        "You cannot run this application at your current screen resolution or bit depth (out of memory). Change "
        "your display settings and run again.");
  }
  LogPrintf("SetDisplay Forcing Fullscreen (MEMORY)");
  return true;
}

// Full screen covers the desktop above every other window; a window has a
// caption, a frame and a minimise box.
void TDxDisplayHandler::SetWindowStyle(sys::Window& window, bool fullScreen) {
  window.Native().SetDesktopFullScreen(fullScreen);
  window.Native().SetAlwaysOnTop(fullScreen);
}

void TDxDisplayHandler::ForgetMode(int32_t width, int32_t height, bool fullScreen) {
  TDxDisplayHandlerData& data = *mData;
  data.mFullScreen = fullScreen;
  data.mViewport = TRect(0, 0, width, height);
  data.mDisplayRect = data.mViewport;
  data.mDirectDraw = nullptr;
  data.mBackBuffer = nullptr;
  data.mDevice = nullptr;
  data.mRenderTargets.clear();
  data.mBroken = false;
  data.mContext->ReleaseDevice();
}

// A failed mode falls back to the other one once; a failure of that one too
// ends the program. Inside a host window, or while the user is away, the
// display is only marked broken, for a later restore to try again.
void TDxDisplayHandler::FallBack(TPlatform& platform, sys::Window& window, int32_t width, int32_t height,
                                 bool fullScreen, bool quiet) {
  TDxDisplayHandlerData& data = *mData;
  const TDXContext& context = *data.mContext;
  if (context.IsDesktopUnusable()) {
    if (!quiet) {
      ShowBox("Error",
              "DirectX requires that you have your screen set to 256 color mode or higher for any DirectX "
              "application to run. Please go to your control panel and select 256 color mode or install new video "
              "drivers to run this game. Exiting.",
              MessageBoxIcon::None);
    }
    data.mFatal = true;
    ExitProgram();
  }
  if (platform.HasHostWindow()) {
    data.mSetUpFailed = true;
    MarkBroken();
    return;
  }
  const bool foreground = window.IsActive() || !data.mWindowShown;
  if (!data.mFallbackTried && !(platform.IsActive() && foreground)) {
    LogPrintf("SetDisplay marking DirectX Broken: %s, %s", platform.IsActive() ? "ACTIVE" : "INACTIVE",
              foreground ? "FOREGROUND" : "BACKGROUND");
    MarkBroken();
    return;
  }
  if (!fullScreen) {
    const char* reason = nullptr;
    if (context.GetDesktopColors() != -1) {
      reason = "Cannot run in 256 color mode or lower in a window. Switching to full screen.";
    } else if (context.GetDesktopWidth() <= width || context.GetDesktopHeight() <= height) {
      reason =
          "Cannot run in a window when your desktop is set to 800x600 or lower resolution. Switching to full "
          "screen.";
    } else if (context.HasLowVideoMemory()) {
      reason = "Cannot run in a window: Insufficient video memory. Switching to full screen.";
    }
    if (reason) {
      if (!quiet) ShowBox("Error", reason, MessageBoxIcon::None);
      data.mFallbackTried = true;
      SetDisplay(width, height, true, true, false, false);
      return;
    }
  }
  if (data.mFallbackTried) {
    LogPrintf("ERROR FALLBACK FAILED");
    ShowBox("Error",
            "Failed to initialize window. Please try running the game again. If that doesn't help, try changing the "
            "screen resolution and color depth. If that fails, then your video card does not support this game.",
            MessageBoxIcon::Error, &window);
    platform.PostQuitRequest();
    data.mFatal = true;
    return;
  }
  data.mFallbackTried = true;
  if (fullScreen) {
    SetDisplay(width, height, false, true, false, false);
    if (!quiet) {
      ShowBox("Error",
              "Failed to initialize full screen mode. Your video card is not supported. Trying to run in a window.",
              MessageBoxIcon::None);
    }
    return;
  }
  if (!quiet) ShowBox("Error", "Failed to initialize windowed mode. Trying full screen.", MessageBoxIcon::None);
  SetDisplay(width, height, true, false, false, false);
}

// A window at the desktop's corner is centred on the work area; a host
// places, shows and activates its child itself.
void TDxDisplayHandler::ShowSetUp(sys::Window& window, bool fullScreen, bool embedded) {
  TDxDisplayHandlerData& data = *mData;
  data.mFallbackTried = false;
  data.mSetUpFailed = false;
  if (embedded) return;
  sys::NativeWindow& native = window.Native();
  int32_t x = 0;
  int32_t y = 0;
  native.GetPosition(x, y);
  if (!fullScreen && x == 0 && y == 0) {
    int32_t width = 0;
    int32_t height = 0;
    native.GetClientSize(width, height);
    const sys::PixelRect work = native.GetWorkArea();
    native.SetPosition(work.left + std::max(0, (work.Width() - width) / 2),
                       work.top + std::max(0, (work.Height() - height) / 2));
  }
  window.Show();
  data.mWindowShown = true;
  if (fullScreen) window.Raise();
}

bool TDxDisplayHandler::SetFullScreen(bool fullScreen) {
  const TDXContext& context = *mData->mContext;
  const int32_t width = mData->mDisplayRect.Width();
  const int32_t height = mData->mDisplayRect.Height();
  if (!fullScreen && (context.GetDesktopColors() != -1 || context.GetDesktopWidth() <= width ||
                      context.GetDesktopHeight() <= height || context.HasLowVideoMemory())) {
    return false;
  }
  SetDisplay(width, height, fullScreen, false, false, false);
  return true;
}
