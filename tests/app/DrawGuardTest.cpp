// The draw guard alone, over a fake display or none.
#include "app/TDrawGuard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text/Log.h"
#include "tests/support/FakeDisplayHandler.h"
#include "tests/support/TempFolder.h"

namespace {

// Each test logs into a folder of its own.
class DrawGuardTest : public testing::Test {
 protected:
  void SetUp() override { SetLogFolder(mLogs.Path().c_str()); }

  int Logged(const std::string& text) const {
    std::string log = ReadWholeFile(GetLogPath().CStr());
    int count = 0;
    for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) ++count;
    return count;
  }

  TempFolder mLogs;
  TDrawGuard guard;
  FakeDisplayHandler display;
};

// A display that went without the guard hearing of it: every call that would
// use it finds none, is refused and closes what it ends.
TEST_F(DrawGuardTest, CallsThatFindNoDisplayAreRefusedAndCloseTheirState) {
  ASSERT_TRUE(guard.Begin2d(&display));
  guard.DrawVertices(nullptr, 4, nullptr);
  guard.End2d(nullptr);
  EXPECT_FALSE(guard.IsIn2d());
  EXPECT_EQ(Logged("DrawVertices refused: there is no display"), 1);
  EXPECT_EQ(Logged("End2d refused: there is no display"), 1);
  EXPECT_EQ(display.Calls(), std::vector<std::string>{"Begin2d"});
  EXPECT_FALSE(guard.Begin3d(nullptr));
  EXPECT_FALSE(guard.IsIn3d());
}

TEST_F(DrawGuardTest, AResetClosesEitherStateAndLogsRefusalsAnew) {
  guard.Forward(nullptr, "SetCullMode", [](TDisplayHandler&) {});
  guard.Forward(nullptr, "SetCullMode", [](TDisplayHandler&) {});
  EXPECT_EQ(Logged("SetCullMode refused: there is no display"), 1);
  ASSERT_TRUE(guard.Begin3d(&display));
  guard.Reset();
  EXPECT_FALSE(guard.IsIn3d());
  EXPECT_TRUE(guard.Begin2d(&display)) << "nothing is open after a reset";
  guard.Reset();
  EXPECT_FALSE(guard.IsIn2d());
  guard.Forward(nullptr, "SetCullMode", [](TDisplayHandler&) {});
  EXPECT_EQ(Logged("SetCullMode refused: there is no display"), 2);
  EXPECT_EQ(guard.Ask(nullptr, "PopViewport", 7, [](TDisplayHandler&) { return 1; }), 7);
  EXPECT_EQ(guard.Ask(&display, "PopViewport", 7, [](TDisplayHandler&) { return 1; }), 1);
}

}  // namespace
