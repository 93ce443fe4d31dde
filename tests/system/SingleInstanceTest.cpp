#include "system/os/SingleInstance.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "system/os/Folders.h"
#include "system/window/Window.h"
#include "tests/support/FakeNativeWindow.h"
#include "tests/support/LayerLogCapture.h"
#include "tests/support/TempFolder.h"

namespace {

using Claim = sys::SingleInstance::Claim;

std::string UniqueName(const char* base) { return std::string(base) + std::to_string(getpid()) + "_MUTEX"; }

TEST(SingleInstance, TheSecondClaimFindsTheFirstAndAsksItToTheFront) {
  std::string name = UniqueName("second");
  sys::TakeFrontRequest();
  sys::SingleInstance first;
  ASSERT_EQ(first.Acquire(name), Claim::First);
  EXPECT_EQ(ReadWholeFile(sys::SingleInstance::LockPath(name)), std::to_string(getpid()) + "\n");
  EXPECT_FALSE(sys::TakeFrontRequest());

  sys::SingleInstance second;
  EXPECT_EQ(second.Acquire(name), Claim::AlreadyRunning);
  EXPECT_TRUE(sys::TakeFrontRequest()) << "the owner was signalled";
  EXPECT_FALSE(sys::TakeFrontRequest()) << "a request is taken once";
}

TEST(SingleInstance, TheClaimEndsWithItsHolder) {
  std::string name = UniqueName("ends");
  {
    sys::SingleInstance first;
    ASSERT_EQ(first.Acquire(name), Claim::First);
  }
  sys::SingleInstance next;
  EXPECT_EQ(next.Acquire(name), Claim::First);
}

TEST(SingleInstance, AnotherProcessSeesTheClaim) {
  std::string name = UniqueName("process");
  sys::TakeFrontRequest();
  sys::SingleInstance first;
  ASSERT_EQ(first.Acquire(name), Claim::First);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    sys::SingleInstance second;
    _exit(second.Acquire(name) == Claim::AlreadyRunning ? 0 : 1);
  }
  int status = -1;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_TRUE(sys::TakeFrontRequest());
}

TEST(SingleInstance, AFrontRequestRaisesTheMainWindow) {
  std::string name = UniqueName("raise");
  auto native = std::make_unique<FakeNativeWindow>();
  FakeNativeWindow* desktop = native.get();
  sys::Window window(std::move(native));
  sys::SingleInstance first;
  ASSERT_EQ(first.Acquire(name), Claim::First);
  sys::SingleInstance second;
  ASSERT_EQ(second.Acquire(name), Claim::AlreadyRunning);
  sys::Message message;
  window.TakeMessage(message);
  EXPECT_EQ(desktop->raised, 1);
  window.TakeMessage(message);
  EXPECT_EQ(desktop->raised, 1);
}

TEST(SingleInstance, WithoutARuntimeFolderTheProgramGoesOnAlone) {
  TempFolder folder;
  WriteWholeFile(folder.File("file"), "x");
  const char* saved = std::getenv("XDG_RUNTIME_DIR");
  std::string restore = saved ? saved : "";
  setenv("XDG_RUNTIME_DIR", folder.File("file/runtime").c_str(), 1);
  LayerLogCapture log;
  sys::SingleInstance instance;
  EXPECT_EQ(instance.Acquire(UniqueName("nowhere")), Claim::Unavailable);
  EXPECT_TRUE(log.Contains("Single instance: cannot open"));
  setenv("XDG_RUNTIME_DIR", restore.c_str(), 1);
}

TEST(SingleInstance, EveryNameGivesAFileInTheRuntimeFolder) {
  std::string runtime = sys::RuntimeFolder() + "/";
  struct Case {
    std::string name;
    std::string fileName;
  } cases[] = {
      {"plain_MUTEX", "plain_MUTEX"},
      {"home/me/game_MUTEX", "home_me_game_MUTEX"},
  };
  for (const Case& c : cases) EXPECT_EQ(sys::SingleInstance::LockPath(c.name), runtime + c.fileName);
  std::string longName(500, 'a');
  std::string longPath = sys::SingleInstance::LockPath(longName);
  EXPECT_LT(longPath.size() - runtime.size(), 255u);
  EXPECT_NE(longPath, sys::SingleInstance::LockPath(std::string(499, 'a') + "b"));
}

}  // namespace
