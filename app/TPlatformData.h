#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "app/CursorPollThread.h"
#include "app/FrameRate.h"
#include "platform/text/TString.h"
#include "platform/time/TTaskList.h"
#include "system/os/SingleInstance.h"

class TAssetManager;
class TDisplayHandler;
class TSoundManager;
class TStringTable;
class TTexture;
class TWindowManager;
namespace sys {
class HostWindow;
class Window;
}  // namespace sys

// Everything the platform object holds: the start arguments, the main window
// and the flags its window procedure records for the event pump, the folders,
// the settings map, the owned managers and the task lists. Built by the
// framework's entry before the platform object; the platform owns it from
// then on. Main thread only, except where a field says otherwise.
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

  // Flags recorded by the window procedure, each reported once by the pump.
  bool mDisplayChanged = false;
  std::atomic<bool> mShown{true};  // false while minimised; read by the display off the main thread
  bool mShownChangePending = false;
  bool mPaintPending = false;
  bool mAppActive = true;
  bool mActivationChanged = false;
  bool mCloseRequested = false;
  bool mMouseLeft = false;
  bool mRepaintRequested = false;  // kept for the window manager's ConsumeRepaintRequest
  bool mRestoreDue = false;        // assets were restored; the next frame runs the restore tasks

  bool mIn2d = false;
  bool mIn3d = false;

  TString mAssetsFolder;
  TString mProgramFolder;
  TString mProgramPath;
  TString mUserFolder;
  TString mCommonFolder;
  TString mVersionText;
  TString mStartupFolder;
  std::map<TString, TString> mSettings;

  FrameRate mFrameRate;
  bool mOverlayOn = false;
  CursorPollThread mPollThread;

  bool mClickSwallowArmed = false;
  uint32_t mClickSwallowStamp = 0;
  bool mHoverArmed = false;
  bool mLeaveArmed = false;
  // Screensaver mode: the first pointer position seen.
  bool mFirstPointerKnown = false;
  int32_t mFirstPointerX = 0;
  int32_t mFirstPointerY = 0;
  bool mHostFullScreen = false;  // the full-screen state last asked of the host

  std::unique_ptr<TWindowManager> mWindowManager;
  std::unique_ptr<TAssetManager> mAssetManager;
  std::unique_ptr<TSoundManager> mSoundManager;
  std::unique_ptr<TStringTable> mStringTable;
  bool mStringsLoaded = false;  // "strings.xml" was read
  int32_t mMouseMode = 0;  // always absolute client positions
  // Replaced only while the cursor poll thread is kept out.
  std::unique_ptr<TDisplayHandler> mDisplayHandler;
  TTaskList mRestoreTasks;   // run once at the first frame after a restore
  TTaskList mPlatformTasks;  // run on every idle pass and every frame

  // Operations refused for want of a display, logged once each.
  std::set<std::string> mRefusalsLogged;

 private:
  void ClaimSingleInstance();

  sys::SingleInstance mSingleInstance;
  bool mMustExit = false;
};
