#pragma once

#include <functional>
#include <memory>
#include <string>

class CallJournal;
class FakeClock;
class FakeDisplayHandler;
class FakeNativeWindow;
class FakeSoundManager;
class TAppPlatform;
namespace sys::gfx {
class Adapter;
}  // namespace sys::gfx

// What a test does with a started platform: it runs as the game's main function.
using PlatformBody = std::function<void(TAppPlatform& platform, FakeNativeWindow& desktop)>;

// Runs the framework's whole life, start-up to shut-down, over a scripted
// desktop (whose waits move the fake clock, when one is given), with the body
// as the game's main function. Returns the framework's exit code. The current
// folder, which start-up changes, is restored afterwards. The platform makes
// its display on the adapter given; without one it runs without a picture.
int RunPlatform(const std::string& commandLine, const PlatformBody& body, FakeClock* clock = nullptr,
                std::shared_ptr<sys::gfx::Adapter> adapter = nullptr);

// Install a fake on the platform, which owns it from then on; the test keeps
// watching it. Calls go to the journal given, or to the fake's own.
FakeDisplayHandler* InstallDisplay(TAppPlatform& platform, CallJournal* journal = nullptr);
FakeSoundManager* InstallSound(TAppPlatform& platform, CallJournal* journal = nullptr);
