#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/TPlatform.h"
#include "platform/asset/TAssetManager.h"
#include "platform/time/TTaskList.h"
#include "tests/support/CallJournal.h"

// A platform face in place of the application's platform object, for the
// layers below it: installed while it lives, it records the frame, drawing and
// out-of-memory calls it gets in the words of the fake display (unless
// recording is off, as benchmarks want it), and answers as the test sets it
// up. Viewports stack as on a display: a push makes the rectangle current, a
// pop brings back the one before. It holds no window manager or sound manager
// of its own: the test hands it those; its asset manager is its own unless the
// test hands it another. Given a display, it hands the drawing calls that
// textures make through it (2D drawing, texture, blend mode, filter, vertex
// lists, fills, render targets) on to the display, as the platform object
// does.
class FakePlatform : public TPlatform {
 public:
  FakePlatform() { Install(this); }
  ~FakePlatform() override { Install(nullptr); }

  std::vector<std::string> Calls() const { return journal.Entries(); }

  // Answers.
  TWindowManager* windowManager = nullptr;
  TRect viewport{0, 0, 800, 600};
  std::vector<TRect> viewportStack;
  bool recording = true;
  bool fullScreen = false;
  bool flipDone = true;
  bool beginDraw = true;
  bool repaintRequested = false;
  TSoundManager* soundManager = nullptr;
  std::unique_ptr<TAssetManager> assets = std::make_unique<TAssetManager>();
  TAssetManager* assetManager = assets.get();
  bool screensaver = false;
  int32_t mouseMode = 0;
  bool renderTarget = true;  // PushRenderTarget's answer
  int quitRequests = 0;
  sys::Window* mainWindow = nullptr;
  std::atomic<uint32_t> time{0};  // read by the cursor poll thread too
  bool active = true;
  bool in2d = false;
  bool embedded = false;  // draws at displayScale
  float displayScale = 1.0f;
  bool testMode = false;
  bool hostWindow = false;
  bool hostWindowLost = false;
  bool hostDecidesFullScreen = false;
  bool windowManagerSuspended = false;
  TDisplayHandler* displayHandler = nullptr;
  std::atomic<bool> windowShown{true};
  bool cursorEnabled = true;
  std::atomic<int> arrowShown{0};  // requests to show the system arrow
  std::atomic<int> arrowHidden{0};
  TTaskList restoreTasks;
  bool begin2d = true;
  std::map<std::string, TVecFont*> fonts;  // any other name has no font
  TVqMiniVecDraw* vecDraw = nullptr;
  TStringTable* stringTable = nullptr;
  std::string clipboard;  // Windows-1252
  bool clipboardWorks = true;
  std::map<std::string, std::string> settings;
  std::string versionString = "1.0.0.0";
  bool fullScreenWorks = true;         // SetFullScreen makes the change
  std::vector<std::string> openedUrls;  // what OpenURL was asked to open

  CallJournal journal;
  TTaskList tasks;

  TWindowManager* GetWindowManager() const override { return windowManager; }
  TTaskList* GetTaskList() override { return &tasks; }
  bool BeginDraw(bool keepPicture) override;
  void EndDraw(bool present) override;
  bool IsFlipDone() override { return flipDone; }
  bool IsFullScreen() override { return fullScreen; }
  bool ConsumeRepaintRequest() override;
  int32_t GetMouseMode() const override { return mouseMode; }
  void PostQuitRequest() override;
  void PushViewport(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
  int32_t PopViewport() override;
  void GetViewport(TRect& out) override { out = viewport; }
  void DrawRect(int32_t left, int32_t top, int32_t right, int32_t bottom, const TColor& colour,
                const std::shared_ptr<TTexture>& texture) override;
  TSoundManager* GetSoundManager() const override { return soundManager; }
  TAssetManager* GetAssetManager() const override { return assetManager; }
  TStringTable* GetStringTable() const override { return stringTable; }
  bool IsScreensaver() const override { return screensaver; }
  void ReportOutOfVideoMemory() override { Record("ReportOutOfVideoMemory"); }
  bool PushRenderTarget(const std::shared_ptr<TTexture>& target) override;
  bool PopRenderTarget() override;

  sys::Window* GetMainWindow() const override { return mainWindow; }
  uint32_t GetTime() const override { return time.load(); }
  bool IsActive() const override { return active; }
  bool IsIn2d() const override { return in2d; }
  bool GetDisplayScale(float& scale) const override {
    scale = displayScale;
    return embedded;
  }
  bool IsEmbedded() const override { return embedded; }
  bool IsTestMode() const override { return testMode; }
  bool HasHostWindow() const override { return hostWindow; }
  bool IsHostWindowLost() const override { return hostWindowLost; }
  bool HostDecidesFullScreen() const override { return hostDecidesFullScreen; }
  bool IsWindowManagerSuspended() const override { return windowManagerSuspended; }
  // Recorded; the asset manager releases or restores its assets.
  void ReleaseAssets() override;
  void RestoreAssets() override;
  void MarkDisplayChanged() override { Record("MarkDisplayChanged"); }
  TDisplayHandler* GetDisplayHandler() const override { return displayHandler; }
  void SetTextureFilter(int32_t mode) override;
  void AddRestoreTask(std::unique_ptr<TTask> task) override { restoreTasks.Add(std::move(task)); }
  bool IsWindowShown() const override { return windowShown.load(); }
  bool IsCursorEnabled() const override { return cursorEnabled; }
  void RequestSystemCursor(bool visible) override { ++(visible ? arrowShown : arrowHidden); }

  // Without a display: begin2d, and the 2D flag stays as the test sets it.
  bool Begin2d() override;
  void End2d() override;
  void SetTexture(const std::shared_ptr<TTexture>& texture) override;
  void SetBlendMode(int32_t mode) override;
  // Recorded with the list's kind and vertex count.
  void DrawVertices(int32_t primitiveType, TVertexList* vertices) override;

  // Recorded with the name.
  TVecFont* GetFont(const TString& name) override;
  TVqMiniVecDraw* GetVecDraw() override { return vecDraw; }

  TString GetClipboardText() override { return TString(clipboard.c_str()); }
  // Into clipboard, unless clipboardWorks is off.
  bool SetClipboardText(const TString& text) override;

  void SetSetting(const TString& key, const TString& value) override;
  TString GetSetting(const TString& key) const override;
  TString GetVersionString() const override { return TString(versionString.c_str()); }
  // Into fullScreen, unless fullScreenWorks is off.
  bool SetFullScreen(bool on) override;
  void OpenURL(const TString& address) override { openedUrls.emplace_back(address.CStr()); }

 private:
  void Record(const std::string& entry);
};
