// The Zen menu's window: the menu phase growing every 10 ms while the
// window lives, the whole screen redrawn each frame, the menu's time as Zen
// time, and a menu outliving the metrics recorder at shut-down.
#include "game/gui/screens/TZenMenuWindow.h"

#include <gtest/gtest.h>

#include <memory>

#include "game/gui/effects/TGraphicRegistry.h"
#include "game/gui/main/TGameApp.h"
#include "game/gui/progress/TMetrics.h"
#include "tests/game/gui/screens/ScreenDialogRig.h"

namespace GUI {
namespace {

// The Zen menu window in a dialog on top of the screen.
class ZenMenuWindowTest : public ScreenDialogRig {
 protected:
  ZenMenuWindowTest() {
    menu = Add(std::make_unique<TZenMenuWindow>(), "zenMenu");
    TGraphicRegistry::Instance().SetMenuPhase(0.0f);
  }

  ~ZenMenuWindowTest() override { TGraphicRegistry::Instance().SetMenuPhase(0.0f); }

  void Step(int steps) {
    for (int k = 0; k < steps; ++k) {
      clock.Advance(10);
      dialog->RunTasks(TTaskPass::Timed);
    }
  }

  void CloseMenu() {
    Close(menu);
    menu = nullptr;
  }

  TZenMenuWindow* menu = nullptr;
};

TEST_F(ZenMenuWindowTest, ThePhaseGrowsByATwoThousandthOfAUnitEachTenMsUntilTheMenuCloses) {
  menu->OnCreated();
  Step(1);
  EXPECT_FLOAT_EQ(TGraphicRegistry::Instance().GetMenuPhase(), 0.0002f);
  Step(99);
  EXPECT_NEAR(TGraphicRegistry::Instance().GetMenuPhase(), 0.02f, 1e-5f);
  CloseMenu();
  const float closed = TGraphicRegistry::Instance().GetMenuPhase();
  Step(10);
  EXPECT_FLOAT_EQ(TGraphicRegistry::Instance().GetMenuPhase(), closed);
}

TEST_F(ZenMenuWindowTest, EachFrameInvalidatesTheRootInsideA2dScope) {
  TWindow* root = manager.GetRootWindow();
  root->DrawTree();
  ASSERT_TRUE(root->GetDirtyRects().empty());
  menu->Draw();
  EXPECT_FALSE(root->GetDirtyRects().empty());
  EXPECT_FALSE(platform.in2d);
}

TEST_F(ZenMenuWindowTest, WithoutADisplayTheFrameDrawsNothing) {
  platform.begin2d = false;
  TWindow* root = manager.GetRootWindow();
  root->DrawTree();
  menu->Draw();
  EXPECT_TRUE(root->GetDirtyRects().empty());
}

TEST_F(ZenMenuWindowTest, TheTimeTheMenuShowsCountsAsZenTime) {
  TGameApp& app = TGameApp::Instance();
  app.Init("");
  GamePlay::TMetrics& metrics = *app.GetMetrics();
  const uint32_t zenBefore = metrics.GetTotalZenTime();
  menu->OnCreated();
  clock.Advance(700);
  CloseMenu();
  clock.Advance(300);
  EXPECT_EQ(metrics.GetZenSessionTime(), 700u);
  EXPECT_EQ(metrics.GetTotalZenTime() - zenBefore, 700u);
  app.Shutdown();
}

// The application shuts down (and lets go of its recorder) before the
// framework destroys the windows: the menu must not reach the recorder.
TEST_F(ZenMenuWindowTest, AMenuStillOpenAfterTheApplicationShutDownClosesSafely) {
  TGameApp& app = TGameApp::Instance();
  app.Init("");
  ASSERT_NE(app.GetMetrics(), nullptr);
  menu->OnCreated();
  app.Shutdown();
  EXPECT_EQ(app.GetMetrics(), nullptr);
  CloseMenu();
}

}  // namespace
}  // namespace GUI
