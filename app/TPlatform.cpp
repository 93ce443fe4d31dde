#include "app/TPlatform.h"

#include "media/TDisplayHandler.h"
#include "media/TSoundManager.h"
#include "media/TSoundServices.h"
#include "app/CommandLine.h"
#include "platform/file/FileIndex.h"
#include "platform/time/GameTime.h"
#include "platform/text/Log.h"
#include "platform/crypto/MachineId.h"
#include "system/window/NativeWindowSource.h"
#include "platform/prefs/SettingsSource.h"
#include "platform/asset/TAssetManager.h"
#include "platform/crypto/TStringCipher.h"
#include "platform/xml/TStringTable.h"
#include "system/os/Folders.h"
#include "system/os/OpenUrl.h"
#include "system/os/Version.h"
#include "system/window/HostWindow.h"
#include "system/window/Window.h"
#include "windows/TWindowManager.h"
#include "windows/TWindowScript.h"

namespace {

constexpr char kVendorFolder[] = "Velmartis";
constexpr char kPqHostSwitch[] = "-pq=";
constexpr uint32_t kHostFullScreenMessage = 1024;
constexpr uint32_t kPollPause = 16;             // ms between cursor polls
constexpr uint32_t kPollPauseWithoutCursor = 250;  // while the display knows no pointer position

TPlatform*& InstanceCell() {
  static TPlatform* cell = nullptr;
  return cell;
}

// The product's data folder below a root, made when missing; "" when it
// cannot be made.
TString DataFolder(const std::string& root, const TString& product) {
  if (root.empty() || product.IsEmpty()) return "";
  std::string folder = root + "/" + kVendorFolder + "/" + product.CStr();
  return sys::MakeFolders(folder) ? TString(folder.c_str()) : TString("");
}

TString ProductName() {
  const std::string& name = sys::ProgramVersion().productName;
  size_t start = name.find_first_not_of(" \t\r\n");
  return start == std::string::npos ? "" : name.c_str() + start;
}

TString ReadPlatformSetting(const TString& key) {
  TPlatform* platform = TPlatform::Instance();
  return platform ? platform->GetSetting(key) : TString("");
}

TString VersionText() {
  const uint16_t* parts = sys::ProgramVersion().fileVersion;
  return TString::Format("%d.%d.%d.%d", parts[0], parts[1], parts[2], parts[3]);
}

}  // namespace

TPlatform::TPlatform(std::unique_ptr<TPlatformData> data) : mData(std::move(data)) {
  InstanceCell() = this;
  SetSettingsReader(ReadPlatformSetting);
  TString product = ProductName();
  mData->mVersionText = VersionText();
  SetUpFolders(product);
  if (!mData->mEmbedded) SetLogFolder(mData->mUserFolder);
  mData->mWindowManager->SetScript(new TWindowScript);
  SetDataFolders(mData->mUserFolder, mData->mCommonFolder);
  BuildFileIndex();
  LoadStrings();
  LogPrintf("%s, version %s.", product.CStr(), mData->mVersionText.CStr());
  mData->mPollThread.Start([this] { return PollCursor(); });
  mData->mSettings["computerid"] = GetMachineId();
  TSoundServices::Install([this] { return GetSoundManager(); }, [this] { return GetAssetManager(); });
}

// In this order: nothing may poll the display once the window manager and the
// display start to go, and the window goes after everything that draws into it.
TPlatform::~TPlatform() {
  TPlatformData& data = *mData;
  data.mCursorTexture.reset();
  data.mPollThread.Stop();
  data.mWindowManager.reset();
  data.mPlatformTasks.Clear();
  data.mSoundManager.reset();
  data.mCursorTexture.reset();
  data.mDisplayHandler.reset();
  if (data.mMainWindow) data.mMainWindow->SetProcedure(nullptr);
  data.mMainWindow.reset();
  InstanceCell() = nullptr;
  SetSettingsReader(nullptr);
  TSoundServices::Install(nullptr, nullptr);
  data.mStringTable->Clear();
  data.mStringTable.reset();
  data.mAssetManager.reset();
}

TPlatform* TPlatform::Instance() { return InstanceCell(); }

// Both data folders stay the program folder when the game runs inside a host
// window (unless the host mode of "-pq=" is on); a shared folder that cannot
// be made is the user's own.
void TPlatform::SetUpFolders(const TString& product) {
  TPlatformData& data = *mData;
  data.mUserFolder = data.mProgramFolder;
  data.mCommonFolder = data.mProgramFolder;
  if (!data.mEmbedded || IsPqHostMode()) {
    TString user = DataFolder(sys::UserDataRoot(), product);
    if (!user.IsEmpty()) data.mUserFolder = user;
    TString common = DataFolder(sys::CommonDataRoot(), product);
    data.mCommonFolder = common.IsEmpty() ? data.mUserFolder : common;
  }
  const std::string& buildTag = sys::ProgramVersion().internalName;
  if (!buildTag.empty()) SetSetting("buildtag", buildTag.c_str());
}

// Scripted labels are translated only when there are texts to translate them with.
void TPlatform::LoadStrings() {
  mData->mStringsLoaded = mData->mStringTable->Load("strings.xml");
  if (mData->mStringsLoaded) mData->mWindowManager->SetTranslateLabels(true);
}

bool TPlatform::CreateMainWindow() {
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
  data.mMainWindow->SetProcedure([this](const sys::Message& message) { return HandleWindowMessage(message); });
  return true;
}

bool TPlatform::InitSound() {
  if (!mData->mSoundManager) {
    TSoundHost host{.isScreensaver = [this] { return IsScreensaver(); },
                    .reportOutOfVideoMemory = [this] { ReportOutOfVideoMemory(); }};
    mData->mSoundManager = std::make_unique<TSoundManager>(std::move(host));
  }
  return mData->mSoundManager->Init();
}

void TPlatform::CreateDisplayHandler() {
  if (!mData->mDisplayHandler) LogPrintf("No display device: the program runs without a picture");
}

void TPlatform::SetSetting(const TString& key, const TString& value) {
  mData->mSettings[key] = value;
  if (key != "encryptionkey") return;
  TStringCipher cipher(value);
  bool cheating = cipher.DecryptString(GetSetting("cheatcode")) == GetSetting("computerid");
  mData->mSettings["cheatmode"] = cheating ? "1" : "0";
}

TString TPlatform::GetSetting(const TString& key) const {
  auto found = mData->mSettings.find(key);
  return found == mData->mSettings.end() ? TString("") : found->second;
}

bool TPlatform::GetSettingBool(const TString& key) const { return GetSetting(key).ToInt() != 0; }

uint32_t TPlatform::GetTime() const { return GetGameTime(); }

void TPlatform::AddTask(TTask* task) { mData->mPlatformTasks.Add(task); }

void TPlatform::AddRestoreTask(TTask* task) { mData->mRestoreTasks.Add(task); }

void TPlatform::SetDisplayHandler(TDisplayHandler* handler) {
  std::unique_lock keepOut = mData->mPollThread.KeepOut();
  mData->mDisplayHandler.reset(handler);
}

void TPlatform::SetSoundManager(TSoundManager* manager) { mData->mSoundManager.reset(manager); }

void TPlatform::SetWindowTitle(const TString& title) {
  if (sys::Window* window = GetMainWindow()) window->SetTitle(title.CStr());
}

bool TPlatform::SetClipboardText(const TString& text) {
  sys::Window* window = GetMainWindow();
  return window && window->SetClipboardText(text.CStr());
}

TString TPlatform::GetClipboardText() {
  sys::Window* window = GetMainWindow();
  return window ? TString(window->GetClipboardText().c_str()) : TString("");
}

void TPlatform::OpenURL(const TString& address) {
  TString program = mData->mEmbedded ? ReadHostProgram(GetCommandLine()) : TString("");
  if (program.IsEmpty()) {
    sys::OpenUrl(address.CStr());
  } else {
    sys::OpenUrl(address.CStr(), program.CStr());
  }
}

void TPlatform::SetCursorPos(int32_t x, int32_t y) {
  sys::Window* window = GetMainWindow();
  if (!window) return;
  float scale = mData->mDisplayScale.load(std::memory_order_acquire);
  window->WarpCursor(static_cast<int32_t>(x * scale), static_cast<int32_t>(y * scale));
}

void TPlatform::NotifyHostFullScreen(bool fullScreen) {
  mData->mHostFullScreen = fullScreen;
  SendToHost(kHostFullScreenMessage, fullScreen ? 1 : 0, 0);
}

int64_t TPlatform::SendToHost(uint32_t message, uint64_t first, int64_t second) {
  return mData->mHostWindow ? mData->mHostWindow->Send(message, first, second) : 0;
}

// Cursor poll thread: the display's cursor follows the pointer every 16 ms,
// every 250 ms while the display knows no pointer position, and not at all
// while the window manager is suspended. The display handler is read under
// the thread's poll lock, which its replacement takes.
uint32_t TPlatform::PollCursor() {
  TDisplayHandler* display = mData->mDisplayHandler.get();
  TWindowManager* manager = mData->mWindowManager.get();
  if (!display || !manager || manager->IsSuspended()) return kPollPause;
  return display->UpdateMouse(-1, -1).x == -1 ? kPollPauseWithoutCursor : kPollPause;
}

bool IsPqHostMode() {
  TPlatform* platform = TPlatform::Instance();
  return platform && HasSwitch(platform->GetCommandLine(), kPqHostSwitch);
}
