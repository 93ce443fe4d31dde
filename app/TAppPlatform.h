#pragma once

#include <cstdint>
#include <memory>

#include "app/TDrawGuard.h"
#include "app/TEventPump.h"
#include "app/TPlatformData.h"
#include "platform/TPlatform.h"
#include "platform/text/TString.h"
#include "platform/types/TColor.h"
#include "platform/types/TEvent.h"
#include "platform/types/TRect.h"

class TAssetManager;
class TDisplayHandler;
class TSoundManager;
class TStringTable;
class TTask;
class TTaskList;
class TTexture;
class TVecFont;
class TVqMiniVecDraw;
class TWindowManager;
struct TMatrix4;
struct TVertexList;
namespace sys {
class Window;
}  // namespace sys

// The application object, one per process: it owns the window manager, the
// asset manager, the sound manager, the display handler, the settings map and
// the task lists; runs the main window and its event pump; and forwards every
// drawing call to the display handler, guarding the 2D and 3D drawing states.
// Its operations forward to parts that stand alone: the event pump (window
// procedure, flags, message map), the draw guard, and the folders and
// settings.
// Lower layers reach it through its face, TPlatform::Instance; this layer and
// the game through Instance here. The cursor poll thread runs from
// construction to destruction. Main thread only.
//
// Until a display handler is installed the program runs without a picture:
// drawing calls are refused (each kind logged once) and the window is shown
// bare. Until InitSound it runs silent.
class TAppPlatform final : public TPlatform, private IEventPumpOwner {
 public:
  // Takes the data, becomes the instance (and the source of the settings
  // that other parts read), sets up the data folders, the log, the window
  // script, the file index and the string table, logs the version and starts
  // the cursor poll thread.
  explicit TAppPlatform(std::unique_ptr<TPlatformData> data);
  // Takes everything down in order; the cursor poll thread stops first.
  ~TAppPlatform() override;

  // Null before a platform is built and after it is gone.
  static TAppPlatform* Instance();

  // Start-up, in the framework entry's order.
  // The main window: a top-level window, or the child of the host window.
  // False (with a log line) when it cannot be made or the host is gone.
  bool CreateMainWindow();
  // Creates the sound manager unless one is installed, and initialises it;
  // false without sound.
  bool InitSound();
  void CreateDisplayHandler();

  // Settings: a missing key reads as "". Storing "encryptionkey" also works
  // out "cheatmode" from "cheatcode" and "computerid".
  void SetSetting(const TString& key, const TString& value) override;
  TString GetSetting(const TString& key) const override;
  // Only numeric text counts: "1" is true, "true" is false.
  bool GetSettingBool(const TString& key) const;

  TString GetVersionString() const override { return mData->mFoldersAndSettings.mVersionText; }
  bool IsScreensaver() const override { return mData->mScreensaver; }
  const char* GetCommandLine() const { return mData->mCommandLine.c_str(); }
  // Game time: milliseconds since start-up, less the time a host kept the game paused.
  uint32_t GetTime() const override;
  bool IsActive() const override { return mPump.mAppActive; }

  // The lists own the tasks from now on.
  void AddTask(std::unique_ptr<TTask> task);
  void AddRestoreTask(std::unique_ptr<TTask> task) override;
  TTaskList* GetTaskList() override { return &mData->mPlatformTasks; }

  TWindowManager* GetWindowManager() const override { return mData->mWindowManager.get(); }
  TAssetManager* GetAssetManager() const override { return mData->mAssetManager.get(); }
  TSoundManager* GetSoundManager() const override { return mData->mSoundManager.get(); }
  TDisplayHandler* GetDisplayHandler() const override { return mData->mDisplayHandler.get(); }
  // Null when "strings.xml" could not be read.
  TStringTable* GetStringTable() const override { return mData->mStringsLoaded ? mData->mStringTable.get() : nullptr; }
  int32_t GetMouseMode() const override { return mData->mMouseMode; }
  // Each takes the object, deleting the one installed before. A new display
  // starts with no 2D or 3D drawing open.
  void SetDisplayHandler(std::unique_ptr<TDisplayHandler> handler);
  void SetSoundManager(std::unique_ptr<TSoundManager> manager);
  sys::Window* GetMainWindow() const override { return mData->mMainWindow.get(); }
  TPlatformData& GetData() { return *mData; }
  TEventPump& GetEventPump() { return mPump; }
  const TDrawGuard& GetDrawGuard() const { return mDrawGuard; }

  // Small services of the desktop. Texts are Windows-1252.
  void SetWindowTitle(const TString& title);
  bool SetClipboardText(const TString& text) override;
  TString GetClipboardText() override;
  // Opens a web address (http, https or mailto) with the desktop's opener,
  // or, embedded, with the program named by "-host=".
  void OpenURL(const TString& address) override;
  // Moves the pointer to a point of the display.
  void SetCursorPos(int32_t x, int32_t y);

  // The event pump: fills exactly one event. With the queue empty it does
  // the idle work, reports idle and waits up to 1 ms for input.
  void GetEvent(TEvent* event);
  // Embedded: the full-screen state the game wishes, told to the host.
  void NotifyHostFullScreen(bool fullScreen);
  bool GetHostFullScreen() const { return mData->mHostFullScreen; }
  // The pump reports quit once the queue before it is taken.
  void PostQuitRequest() override;
  // Sends a message to the host window; 0 without one.
  int64_t SendToHost(uint32_t message, uint64_t first, int64_t second) override;

  // Drawing, forwarded to the display handler. Each call checks for a
  // display: without one it is refused.
  bool BeginDraw(bool keepPicture) override;
  // Measures the frame rate and draws the overlay before the frame ends.
  void EndDraw(bool present) override;
  bool Begin2d() override;
  void End2d() override;
  bool Begin3d();
  void End3d();
  void DrawVertices(int32_t primitiveType, TVertexList* vertices) override;
  bool IsIn2d() const override { return mDrawGuard.IsIn2d(); }
  bool GetDisplayScale(float& scale) const override { return mData->GetDisplayScale(scale); }
  void DrawRect(int32_t left, int32_t top, int32_t right, int32_t bottom, const TColor& colour,
                const std::shared_ptr<TTexture>& texture) override;
  void SetTexture(const std::shared_ptr<TTexture>& texture) override;
  bool PushRenderTarget(const std::shared_ptr<TTexture>& target) override;
  bool PopRenderTarget() override;
  void PushViewport(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
  int32_t PopViewport() override;
  // An empty rectangle without a display.
  void GetViewport(TRect& out) override;
  void SetWorldTransform(const TMatrix4& matrix);
  void SetViewTransform(const TMatrix4& matrix);
  void SetProjectionTransform(const TMatrix4& matrix);
  void GetWorldTransform(TMatrix4& matrix);
  void GetViewTransform(TMatrix4& matrix);
  void GetProjectionTransform(TMatrix4& matrix);
  void SetCullMode(int32_t mode);
  void SetTextureFilter(int32_t mode) override;
  void SetBlendMode(int32_t mode) override;
  void SetZWrite(bool on);
  bool IsFlipDone() override;
  void ReportOutOfVideoMemory() override;
  void Restore() override;
  // With "-pq=" the host decides: these read and tell the host's state.
  bool IsFullScreen() override;
  bool SetFullScreen(bool fullScreen) override;

  // Opens or changes the display; the first call makes the root window, and
  // the first with a display the vector renderer, calibrated on it.
  void SetDisplay(int32_t width, int32_t height, bool fullScreen);
  void RestoreAssets() override;
  void ReleaseAssets() override;
  void MarkDisplayChanged() override { mPump.mDisplayChanged = true; }
  bool IsEmbedded() const override { return mData->mEmbedded; }
  bool IsTestMode() const override { return mData->mTestMode; }
  bool HasHostWindow() const override { return mData->mHostWindow != nullptr; }
  bool IsHostWindowLost() const override;
  bool HostDecidesFullScreen() const override;
  bool IsWindowManagerSuspended() const override;
  // True once after a repaint was asked for.
  bool ConsumeRepaintRequest() override;

  // Text: fonts from the font cache, loaded on first use; the vector
  // renderer, null until the first display set-up has made it. Nothing may
  // draw text once the font cache is destroyed.
  TVecFont* GetFont(const TString& name) override;
  TVqMiniVecDraw* GetVecDraw() override { return mData->mVecDraw.get(); }
  void DestroyFontCache();

  // The cursor image the display draws in place of the system cursor.
  void SetCursor(const std::shared_ptr<TTexture>& texture, int32_t hotX, int32_t hotY);
  enum CursorUpdate { kCursorShow = 1, kCursorHide = 2, kCursorRefresh = 3 };
  void UpdateCursor(int mode);
  bool IsCursorEnabled() const override { return mData->mCursorEnabled; }
  bool IsWindowShown() const override { return mPump.mShown.load(); }
  void RequestSystemCursor(bool visible) override;

 private:
  void SetUpFolders(const TString& product);
  void LoadStrings();
  uint32_t PollCursor();
  void DrawOverlay();
  void EraseOverlay();

  // What the event pump asks of its owner besides the accessors above.
  void RunIdleTasks() override;

  std::unique_ptr<TPlatformData> mData;
  TEventPump mPump{*this};
  TDrawGuard mDrawGuard;
};

// The game runs in the host mode of "-pq=".
bool IsPqHostMode();
