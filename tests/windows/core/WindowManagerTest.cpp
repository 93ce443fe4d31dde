// The window manager's frames and event routing, and the root screen, on a
// fake platform face.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "media/texture/TTexture.h"
#include "tests/support/CallJournal.h"
#include "tests/support/FakePlatform.h"
#include "windows/kinds/TModalWindow.h"
#include "windows/kinds/TScreen.h"
#include "windows/core/TWindowManager.h"
#include "windows/script/TWindowScript.h"

namespace {

TEvent EventOf(int type) { return TEvent{.type = type}; }

// A window manager on a platform whose display is 800 x 600, with a root
// screen installed the way the platform's first display set-up installs it.
class WindowManagerTest : public testing::Test {
 protected:
  WindowManagerTest() {
    platform.windowManager = &manager;
    auto screen = std::make_unique<TScreen>();
    root = screen.get();
    manager.SetRootWindow(std::move(screen));
    root->SetSize(800, 600);
    platform.journal.Clear();
  }

  // The manager outlives the face, so its windows go with no platform to tell.
  TWindowManager manager;
  FakePlatform platform;
  TScreen* root = nullptr;
};

TEST_F(WindowManagerTest, AFrameDrawsOnlyWhenSomethingWasInvalidated) {
  manager.Frame();
  EXPECT_EQ(platform.Calls(), (std::vector<std::string>{"BeginDraw 0", "PushViewport 0 0 800 600", "PopViewport",
                                                        "EndDraw 1"}))
      << "the display set-up invalidated the whole root: a full redraw";
  platform.journal.Clear();
  manager.Frame();
  EXPECT_TRUE(platform.Calls().empty()) << "nothing invalidated, nothing drawn, no flip";
}

TEST_F(WindowManagerTest, NoFrameRunsWhileSuspendedOrWhileAWindowedFlipIsUnderWay) {
  manager.SetSuspended(true);
  manager.Frame();
  platform.flipDone = false;
  manager.SetSuspended(false);
  manager.Frame();
  EXPECT_TRUE(platform.Calls().empty());
  platform.fullScreen = true;
  manager.Frame();
  EXPECT_TRUE(platform.journal.Contains("EndDraw 1")) << "full screen does not wait for the flip";
  platform.journal.Clear();
  root->Invalidate();
  platform.beginDraw = false;
  manager.Frame();
  EXPECT_EQ(platform.Calls(), std::vector<std::string>{"BeginDraw 0"});
}

TEST_F(WindowManagerTest, AWholeRootInvalidationRedrawsFullyOnlyWhenTheOptionAllowsIt) {
  manager.Frame();
  manager.SetOption(true);
  root->Invalidate();
  platform.journal.Clear();
  manager.Frame();
  EXPECT_TRUE(platform.journal.Contains("BeginDraw 0"));
  manager.SetOption(false);
  root->Invalidate();
  platform.journal.Clear();
  manager.Frame();
  EXPECT_TRUE(platform.journal.Contains("BeginDraw 1"));
}

TEST_F(WindowManagerTest, IdleRunsTheTopLayersTasksAndAFramePaintRedrawsTheTopLayer) {
  struct TimedTask : TTask {
    explicit TimedTask(int& steps) : steps(steps) {}
    bool IsReady(TTaskPass pass) override { return pass == TTaskPass::Timed; }
    bool Step() override { return ++steps > 0; }
    int& steps;
  };
  int steps = 0;
  root->AddTask(std::make_unique<TimedTask>(steps));
  manager.HandleEvent(EventOf(kEventIdle));
  EXPECT_EQ(steps, 1);
  EXPECT_TRUE(platform.journal.Contains("EndDraw 1"));
  platform.journal.Clear();
  manager.HandleEvent(EventOf(kEventIdle));
  EXPECT_FALSE(platform.journal.Contains("EndDraw 1"));
  manager.HandleEvent(EventOf(kEventPaint));
  EXPECT_TRUE(platform.journal.Contains("EndDraw 1"));
}

TEST_F(WindowManagerTest, ARepaintRequestInvalidatesTheRootUnlessTheEventIsNothing) {
  manager.Frame();
  platform.repaintRequested = true;
  manager.HandleEvent(EventOf(kEventNothing));
  EXPECT_TRUE(platform.repaintRequested) << "event 2 is dropped at once";
  platform.journal.Clear();
  manager.HandleEvent(EventOf(kEventIdle));
  EXPECT_FALSE(platform.repaintRequested);
  EXPECT_TRUE(platform.journal.Contains("EndDraw 1"));
}

TEST(WindowManager, TranslationOfLabelsGoesToTheScript) {
  TWindowManager manager;
  EXPECT_FALSE(manager.SetTranslateLabels(true)) << "without a script nothing is translated";
  manager.SetScript(std::make_unique<TWindowScript>());
  EXPECT_FALSE(manager.SetTranslateLabels(true));
  EXPECT_TRUE(manager.SetTranslateLabels(false));
}

TEST(RootScreen, IsAModalWindowThatSnapshotsAndKeepsItsInvalidations) {
  TScreen screen;
  TModalWindow modal;
  EXPECT_TRUE(screen.IsKindOf(TScreen::ClassId()));
  EXPECT_TRUE(screen.IsKindOf(TModalWindow::ClassId()));
  EXPECT_TRUE(screen.IsKindOf(TWindow::ClassId()));
  EXPECT_FALSE(modal.IsKindOf(TScreen::ClassId()));
  EXPECT_TRUE(modal.IsKindOf(TWindow::ClassId()));
  EXPECT_EQ(screen.GetFlags(), 0x10Fu);
  EXPECT_EQ(modal.GetFlags(), 0x103u);
}

TEST_F(WindowManagerTest, TheRootDrawsNothingWithoutClearingAndOtherwiseFillsItsDirtyAreaInsideItself) {
  manager.Frame();
  platform.journal.Clear();
  TRect dirty(-5, 10, 900, 50);
  root->Invalidate(&dirty);
  root->Draw();
  EXPECT_TRUE(platform.Calls().empty());
  root->SetClearBackground(true);
  root->SetBackgroundColor(TColor(0.0f, 0.0f, 1.0f, 0.25f));
  root->Draw();
  EXPECT_EQ(platform.Calls(), std::vector<std::string>{"DrawRect 0 10 800 50 alpha 0.250000"});
}

TEST_F(WindowManagerTest, WithoutADirtyAreaTheRootFillsTheWholeViewport) {
  manager.Frame();
  ASSERT_TRUE(root->GetDirtyRects().empty());
  root->SetClearBackground(true);
  platform.viewport = TRect(100, 100, 400, 300);
  platform.journal.Clear();
  root->Draw();
  EXPECT_EQ(platform.Calls(), std::vector<std::string>{"DrawRect 0 0 300 200 alpha 0.000000"});
}

// A backdrop that tells where it was asked to copy which part of itself.
class BlitRecorder : public TTexture {
 public:
  BlitRecorder() : TTexture(nullptr) {}
  void Blit(int32_t x, int32_t y, const TRect* source, const std::shared_ptr<TTexture>& destination) override {
    blits.push_back(JournalNumbers({x, y, source->left, source->top, source->right, source->bottom}) +
                    (destination ? " into a texture" : ""));
  }
  std::vector<std::string> blits;
};

TEST_F(WindowManagerTest, TheRootShowsTheSnapshotsOwnPixelsOfItsDirtyAreaInPlace) {
  manager.Frame();
  auto backdrop = std::make_shared<BlitRecorder>();
  manager.SetSnapshot(backdrop);
  TRect dirty(100, 100, 200, 200);
  root->Invalidate(&dirty);
  platform.journal.Clear();
  root->Draw();
  EXPECT_EQ(backdrop->blits, std::vector<std::string>{" 100 100 100 100 200 200"});
  EXPECT_EQ(platform.Calls(), (std::vector<std::string>{"Begin2d", "End2d"})) << "the copy needs 2D drawing";
  platform.begin2d = false;
  platform.journal.Clear();
  root->Draw();
  EXPECT_EQ(platform.Calls(), std::vector<std::string>{"Begin2d"}) << "a 2D state it did not open stays open";
  manager.HandleEvent(EventOf(kEventDisplayChanged));
  backdrop->blits.clear();
  root->Draw();
  EXPECT_TRUE(backdrop->blits.empty()) << "a new display dropped the backdrop";
}

TEST(WindowInvalidation, KeepsOneDirtyRectangleGrowingByUnion) {
  TModalWindow window;
  window.SetSize(100, 100);
  ASSERT_EQ(window.GetDirtyRects(), std::vector<TRect>{TRect(0, 0, 100, 100)});
  window.SetSize(50, 40);
  EXPECT_EQ(window.GetDirtyRects(), std::vector<TRect>{TRect(0, 0, 50, 40)}) << "a new size drops the old area";

  TModalWindow other;
  TRect a(10, 10, 20, 20);
  TRect b(15, 5, 30, 12);
  other.Invalidate(&a);
  other.Invalidate(&a);
  EXPECT_EQ(other.GetDirtyRects(), std::vector<TRect>{a});
  other.Invalidate(&b);
  EXPECT_EQ(other.GetDirtyRects(), std::vector<TRect>{TRect(10, 5, 30, 20)});
  TRect noRight(1, 1, 0, 5);
  TRect noBottom(1, 1, 5, 0);
  other.Invalidate(&noRight);
  other.Invalidate(&noBottom);
  EXPECT_EQ(other.GetDirtyRects(), std::vector<TRect>{TRect(10, 5, 30, 20)}) << "edges at 0 are ignored";
  EXPECT_TRUE(other.GetFlags() & kWindowNeedsDrawing);
}

}  // namespace
