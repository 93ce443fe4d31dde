// The statistics overlay: its text, its layout and where and how it draws.
#include "game/gui/play/TStatisticView.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "media/display/TDx3dDisplayHandler.h"
#include "media/text/TTextLayout.h"
#include "platform/text/Log.h"
#include "tests/support/DevicePlatform.h"
#include "tests/support/DisplayOpening.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TempFolder.h"

namespace GUI {
namespace {

struct StatisticTextCase {
  std::deque<TStatisticView::Record> records;
  std::string text;
};

TEST(TStatisticView, RecordsBecomeNumberedLinesWithARuleAfterEach) {
  const std::vector<StatisticTextCase> cases = {
      {{}, ""},
      {{{3, 12}}, "C1 : M03\nC2 : M12\n--------------\n"},
      {{{}, {5}}, "--------------\nC1 : M05\n--------------\n"},
      {{{-1, 123}}, "C1 : M-1\nC2 : M123\n--------------\n"},
  };
  for (const StatisticTextCase& c : cases) {
    EXPECT_EQ(std::string(TStatisticView::FormatRecords(c.records).CStr()), c.text);
  }
}

class StatisticViewTest : public testing::Test {
 protected:
  FakePlatform platform;
};

// Lines aligned on the right from the top of the box, large enough to read.
TEST_F(StatisticViewTest, AWhiteRightAlignedReadableBlockThatScoreEventsLeaveEmpty) {
  TStatisticView view;
  const TTextLayout& layout = view.GetLayout();
  EXPECT_EQ(layout.GetWidth(), 200);
  EXPECT_EQ(layout.GetHeight(), 200);
  EXPECT_EQ(layout.GetFlags(), TTextLayout::kRightAlignLines);
  EXPECT_EQ(layout.GetFontName(), "fonts/palabi.mvec");
  EXPECT_EQ(layout.GetFontSize(), 10);
  EXPECT_EQ(layout.GetColor().r, 1.0f);
  EXPECT_EQ(layout.GetColor().a, 1.0f);
  GamePlay::IScoringObserver& observer = view;
  observer.OnScore(5, 2, 1, 3, 500, true);
  observer.OnLevelEnd();
  EXPECT_FALSE(observer.IsBusy());
  view.Draw();
  EXPECT_EQ(layout.GetText(), "");
  EXPECT_EQ(layout.GetLineCount(), 0);
}

// The block fills the layout's box in the upper right of the 800-pixel-wide
// screen.
TEST_F(StatisticViewTest, ItsRectangleIsTheLayoutsBoxInTheUpperRightCorner) {
  TStatisticView view;
  const TRect rect = TStatisticView::GetDrawRect();
  EXPECT_EQ(rect, TRect(550, 0, 750, 200));
  EXPECT_EQ(rect.Width(), view.GetLayout().GetWidth());
  EXPECT_EQ(rect.Height(), view.GetLayout().GetHeight());
}

struct StatisticTwoDimensionalCase {
  bool in2d;
  bool opens;
  std::vector<std::string> calls;
};

// The 2D state is left as the draw found it.
TEST_F(StatisticViewTest, DrawOpensTwoDimensionalDrawingOnlyWhenItIsClosedAndClosesWhatItOpened) {
  const std::vector<StatisticTwoDimensionalCase> cases = {
      {false, true, {"Begin2d", "End2d"}},
      {true, true, {}},
      {false, false, {"Begin2d"}},
  };
  for (const StatisticTwoDimensionalCase& c : cases) {
    TStatisticView view;
    platform.in2d = c.in2d;
    platform.begin2d = c.opens;
    platform.journal.Clear();
    view.Draw();
    std::vector<std::string> calls;
    for (const std::string& entry : platform.journal.Entries()) {
      if (entry == "Begin2d" || entry == "End2d") calls.push_back(entry);
    }
    EXPECT_EQ(calls, c.calls) << c.in2d << c.opens;
  }
}

// On the display, with nothing recorded, the overlay leaves the frame as it
// was and 2D drawing closed.
TEST_F(StatisticViewTest, OnTheDisplayAnEmptyOverlayLeavesTheFrameAsItWas) {
  TempFolder logs;
  SetLogFolder(logs.Path().c_str());
  FakeDesktopDisplay desktop(platform);
  ASSERT_TRUE(desktop.IsOpen());
  TDx3dDisplayHandler& display = desktop.Display();
  TStatisticView view;
  display.DrawRect(0, 0, -1, -1, TColor(0.0f, 0.0f, 1.0f, 1.0f), nullptr);
  ASSERT_TRUE(display.BeginDraw(false));
  view.Draw();
  EXPECT_FALSE(platform.IsIn2d());
  display.EndDraw(false);
  for (auto [x, y] : {std::pair{550, 0}, std::pair{650, 100}, std::pair{749, 199}, std::pair{100, 500}}) {
    EXPECT_EQ(DevicePlatform::ColourAt(*display.GetData().mBackBuffer, x, y), 0xFF0000FFu) << x << "," << y;
  }
}

}  // namespace
}  // namespace GUI
