#include "game/gui/main/GameMain.h"

#include <gtest/gtest.h>

#include "platform/text/Log.h"
#include "system/window/NativeWindowSource.h"
#include "app/RunFramework.h"
#include "tests/support/FakeNativeWindow.h"
#include "tests/support/TempFolder.h"

namespace {

// The window's close box (or Ctrl-C) ends the game's loop by way of quit,
// and the program ends with code 0.
TEST(GameMain, RunsItsLoopUntilTheWindowIsClosed) {
  SetNativeWindowSource([] {
    auto desktop = std::make_unique<FakeNativeWindow>();
    desktop->Report(sys::InputKind::Exposed);
    desktop->Report(sys::InputKind::CloseRequested);
    return desktop;
  });
  EXPECT_EQ(RunFramework("--multiple", GameMain, false), 0);
  SetNativeWindowSource(nullptr);
  std::string log = ReadWholeFile(GetLogPath().CStr());
  EXPECT_NE(log.find("Device identifier:"), std::string::npos) << "the game opened its display";
  EXPECT_EQ(log.find("refused"), std::string::npos) << "and drew through it";
}

}  // namespace
