#include "app/TAppPlatform.h"

#include "app/CommandLine.h"
#include "app/DisplayAdapterSource.h"
#include "media/display/TDx3dDisplayHandler.h"
#include "media/sound/TSoundManager.h"
#include "media/text/TTextLayout.h"
#include "media/text/TVqMiniVecDraw.h"
#include "platform/asset/TAssetManager.h"
#include "platform/crypto/MachineId.h"
#include "platform/file/FileIndex.h"
#include "platform/prefs/SettingsSource.h"
#include "platform/text/Log.h"
#include "platform/time/GameTime.h"
#include "platform/xml/TStringTable.h"
#include "system/os/OpenUrl.h"
#include "system/os/Version.h"
#include "system/window/HostWindow.h"
#include "system/window/NativeWindowSource.h"
#include "system/window/Window.h"
#include "windows/core/TWindowManager.h"
#include "windows/script/TWindowScript.h"

namespace {

constexpr char kPqHostSwitch[] = "-pq=";
constexpr uint32_t kHostFullScreenMessage = 1024;
constexpr uint32_t kPollPause = 16;             // ms between cursor polls
constexpr uint32_t kPollPauseWithoutCursor = 250;  // while the display knows no pointer position

// The platform as this layer knows it, installed and uninstalled together
// with its face.
TAppPlatform*& InstanceCell() {
  static TAppPlatform* cell = nullptr;
  return cell;
}

TString ProductName() {
  const std::string& name = sys::ProgramVersion().productName;
  size_t start = name.find_first_not_of(" \t\r\n");
  return start == std::string::npos ? "" : name.c_str() + start;
}

TString ReadPlatformSetting(const TString& key) {
  TAppPlatform* platform = TAppPlatform::Instance();
  return platform ? platform->GetSetting(key) : TString("");
}

TString VersionText() {
  const uint16_t* parts = sys::ProgramVersion().fileVersion;
  return TString::Format("%d.%d.%d.%d", parts[0], parts[1], parts[2], parts[3]);
}

}  // namespace

TAppPlatform::TAppPlatform(std::unique_ptr<TPlatformData> data) : mData(std::move(data)) {
  Install(this);
  InstanceCell() = this;
  SetSettingsReader(ReadPlatformSetting);
  TString product = ProductName();
  TFoldersAndSettings& folders = mData->mFoldersAndSettings;
  folders.mVersionText = VersionText();
  SetUpFolders(product);
  if (!mData->mEmbedded) SetLogFolder(folders.mUserFolder);
  mData->mWindowManager->SetScript(std::make_unique<TWindowScript>());
  SetDataFolders(folders.mUserFolder, folders.mCommonFolder);
  BuildFileIndex();
  LoadStrings();
  LogPrintf("%s, version %s.", product.CStr(), folders.mVersionText.CStr());
  mData->mPollThread.Start([this] { return PollCursor(); });
  folders.mSettings["computerid"] = GetMachineId();
}

// In this order: nothing may poll the display once the window manager and the
// display start to go, the window goes after everything that draws into it,
// and fonts after everything that draws text.
TAppPlatform::~TAppPlatform() {
  TPlatformData& data = *mData;
  data.mCursorTexture.reset();
  data.mOverlayText.reset();
  data.mPollThread.Stop();
  data.mWindowManager.reset();
  data.mPlatformTasks.Clear();
  data.mSoundManager.reset();
  data.mVecDraw.reset();
  DestroyFontCache();
  data.mCursorTexture.reset();
  data.mDisplayHandler.reset();
  if (data.mMainWindow) data.mMainWindow->SetProcedure(nullptr);
  data.mMainWindow.reset();
  Install(nullptr);
  InstanceCell() = nullptr;
  SetSettingsReader(nullptr);
  data.mStringTable->Clear();
  data.mStringTable.reset();
  data.mAssetManager.reset();
}

TAppPlatform* TAppPlatform::Instance() { return InstanceCell(); }

// Both data folders stay the program folder when the game runs inside a host
// window (unless the host mode of "-pq=" is on); a shared folder that cannot
// be made is the user's own.
void TAppPlatform::SetUpFolders(const TString& product) {
  mData->mFoldersAndSettings.SetUpDataFolders(product, mData->mEmbedded && !IsPqHostMode());
  const std::string& buildTag = sys::ProgramVersion().internalName;
  if (!buildTag.empty()) SetSetting("buildtag", buildTag.c_str());
}

// Scripted labels are translated only when there are texts to translate them with.
void TAppPlatform::LoadStrings() {
  mData->mStringsLoaded = mData->mStringTable->Load("strings.xml");
  if (mData->mStringsLoaded) mData->mWindowManager->SetTranslateLabels(true);
}

bool TAppPlatform::CreateMainWindow() {
  TPlatformData& data = *mData;
  if (data.mHostHandle != 0) {
    data.mHostWindow = sys::FindHostWindow(data.mHostHandle);
    if (!data.mHostWindow) {
      LogPrintf("Error: mExternalWindowParent is lost, exiting!");
      return false;
    }
  }
  std::unique_ptr<sys::NativeWindow> native = MakeNativeMainWindow();
  if (!native) {
    LogPrintf("The main window cannot be created");
    return false;
  }
  data.mMainWindow = std::make_unique<sys::Window>(std::move(native), data.mHostWindow);
  if (data.mTestMode) data.mMainWindow->Show();
  data.mMainWindow->SetProcedure([this](const sys::Message& message) { return mPump.HandleWindowMessage(message); });
  return true;
}

bool TAppPlatform::InitSound() {
  if (!mData->mSoundManager) mData->mSoundManager = std::make_unique<TSoundManager>();
  return mData->mSoundManager->Init();
}

// The display draws through our display device, on the adapter the source
// gives; without one the program runs without a picture.
void TAppPlatform::CreateDisplayHandler() {
  std::shared_ptr<sys::gfx::Adapter> adapter = MakeDisplayAdapter();
  if (!adapter) {
    LogPrintf("No display device: the program runs without a picture");
    return;
  }
  SetDisplayHandler(std::make_unique<TDx3dDisplayHandler>(std::move(adapter)));
}

void TAppPlatform::SetSetting(const TString& key, const TString& value) {
  mData->mFoldersAndSettings.SetSetting(key, value);
}

TString TAppPlatform::GetSetting(const TString& key) const { return mData->mFoldersAndSettings.GetSetting(key); }

bool TAppPlatform::GetSettingBool(const TString& key) const {
  return mData->mFoldersAndSettings.GetSettingBool(key);
}

uint32_t TAppPlatform::GetTime() const { return GetGameTime(); }

void TAppPlatform::AddTask(std::unique_ptr<TTask> task) { mData->mPlatformTasks.Add(std::move(task)); }

void TAppPlatform::AddRestoreTask(std::unique_ptr<TTask> task) { mData->mRestoreTasks.Add(std::move(task)); }

void TAppPlatform::SetDisplayHandler(std::unique_ptr<TDisplayHandler> handler) {
  std::unique_lock keepOut = mData->mPollThread.KeepOut();
  mData->mDisplayHandler = std::move(handler);
  mDrawGuard.Reset();
}

void TAppPlatform::SetSoundManager(std::unique_ptr<TSoundManager> manager) {
  mData->mSoundManager = std::move(manager);
}

TVecFont* TAppPlatform::GetFont(const TString& name) { return mData->mFontCache.GetFont(name); }

void TAppPlatform::DestroyFontCache() { mData->mFontCache.Clear(); }

void TAppPlatform::SetWindowTitle(const TString& title) {
  if (sys::Window* window = GetMainWindow()) window->SetTitle(title.CStr());
}

bool TAppPlatform::SetClipboardText(const TString& text) {
  sys::Window* window = GetMainWindow();
  return window && window->SetClipboardText(text.CStr());
}

TString TAppPlatform::GetClipboardText() {
  sys::Window* window = GetMainWindow();
  return window ? TString(window->GetClipboardText().c_str()) : TString("");
}

void TAppPlatform::OpenURL(const TString& address) {
  TString program = mData->mEmbedded ? ReadHostProgram(GetCommandLine()) : TString("");
  if (program.IsEmpty()) {
    sys::OpenUrl(address.CStr());
  } else {
    sys::OpenUrl(address.CStr(), program.CStr());
  }
}

void TAppPlatform::SetCursorPos(int32_t x, int32_t y) {
  sys::Window* window = GetMainWindow();
  if (!window) return;
  float scale = mData->mDisplayScale.load(std::memory_order_acquire);
  window->WarpCursor(static_cast<int32_t>(x * scale), static_cast<int32_t>(y * scale));
}

void TAppPlatform::NotifyHostFullScreen(bool fullScreen) {
  mData->mHostFullScreen = fullScreen;
  SendToHost(kHostFullScreenMessage, fullScreen ? 1 : 0, 0);
}

int64_t TAppPlatform::SendToHost(uint32_t message, uint64_t first, int64_t second) {
  return mData->mHostWindow ? mData->mHostWindow->Send(message, first, second) : 0;
}

// A late report of running out of video memory and the system arrow asked
// for since the last pass are dealt with first: the display and SDL are
// reached only from the main thread.
void TAppPlatform::GetEvent(TEvent* event) {
  if (mData->mVideoMemoryReportPending.exchange(false)) ReportOutOfVideoMemory();
  int request = mData->mSystemCursorRequest.exchange(TPlatformData::kNoRequest);
  if (request != TPlatformData::kNoRequest) {
    if (sys::Window* window = GetMainWindow()) window->ShowCursor(request == TPlatformData::kShowArrow);
  }
  mPump.GetEvent(event);
}

void TAppPlatform::RequestSystemCursor(bool visible) {
  mData->mSystemCursorRequest.store(visible ? TPlatformData::kShowArrow : TPlatformData::kHideArrow);
}

// Without a window the pump reports quit anyway.
void TAppPlatform::PostQuitRequest() {
  if (sys::Window* window = GetMainWindow()) window->PostQuit();
}

bool TAppPlatform::IsHostWindowLost() const {
  return mData->mHostWindow && sys::FindHostWindow(mData->mHostHandle) != mData->mHostWindow;
}

bool TAppPlatform::IsWindowManagerSuspended() const { return mData->mWindowManager->IsSuspended(); }

bool TAppPlatform::HostDecidesFullScreen() const { return IsPqHostMode(); }

void TAppPlatform::RunIdleTasks() { mData->mPlatformTasks.DoTasks(TTaskPass::Timed); }

// Cursor poll thread: the display's cursor follows the pointer every 16 ms,
// every 250 ms while the display knows no pointer position, and not at all
// while the window manager is suspended. The display handler is read under
// the thread's poll lock, which its replacement takes.
uint32_t TAppPlatform::PollCursor() {
  TDisplayHandler* display = mData->mDisplayHandler.get();
  TWindowManager* manager = mData->mWindowManager.get();
  if (!display || !manager || manager->IsSuspended()) return kPollPause;
  return display->UpdateMouse(-1, -1).x == -1 ? kPollPauseWithoutCursor : kPollPause;
}

bool IsPqHostMode() {
  TAppPlatform* platform = TAppPlatform::Instance();
  return platform && HasSwitch(platform->GetCommandLine(), kPqHostSwitch);
}
