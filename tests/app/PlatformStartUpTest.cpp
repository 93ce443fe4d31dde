// The framework's entry: switches, settings, folders, the single-instance
// rule and the test harness, seen from inside the game's main function.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/file/FileIndex.h"
#include "platform/text/Log.h"
#include "platform/crypto/MachineId.h"
#include "system/window/NativeWindowSource.h"
#include "app/RunFramework.h"
#include "app/TAppPlatform.h"
#include "platform/prefs/SettingsSource.h"
#include "platform/crypto/TStringCipher.h"
#include "platform/xml/TStringTable.h"
#include "system/os/Folders.h"
#include "system/os/LayerLog.h"
#include "system/os/Paths.h"
#include "system/os/Version.h"
#include "tests/support/FakeHostBridge.h"
#include "tests/support/FakeHostWindow.h"
#include "tests/support/FakeNativeWindow.h"
#include "tests/support/PlatformRun.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFileLayer.h"
#include "windows/core/TWindowManager.h"

namespace {

std::string Setting(TAppPlatform& platform, const char* key) { return platform.GetSetting(key).CStr(); }

bool HasSetting(TAppPlatform& platform, const char* key) { return platform.GetData().mFoldersAndSettings.mSettings.count(key) > 0; }

// Sets an environment variable for one test.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const std::string& value) : mName(name) {
    const char* old = std::getenv(name);
    if (old) mOld = old;
    mHadOld = old != nullptr;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedVariable() {
    if (mHadOld) {
      setenv(mName, mOld.c_str(), 1);
    } else {
      unsetenv(mName);
    }
  }

 private:
  const char* mName;
  std::string mOld;
  bool mHadOld = false;
};

TEST(PlatformStartUp, CommandLineSettingsReachTheGame) {
  TestFileLayer files;
  std::string startFolder = sys::CurrentFolder();
  int runs = 0;
  int exitCode = RunPlatform("--cheat abc options=a=1&b=2 more", [&](TAppPlatform& platform, FakeNativeWindow&) {
    ++runs;
    EXPECT_EQ(Setting(platform, "cheatcode"), "abc options=a=1&b=2 more");
    EXPECT_EQ(Setting(platform, "a"), "1");
    EXPECT_EQ(Setting(platform, "b"), "2");
    EXPECT_EQ(Setting(platform, "startupdir"), startFolder);
    EXPECT_EQ(Setting(platform, "installkey"), files.ProgramFolder());
    EXPECT_EQ(sys::CurrentFolder(), files.ProgramFolder()) << "the program folder is made current";
    EXPECT_EQ(Setting(platform, "computerid"), GetMachineId().CStr());
    EXPECT_EQ(Setting(platform, "buildtag"), sys::ProgramVersion().internalName);
    EXPECT_EQ(Setting(platform, "missing"), "");
    EXPECT_FALSE(HasSetting(platform, "missing")) << "reading a key adds no entry";
  });
  EXPECT_EQ(exitCode, 0);
  EXPECT_EQ(runs, 1);
}

TEST(PlatformStartUp, SettingsComeFromTheSettingsFileAndThenTheOptions) {
  TestFileLayer files;
  files.WriteAsset("settings.xml",
                   "<?xml version=\"1.0\"?>\n<settings>\n  <hiscorelocal>1</hiscorelocal>\n"
                   "  <motto>turn the rings</motto>\n  <a>from the file</a>\n</settings>\n");
  RunPlatform("options=a=from-options", [](TAppPlatform& platform, FakeNativeWindow&) {
    EXPECT_EQ(Setting(platform, "hiscorelocal"), "1");
    EXPECT_EQ(Setting(platform, "motto"), "turn the rings");
    EXPECT_EQ(Setting(platform, "a"), "from-options") << "the options come last";
  });
}

// A settings file that is there but gives no settings (damaged, or without
// its element) changes nothing and is named in the log; a missing one is
// no news.
TEST(PlatformStartUp, ASettingsFileThatCannotBeReadIsNamedInTheLogAndChangesNothing) {
  struct Case {
    const char* bytes;  // null: no file
    bool named;
  };
  const Case cases[] = {
      {"<options><a>1</a></options>", true},
      {"ZXML\x01", true},  // a compressed file cut short
      {nullptr, false},
  };
  for (const Case& c : cases) {
    const int line = static_cast<int>(&c - cases);
    TestFileLayer files;
    if (c.bytes) files.WriteAsset("settings.xml", c.bytes);
    const std::string expected =
        "The settings file \"" + files.AssetPath("settings.xml") + "\" could not be read: the default settings stand";
    RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow&) {
      EXPECT_FALSE(HasSetting(platform, "a")) << line;
      const std::string log = ReadWholeFile(GetLogPath().CStr());
      EXPECT_EQ(log.find("The settings file") != std::string::npos, c.named) << line << log;
      if (c.named) {
        EXPECT_NE(log.find(expected), std::string::npos) << line << log;
      }
    });
  }
}

TEST(PlatformStartUp, TheStringTableTurnsLabelTranslationOnOnlyWhenItLoads) {
  TestFileLayer files;
  files.WriteAsset("strings.xml",
                   "<Workbook><Worksheet><Table><Row><Cell><Data>Hello</Data></Cell><Cell><Data>Bonjour</Data>"
                   "</Cell></Row></Table></Worksheet></Workbook>");
  RunPlatform("", [](TAppPlatform& platform, FakeNativeWindow&) {
    ASSERT_NE(platform.GetStringTable(), nullptr);
    EXPECT_STREQ(platform.GetStringTable()->GetString("Hello").CStr(), "Bonjour");
    EXPECT_TRUE(platform.GetWindowManager()->SetTranslateLabels(false)) << "translation was on";
  });
  TestFileLayer without;
  RunPlatform("", [](TAppPlatform& platform, FakeNativeWindow&) {
    EXPECT_EQ(platform.GetStringTable(), nullptr);
    EXPECT_FALSE(platform.GetWindowManager()->SetTranslateLabels(false)) << "translation stays off";
  });
}

TEST(PlatformStartUp, OtherPartsReadTheSettingsWhileThePlatformLives) {
  RunPlatform("options=installkey=elsewhere&x=1", [](TAppPlatform&, FakeNativeWindow&) {
    EXPECT_STREQ(ReadSetting("x").CStr(), "1");
    EXPECT_STREQ(ReadSetting("installkey").CStr(), "elsewhere");
  });
  EXPECT_STREQ(ReadSetting("x").CStr(), "");
}

TEST(PlatformStartUp, CheatAtTheEndOfTheLineStoresAnEmptyCode) {
  RunPlatform("-x --cheat", [](TAppPlatform& platform, FakeNativeWindow&) {
    EXPECT_TRUE(HasSetting(platform, "cheatcode"));
    EXPECT_EQ(Setting(platform, "cheatcode"), "");
  });
  RunPlatform("-x", [](TAppPlatform& platform, FakeNativeWindow&) { EXPECT_FALSE(HasSetting(platform, "cheatcode")); });
}

// The names "final.txt" excluded stay excluded; "firstpeek.txt" adds its own.
// Each case hides names of its own: the excluded names last as long as the process.
TEST(PlatformStartUp, FirstPeekSwitchesTheExclusionListOnlyForANumber) {
  struct Case {
    const char* line;
    bool firstPeek;
  };
  const Case cases[] = {{"options=firstpeek=1", true},
                        {"options=firstpeek=2", true},
                        {"options=firstpeek=true", false},
                        {"options=firstpeek=0", false},
                        {"", false}};
  int number = 0;
  for (const Case& c : cases) {
    std::string finalHidden = "final-" + std::to_string(number) + ".txt";
    std::string peekHidden = "peek-" + std::to_string(number++) + ".txt";
    TestFileLayer files;
    files.Write("program/final.txt", finalHidden);
    files.Write("program/firstpeek.txt", peekHidden);
    files.WriteAsset(finalHidden, "x");
    files.WriteAsset(peekHidden, "x");
    RunPlatform(c.line, [&](TAppPlatform&, FakeNativeWindow&) {
      EXPECT_FALSE(FileExists(finalHidden.c_str())) << c.line;
      EXPECT_EQ(FileExists(peekHidden.c_str()), !c.firstPeek) << c.line;
    });
  }
}

TEST(PlatformStartUp, BooleanSettingsCountOnlyNumbers) {
  RunPlatform("options=one=1&two=2&zero=0&word=true", [](TAppPlatform& platform, FakeNativeWindow&) {
    EXPECT_TRUE(platform.GetSettingBool("one"));
    EXPECT_TRUE(platform.GetSettingBool("two"));
    EXPECT_FALSE(platform.GetSettingBool("zero"));
    EXPECT_FALSE(platform.GetSettingBool("word"));
    EXPECT_FALSE(platform.GetSettingBool("absent"));
  });
}

TEST(PlatformStartUp, TheEncryptionKeyDecidesCheatModeEachTimeItIsSet) {
  const TString key = "c2VjcmV0a2V5";
  TString code = TStringCipher(key).EncryptString(GetMachineId());
  RunPlatform(std::string("--cheat ") + code.CStr(), [&](TAppPlatform& platform, FakeNativeWindow&) {
    EXPECT_FALSE(HasSetting(platform, "cheatmode"));
    platform.SetSetting("encryptionkey", key);
    EXPECT_EQ(Setting(platform, "cheatmode"), "1");
    platform.SetSetting("cheatcode", "something else");
    EXPECT_EQ(Setting(platform, "cheatmode"), "1") << "the code alone changes nothing";
    platform.SetSetting("encryptionkey", key);
    EXPECT_EQ(Setting(platform, "cheatmode"), "0");
    platform.SetSetting("encryptionkey", "b3RoZXJrZXk=");
    EXPECT_EQ(Setting(platform, "cheatmode"), "0");
  });
}

TEST(PlatformStartUp, ThePlatformIsReachableOnlyWhileItLives) {
  EXPECT_EQ(TAppPlatform::Instance(), nullptr);
  EXPECT_EQ(TPlatform::Instance(), nullptr);
  int runs = 0;
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow&) {
    ++runs;
    EXPECT_EQ(TAppPlatform::Instance(), &platform);
    EXPECT_EQ(TPlatform::Instance(), &platform) << "the layers below reach the same object through its face";
  });
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(TAppPlatform::Instance(), nullptr);
  EXPECT_EQ(TPlatform::Instance(), nullptr);
}

TEST(PlatformStartUp, DataFoldersAndLogLieInThePerUserFolders) {
  RunPlatform("", [](TAppPlatform& platform, FakeNativeWindow&) {
    std::string user = sys::UserDataRoot() + "/Velmartis/" + sys::ProgramVersion().productName;
    std::string common = sys::CommonDataRoot() + "/Velmartis/" + sys::ProgramVersion().productName;
    EXPECT_EQ(platform.GetData().mFoldersAndSettings.mUserFolder.CStr(), user);
    EXPECT_EQ(platform.GetData().mFoldersAndSettings.mCommonFolder.CStr(), common);
    EXPECT_TRUE(sys::FolderExists(common));
    EXPECT_EQ(GetLogPath().CStr(), user + "/logfile.txt");
    const uint16_t* parts = sys::ProgramVersion().fileVersion;
    std::string version = std::to_string(parts[0]) + "." + std::to_string(parts[1]) + "." +
                          std::to_string(parts[2]) + "." + std::to_string(parts[3]);
    EXPECT_EQ(platform.GetVersionString().CStr(), version);
    std::string log = ReadWholeFile(user + "/logfile.txt");
    EXPECT_NE(log.find(sys::ProgramVersion().productName + ", version " + version + "."), std::string::npos) << log;
  });
}

TEST(PlatformStartUp, ASharedFolderThatCannotBeMadeIsTheUsersOwn) {
  TempFolder blocked;
  WriteWholeFile(blocked.File("file"), "a file where a folder should be");
  ScopedVariable state("XDG_STATE_HOME", blocked.File("file"));
  RunPlatform("", [](TAppPlatform& platform, FakeNativeWindow&) {
    EXPECT_EQ(platform.GetData().mFoldersAndSettings.mCommonFolder, platform.GetData().mFoldersAndSettings.mUserFolder);
  });
}

TEST(PlatformStartUp, LinesOfTheSystemLayerGoToTheLog) {
  RunPlatform("", [](TAppPlatform&, FakeNativeWindow&) { sys::WriteLog("from the layer below"); });
  EXPECT_NE(ReadWholeFile(GetLogPath().CStr()).find("from the layer below"), std::string::npos);
}

TEST(PlatformStartUp, InsideAHostWindowTheGameKeepsToTheProgramFolder) {
  FakeHostWindow host(1000);
  char line[64];
  std::snprintf(line, sizeof line, "-wnd=%x", host.Handle());
  int runs = 0;
  RunPlatform(line, [&](TAppPlatform& platform, FakeNativeWindow&) {
    ++runs;
    TPlatformData& data = platform.GetData();
    EXPECT_TRUE(data.mEmbedded);
    EXPECT_EQ(data.mHostWindow, &host);
    EXPECT_EQ(data.mFoldersAndSettings.mUserFolder, data.mFoldersAndSettings.mProgramFolder);
    EXPECT_EQ(data.mFoldersAndSettings.mCommonFolder, data.mFoldersAndSettings.mProgramFolder);
  });
  EXPECT_EQ(runs, 1);
}

TEST(PlatformStartUp, TheHostModeOfPqUsesTheDataFolders) {
  FakeHostWindow host;
  char line[64];
  std::snprintf(line, sizeof line, "-wnd=%x -pq=1", host.Handle());
  RunPlatform(line, [&](TAppPlatform& platform, FakeNativeWindow&) {
    EXPECT_TRUE(IsPqHostMode());
    EXPECT_NE(platform.GetData().mFoldersAndSettings.mUserFolder, platform.GetData().mFoldersAndSettings.mProgramFolder);
  });
  EXPECT_FALSE(IsPqHostMode()) << "no platform, no host mode";
}

TEST(PlatformStartUp, TheHostSwitchesTurnTheBridgeOnOnlyWithAHostWindow) {
  FakeHostWindow host;
  char hosted[64];
  std::snprintf(hosted, sizeof hosted, "-wnd=%x", host.Handle());
  struct Case {
    std::string line;
    bool enabled;
    const char* log;
  };
  const Case cases[] = {
      {std::string(hosted) + " -msn", true, ""},
      {std::string(hosted) + " -pq=1", true, ""},
      {"-msn", false, "-msn without a host window: the host bridge stays off"},
      {"-pq=1", false, "-pq= without a host window: the host bridge stays off"},
  };
  for (const Case& c : cases) {
    FakeHostBridge bridge;
    RunPlatform(c.line, [&](TAppPlatform&, FakeNativeWindow&) { EXPECT_EQ(bridge.enabled, c.enabled ? 1 : 0) << c.line; });
    if (*c.log) {
      EXPECT_NE(ReadWholeFile(GetLogPath().CStr()).find(c.log), std::string::npos) << c.line;
    }
  }
}

TEST(PlatformStartUp, AMissingHostWindowEndsTheProgramBeforeAnyWindow) {
  FakeHostWindow host;
  uint32_t gone = host.Handle() + 1000;
  char line[64];
  std::snprintf(line, sizeof line, "-wnd=%x", gone);
  for (const char* commandLine : {"-wnd=0", "-wnd=", static_cast<const char*>(line)}) {
    int runs = 0;
    EXPECT_EQ(RunPlatform(commandLine, [&](TAppPlatform&, FakeNativeWindow&) { ++runs; }), -1) << commandLine;
    EXPECT_EQ(runs, 0) << commandLine;
  }
}

TEST(PlatformStartUp, AMainWindowThatCannotBeMadeEndsTheProgram) {
  SetNativeWindowSource([] { return std::unique_ptr<sys::NativeWindow>(); });
  static int runs = 0;
  EXPECT_EQ(RunFramework("", [](TAppPlatform*, const char*) { ++runs; }, false), -1);
  SetNativeWindowSource(nullptr);
  EXPECT_EQ(runs, 0);
}

TEST(PlatformStartUp, UnderTheTestHarnessTheWindowShowsAtOnceAndCountsAsEmbedded) {
  RunPlatform("--axtest", [](TAppPlatform& platform, FakeNativeWindow& desktop) {
    EXPECT_TRUE(platform.GetData().mTestMode);
    EXPECT_TRUE(platform.GetData().mEmbedded);
    EXPECT_TRUE(desktop.shown);
  });
  RunPlatform("", [](TAppPlatform&, FakeNativeWindow& desktop) { EXPECT_FALSE(desktop.shown); });
}

TEST(PlatformStartUp, TheHarnessMayReplaceTheCommandLineAndHearsTheEnd) {
  FakeHostWindow harnessWindow;
  ScopedVariable line("HARNESS_COMMAND_LINE", "options=from=harness");
  ScopedVariable window("HARNESS_WINDOW", std::to_string(harnessWindow.Handle()));
  std::string seenLine;
  RunPlatform("options=from=caller", [&](TAppPlatform& platform, FakeNativeWindow&) {
    seenLine = platform.GetCommandLine();
    EXPECT_EQ(Setting(platform, "from"), "harness");
    EXPECT_TRUE(harnessWindow.received.empty());
  });
  EXPECT_EQ(seenLine, "options=from=harness");
  ASSERT_EQ(harnessWindow.received.size(), 1u);
  EXPECT_EQ(harnessWindow.received[0].code, 18u) << "the harness window hears quit";
  EXPECT_FALSE(harnessWindow.received[0].sent);
}

// A second start runs as a process of its own while the first holds the name.
TEST(PlatformStartUp, ASecondProcessAsksTheFirstToTheFrontAndExitsWithZero) {
  sys::TakeFrontRequest();
  sys::SingleInstance first;
  std::string name = std::string(TPlatformData::InstanceName(sys::ProgramPath()).CStr()) + "_MUTEX";
  ASSERT_EQ(first.Acquire(name), sys::SingleInstance::Claim::First);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    int exitCode = RunPlatform("", [](TAppPlatform&, FakeNativeWindow&) { _exit(7); });
    _exit(exitCode);
  }
  int status = -1;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "7 would mean the game ran";
  EXPECT_TRUE(sys::TakeFrontRequest());
}

TEST(PlatformStartUp, SwitchesThatAllowSeveralCopiesSkipTheSingleInstanceRule) {
  sys::SingleInstance first;
  std::string name = std::string(TPlatformData::InstanceName(sys::ProgramPath()).CStr()) + "_MUTEX";
  ASSERT_EQ(first.Acquire(name), sys::SingleInstance::Claim::First);
  FakeHostWindow host;
  char hosted[64];
  std::snprintf(hosted, sizeof hosted, "-wnd=%x", host.Handle());
  for (const char* line : {"--multiple", "screensaver", static_cast<const char*>(hosted)}) {
    int runs = 0;
    EXPECT_EQ(RunPlatform(line, [&](TAppPlatform&, FakeNativeWindow&) { ++runs; }), 0) << line;
    EXPECT_EQ(runs, 1) << line;
  }
  int runs = 0;
  EXPECT_EQ(RunPlatform("", [&](TAppPlatform&, FakeNativeWindow&) { ++runs; }), 0);
  EXPECT_EQ(runs, 0);
}

TEST(PlatformStartUp, OneProgramFileHasOneInstanceNameHoweverItsPathIsWritten) {
  TempFolder folder;
  std::filesystem::create_directories(folder.File("Sub"));
  WriteWholeFile(folder.File("Sub/Game"), "program");
  ASSERT_EQ(symlink(folder.File("Sub/Game").c_str(), folder.File("link").c_str()), 0);
  std::string name = TPlatformData::InstanceName(folder.File("Sub/Game")).CStr();
  for (const std::string& path : {folder.File("link"), folder.Path() + "/./Sub/../Sub//Game"}) {
    EXPECT_EQ(TPlatformData::InstanceName(path).CStr(), name) << path;
  }
  EXPECT_EQ(name.find('/'), std::string::npos);
  EXPECT_NE(name.find("subgame"), std::string::npos) << "lower-cased, without separators: " << name;
}

}  // namespace
