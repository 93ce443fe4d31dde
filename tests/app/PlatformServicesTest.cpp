// The small desktop services of the platform and its shut-down.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "platform/text/Log.h"
#include "app/TAppPlatform.h"
#include "system/os/OpenUrl.h"
#include "tests/support/CallJournal.h"
#include "tests/support/FakeDisplayHandler.h"
#include "tests/support/FakeHostWindow.h"
#include "tests/support/FakeNativeWindow.h"
#include "tests/support/FakeSoundManager.h"
#include "tests/support/PlatformRun.h"
#include "tests/support/TempFolder.h"
#include "windows/core/TWindowManager.h"
#include "windows/script/TWindowScript.h"

namespace {

TEST(PlatformServices, TitleAndClipboardTravelInWindows1252) {
  RunPlatform("", [](TAppPlatform& platform, FakeNativeWindow& desktop) {
    platform.SetWindowTitle("caf\xe9");
    EXPECT_EQ(desktop.title, "caf\xc3\xa9");
    EXPECT_TRUE(platform.SetClipboardText("\x80 5"));
    EXPECT_EQ(desktop.clipboard, "\xe2\x82\xac 5");
    EXPECT_STREQ(platform.GetClipboardText().CStr(), "\x80 5");
    desktop.clipboardWorks = false;
    EXPECT_FALSE(platform.SetClipboardText("x"));
    EXPECT_STREQ(platform.GetClipboardText().CStr(), "");
  });
}

TEST(PlatformServices, ThePointerIsPlacedAtTheDrawingScale) {
  RunPlatform("", [](TAppPlatform& platform, FakeNativeWindow& desktop) {
    platform.SetCursorPos(100, 50);
    ASSERT_EQ(desktop.warps.size(), 1u);
    EXPECT_EQ(desktop.warps[0], std::make_pair(100, 50));
  });
  FakeHostWindow host(400);
  char line[64];
  std::snprintf(line, sizeof line, "-wnd=%x", host.Handle());
  RunPlatform(line, [](TAppPlatform& platform, FakeNativeWindow& desktop) {
    platform.SetDisplay(800, 600, false);
    platform.SetCursorPos(100, 50);
    ASSERT_EQ(desktop.warps.size(), 1u);
    EXPECT_EQ(desktop.warps[0], std::make_pair(50, 25));
  });
}

TEST(PlatformServices, TheSystemArrowAskedForFromAnyThreadChangesAtTheNextPumpPass) {
  RunPlatform("", [](TAppPlatform& platform, FakeNativeWindow& desktop) {
    desktop.cursorVisible = false;
    std::thread([&] { platform.RequestSystemCursor(true); }).join();
    EXPECT_FALSE(desktop.cursorVisible) << "the window is told only on the main thread";
    TEvent event;
    platform.GetEvent(&event);
    EXPECT_TRUE(desktop.cursorVisible);
    platform.RequestSystemCursor(false);
    platform.GetEvent(&event);
    EXPECT_FALSE(desktop.cursorVisible);
    desktop.cursorVisible = true;
    platform.GetEvent(&event);
    EXPECT_TRUE(desktop.cursorVisible) << "a request is carried out once";
  });
}

TEST(PlatformServices, AnAddressThatIsNotAWebAddressIsRefusedAndLogged) {
  RunPlatform("", [](TAppPlatform& platform, FakeNativeWindow&) { platform.OpenURL("file:///etc/passwd"); });
  EXPECT_NE(ReadWholeFile(GetLogPath().CStr()).find("file:///etc/passwd"), std::string::npos);
}

std::vector<std::string> gOpened;

bool RecordOpening(const std::string& address, const std::string& program) {
  gOpened.push_back(address + " " + program);
  return true;
}

// Through the face, as the game opens its download link, with the opener
// recorded instead of started.
TEST(PlatformServices, AWebAddressGoesToTheDesktopOpener) {
  gOpened.clear();
  sys::SetUrlOpener(RecordOpening);
  RunPlatform("", [](TAppPlatform& platform, FakeNativeWindow&) {
    TPlatform& face = platform;
    face.OpenURL("https://example.org/get");
  });
  sys::SetUrlOpener(nullptr);
  EXPECT_EQ(gOpened, std::vector<std::string>{"https://example.org/get xdg-open"});
}

TEST(PlatformServices, StartUpMakesASoundManagerAndInitSoundKeepsAnInstalledOne) {
  RunPlatform("", [](TAppPlatform& platform, FakeNativeWindow&) {
    EXPECT_NE(platform.GetSoundManager(), nullptr) << "start-up made one";
    auto* sound = InstallSound(platform);
    EXPECT_TRUE(platform.InitSound());
    EXPECT_EQ(platform.GetSoundManager(), sound);
    sound->initialises = false;
    EXPECT_FALSE(platform.InitSound());
    EXPECT_EQ(sound->Journal().Count("Init"), 2);
  });
}

TEST(PlatformServices, AScreensaverRunsWithoutSound) {
  RunPlatform("screensaver", [](TAppPlatform& platform, FakeNativeWindow&) {
    ASSERT_NE(platform.GetSoundManager(), nullptr);
    EXPECT_FALSE(platform.InitSound());
  });
}

// The window manager's script records its own end, and a platform task its deletion.
class JournalScript : public TWindowScript {
 public:
  explicit JournalScript(CallJournal& journal) : mJournal(journal) {}
  ~JournalScript() override { mJournal.Add("~window manager"); }

 private:
  CallJournal& mJournal;
};

class JournalTask : public TTask {
 public:
  explicit JournalTask(CallJournal& journal) : mJournal(journal) {}
  ~JournalTask() override { mJournal.Add("~task"); }
  bool Step() override { return true; }

 private:
  CallJournal& mJournal;
};

TEST(PlatformShutDown, TakesThePlatformDownInOrderWithNoPollAfterTheThreadStops) {
  CallJournal journal;
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow&) {
    InstallDisplay(platform, &journal);
    InstallSound(platform, &journal);
    platform.GetWindowManager()->SetScript(std::make_unique<JournalScript>(journal));
    platform.AddTask(std::make_unique<JournalTask>(journal));
    ASSERT_TRUE(journal.WaitFor("UpdateMouse -1 -1")) << "the cursor poll thread polls the display";
    journal.Add("game ends");
  });
  std::vector<std::string> entries = journal.Entries();
  auto end = std::find(entries.begin(), entries.end(), "game ends");
  ASSERT_NE(end, entries.end());
  std::vector<std::string> after;
  for (auto entry = end + 1; entry != entries.end(); ++entry) {
    if (*entry != "UpdateMouse -1 -1" || after.empty()) after.push_back(*entry);
  }
  // Polls may come between the game's end and the thread's stop, never after.
  while (!after.empty() && after.front() == "UpdateMouse -1 -1") after.erase(after.begin());
  EXPECT_EQ(after, (std::vector<std::string>{"~window manager", "~task", "~sound", "~display"}));
  EXPECT_EQ(TAppPlatform::Instance(), nullptr);
  EXPECT_EQ(TPlatform::Instance(), nullptr);
}

TEST(PlatformShutDown, ThePollLeavesASuspendedWindowManagerAlone) {
  CallJournal journal;
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow&) {
    platform.GetWindowManager()->SetSuspended(true);
    InstallDisplay(platform, &journal);
    InstallDisplay(platform, &journal);
    EXPECT_TRUE(journal.Contains("~display")) << "replacing the display deletes the old one";
    EXPECT_FALSE(journal.WaitFor("UpdateMouse -1 -1", std::chrono::milliseconds(100)));
    platform.GetWindowManager()->SetSuspended(false);
    EXPECT_TRUE(journal.WaitFor("UpdateMouse -1 -1"));
  });
}

}  // namespace
