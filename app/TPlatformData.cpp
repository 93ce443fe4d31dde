#include "app/TPlatformData.h"

#include "media/display/TDisplayHandler.h"
#include "media/sound/TSoundManager.h"
#include "media/text/TTextLayout.h"
#include "media/text/TVqMiniVecDraw.h"
#include "platform/time/GameTime.h"
#include "platform/asset/TAssetManager.h"
#include "platform/xml/TStringTable.h"
#include "system/os/Paths.h"
#include "system/window/Window.h"
#include "windows/core/TWindowManager.h"

TPlatformData::TPlatformData(const char* commandLine, bool allowMultiple)
    : mCommandLine(commandLine),
      mWindowManager(std::make_unique<TWindowManager>()),
      mAssetManager(std::make_unique<TAssetManager>()),
      mStringTable(std::make_unique<TStringTable>()) {
  mFoldersAndSettings.ReadProgramFolders();
  sys::SetCurrentFolder(mFoldersAndSettings.mProgramFolder.CStr());
  if (!allowMultiple) ClaimSingleInstance();
  RestartGameTime(0);
}

TPlatformData::~TPlatformData() = default;

bool TPlatformData::GetDisplayScale(float& scale) const {
  scale = mDisplayScale.load(std::memory_order_acquire);
  return mEmbedded;
}

TString TPlatformData::InstanceName(const std::string& programPath) {
  std::string name;
  for (char c : sys::CanonicalPath(programPath)) {
    if (c == '/' || c == ':') continue;
    name += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return name.c_str();
}

// A start of the same program while another copy runs brings that copy to
// the front (the claim tells it) and ends. When no claim can be made at all
// the program runs as if it were the first.
void TPlatformData::ClaimSingleInstance() {
  TString mutexName = InstanceName(mFoldersAndSettings.mProgramPath.CStr()) + "_MUTEX";
  mMustExit = mSingleInstance.Acquire(mutexName.CStr()) == sys::SingleInstance::Claim::AlreadyRunning;
}
