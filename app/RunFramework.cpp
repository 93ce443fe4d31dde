#include "app/RunFramework.h"

#include <cstdlib>
#include <memory>
#include <string>

#include "app/CommandLine.h"
#include "platform/file/FileIndex.h"
#include "platform/host/IHostBridge.h"
#include "platform/text/Log.h"
#include "app/TAppPlatform.h"
#include "system/os/BigBlocks.h"
#include "system/os/DynamicLibrary.h"
#include "system/os/LayerLog.h"
#include "system/os/TickCount.h"
#include "system/window/HostWindow.h"

namespace {

constexpr char kHarnessLibrary[] = "vqHarness.dll";
constexpr char kHarnessEntry[] = "TestHook";
constexpr uint32_t kQuitMessage = 18;
constexpr int kFailure = -1;

// The optional test harness may replace the command line; it names a window
// of its own that hears when the program ends.
using TestHook = uint32_t (*)(const char** commandLine);

void WriteLayerLine(const char* line) { LogPrintf("%s", line); }

uint32_t RunTestHook(sys::DynamicLibrary& harness, const char*& commandLine) {
  if (!harness.Open(kHarnessLibrary)) return 0;
  auto hook = reinterpret_cast<TestHook>(harness.Symbol(kHarnessEntry));
  return hook ? hook(&commandLine) : 0;
}

void TellHarnessWindow(uint32_t handle) {
  if (sys::HostWindow* window = sys::FindHostWindow(handle)) window->Post(kQuitMessage, 0, 0);
}

// The bridge talks to the host through the host window. Without one no host
// would ever end the pause the bridge begins at the first event fetch, and
// the game would stop hearing even a close request.
void EnableHostBridge(const TPlatformData& data, const char* hostSwitch) {
  if (data.mHostHandle == 0) {
    LogPrintf("%s without a host window: the host bridge stays off", hostSwitch);
    return;
  }
  GetHostBridge().EnableHostBridge();
}

// The switches that run the program as a screensaver, inside a host window
// or under the test harness. False when the host window is not there.
bool ReadModeSwitches(TPlatformData& data, const char* commandLine) {
  data.mScreensaver = HasSwitch(commandLine, "screensaver");
  if (HasSwitch(commandLine, "-wnd=")) {
    data.mHostHandle = ReadHostWindowHandle(commandLine);
    data.mEmbedded = true;
    if (!sys::FindHostWindow(data.mHostHandle)) return false;
  }
  data.mTestMode = HasSwitch(commandLine, "--axtest");
  return true;
}

// "firstpeek" swaps the file index's exclusion list.
void ApplyFirstPeek(const TAppPlatform& platform) {
  if (!platform.GetSettingBool("firstpeek")) return;
  SetFirstPeek(true);
  ClearFileIndex();
  BuildFileIndex();
}

int RunPlatform(const char* commandLine, TGameMain gameMain, bool allowMultiple, uint32_t harnessWindow) {
  allowMultiple = allowMultiple || HasSwitch(commandLine, "-wnd=") || HasSwitch(commandLine, "--multiple") ||
                  HasSwitch(commandLine, "screensaver");
  std::srand((sys::TickCount() * 8627u) % 104729u);
  auto data = std::make_unique<TPlatformData>(commandLine, allowMultiple);
  if (data->MustExit()) return 0;
  if (!ReadModeSwitches(*data, commandLine)) return kFailure;

  TAppPlatform platform(std::move(data));
  TPlatformData& built = platform.GetData();
  // Once the platform is built, so that a refusal is logged in the game's log.
  if (HasSwitch(commandLine, "-msn")) EnableHostBridge(built, "-msn");
  if (!platform.CreateMainWindow()) return kFailure;
  if (built.mTestMode) built.mEmbedded = true;
  platform.InitSound();
  platform.CreateDisplayHandler();
  built.mFoldersAndSettings.ReadStartSettings(commandLine);
  ApplyFirstPeek(platform);
  if (IsPqHostMode()) EnableHostBridge(built, "-pq=");
  gameMain(&platform, commandLine);
  TellHarnessWindow(harnessWindow);
  return 0;
}

}  // namespace

int RunFramework(const char* commandLine, TGameMain gameMain, bool allowMultiple) {
  // Screens load and let go of megabytes of pictures; what one lets go of
  // goes back to the system before the next one loads.
  sys::GiveBigBlocksPagesOfTheirOwn();
  sys::SetLogWriter(WriteLayerLine);
  sys::DynamicLibrary harness;
  uint32_t harnessWindow = RunTestHook(harness, commandLine);
  std::string line = commandLine;
  int exitCode = RunPlatform(line.c_str(), gameMain, allowMultiple, harnessWindow);
  sys::SetLogWriter(nullptr);
  return exitCode;
}
