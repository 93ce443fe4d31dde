#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include "app/CursorPollThread.h"
#include "app/FrameRate.h"
#include "app/TFoldersAndSettings.h"
#include "media/text/TFontCache.h"
#include "platform/text/TString.h"
#include "platform/time/TTaskList.h"
#include "system/os/SingleInstance.h"

class TAssetManager;
class TDisplayHandler;
class TSoundManager;
class TStringTable;
class TTextLayout;
class TTexture;
class TVqMiniVecDraw;
class TWindowManager;
namespace sys {
class HostWindow;
class Window;
}  // namespace sys

// What the platform object holds besides its event pump and draw guard: the
// start arguments and mode, the main window, the cursor, the folders and
// settings, the owned managers and the task lists. Built by the framework's
// entry before the platform object; the platform owns it from then on. Main
// thread only, except where a field says otherwise.
class TPlatformData {
 public:
  // Creates the window manager, the asset manager and an empty string table, reads the program's
  // folders, makes the program folder current, restarts game time, and
  // (unless several copies may run) claims the single-instance name. A copy
  // of the program that is already running is asked to come to the front,
  // and this one must end: see MustExit.
  TPlatformData(const char* commandLine, bool allowMultiple);
  ~TPlatformData();
  TPlatformData(const TPlatformData&) = delete;
  TPlatformData& operator=(const TPlatformData&) = delete;

  // Whether the game runs inside a host window; writes the drawing scale.
  bool GetDisplayScale(float& scale) const;

  // The name that stands for one program file however its path is written:
  // the canonical path lower-cased, without "/" and ":".
  static TString InstanceName(const std::string& programPath);

  // Another copy of the program holds the single-instance name.
  bool MustExit() const { return mMustExit; }

  std::string mCommandLine;
  std::unique_ptr<sys::Window> mMainWindow;
  uint32_t mHostHandle = 0;             // "-wnd=": the host window's handle, else 0
  sys::HostWindow* mHostWindow = nullptr;  // the host found at window creation
  bool mScreensaver = false;
  bool mEmbedded = false;  // inside a host window ("-wnd=" or "--axtest")
  bool mTestMode = false;  // "--axtest"
  std::atomic<float> mDisplayScale{1.0f};  // read by the display off the main thread

  bool mCursorEnabled = true;
  std::shared_ptr<TTexture> mCursorTexture;
  int32_t mCursorHotX = 0;
  int32_t mCursorHotY = 0;
  bool mCursorVisible = true;
  // The system arrow's state asked for by RequestSystemCursor, not yet
  // carried out by the pump. Any thread.
  enum SystemCursorRequest : int { kNoRequest, kShowArrow, kHideArrow };
  std::atomic<int> mSystemCursorRequest{kNoRequest};

  bool mRestoreDue = false;  // assets were restored; the next frame runs the restore tasks
  // Another thread (the sound thread) ran out of video memory; the main
  // thread tells the display at its next event.
  std::atomic<bool> mVideoMemoryReportPending{false};
  const std::thread::id mMainThread = std::this_thread::get_id();
  bool mHostFullScreen = false;  // the full-screen state last asked of the host

  TFoldersAndSettings mFoldersAndSettings;
  FrameRate mFrameRate;
  std::unique_ptr<TTextLayout> mOverlayText;  // made when the overlay first shows
  bool mOverlayInPicture = false;             // the last frame drew the overlay
  CursorPollThread mPollThread;

  std::unique_ptr<TWindowManager> mWindowManager;
  std::unique_ptr<TAssetManager> mAssetManager;
  std::unique_ptr<TSoundManager> mSoundManager;
  std::unique_ptr<TStringTable> mStringTable;
  bool mStringsLoaded = false;  // "strings.xml" was read
  int32_t mMouseMode = 0;  // always absolute client positions
  // Replaced only while the cursor poll thread is kept out.
  std::unique_ptr<TDisplayHandler> mDisplayHandler;
  std::unique_ptr<TVqMiniVecDraw> mVecDraw;  // null until the display set-up makes it
  TFontCache mFontCache;
  TTaskList mRestoreTasks;   // run once at the first frame after a restore
  TTaskList mPlatformTasks;  // run on every idle pass and every frame

 private:
  void ClaimSingleInstance();

  sys::SingleInstance mSingleInstance;
  bool mMustExit = false;
};
