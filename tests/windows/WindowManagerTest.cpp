// The window manager's frames and event routing, and the root screen, on a
// started platform with a fake display.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/TPlatform.h"
#include "tests/support/FakeDisplayHandler.h"
#include "tests/support/FakeNativeWindow.h"
#include "tests/support/PlatformRun.h"
#include "windows/TModalWindow.h"
#include "windows/TScreen.h"
#include "windows/TWindowManager.h"
#include "windows/TWindowScript.h"

namespace {

// A platform with a fake display set up at 800 x 600; the body gets the
// display and the root screen.
void WithDisplay(const std::function<void(TPlatform&, FakeDisplayHandler&, TScreen&)>& body) {
  RunPlatform("", [&](TPlatform& platform, FakeNativeWindow&) {
    auto* display = new FakeDisplayHandler;
    platform.SetDisplayHandler(display);
    platform.SetDisplay(800, 600, false);
    auto* root = static_cast<TScreen*>(platform.GetWindowManager()->GetRootWindow());
    display->Journal().Clear();
    body(platform, *display, *root);
  });
}

TEvent EventOf(int type) { return TEvent{.type = type}; }

TEST(WindowManager, AFrameDrawsOnlyWhenSomethingWasInvalidated) {
  WithDisplay([](TPlatform& platform, FakeDisplayHandler& display, TScreen&) {
    TWindowManager& manager = *platform.GetWindowManager();
    manager.Frame();
    EXPECT_EQ(display.Calls(), (std::vector<std::string>{"BeginDraw 0", "PushViewport 0 0 800 600", "PopViewport",
                                                          "EndDraw 1"}))
        << "the display set-up invalidated the whole root: a full redraw";
    display.Journal().Clear();
    manager.Frame();
    EXPECT_TRUE(display.Calls().empty()) << "nothing invalidated, nothing drawn, no flip";
  });
}

TEST(WindowManager, NoFrameRunsWhileSuspendedOrWhileAWindowedFlipIsUnderWay) {
  WithDisplay([](TPlatform& platform, FakeDisplayHandler& display, TScreen& root) {
    TWindowManager& manager = *platform.GetWindowManager();
    manager.SetSuspended(true);
    manager.Frame();
    display.flipDone = false;
    manager.SetSuspended(false);
    manager.Frame();
    EXPECT_TRUE(display.Calls().empty());
    display.fullScreen = true;
    manager.Frame();
    EXPECT_TRUE(display.Journal().Contains("EndDraw 1")) << "full screen does not wait for the flip";
    display.Journal().Clear();
    root.Invalidate();
    display.beginDraw = false;
    manager.Frame();
    EXPECT_EQ(display.Calls(), std::vector<std::string>{"BeginDraw 0"});
  });
}

TEST(WindowManager, AWholeRootInvalidationRedrawsFullyOnlyWhenTheOptionAllowsIt) {
  WithDisplay([](TPlatform& platform, FakeDisplayHandler& display, TScreen& root) {
    TWindowManager& manager = *platform.GetWindowManager();
    manager.Frame();
    manager.SetOption(true);
    root.Invalidate();
    display.Journal().Clear();
    manager.Frame();
    EXPECT_TRUE(display.Journal().Contains("BeginDraw 0"));
    manager.SetOption(false);
    root.Invalidate();
    display.Journal().Clear();
    manager.Frame();
    EXPECT_TRUE(display.Journal().Contains("BeginDraw 1"));
  });
}

TEST(WindowManager, IdleRunsTheTopLayersTasksAndAFramePaintRedrawsTheTopLayer) {
  struct TimedTask : TTask {
    explicit TimedTask(int& steps) : steps(steps) {}
    bool IsReady(TTaskPass pass) override { return pass == TTaskPass::Timed; }
    bool Step() override { return ++steps > 0; }
    int& steps;
  };
  WithDisplay([](TPlatform& platform, FakeDisplayHandler& display, TScreen& root) {
    TWindowManager& manager = *platform.GetWindowManager();
    int steps = 0;
    root.AddTask(new TimedTask(steps));
    manager.HandleEvent(EventOf(kEventIdle));
    EXPECT_EQ(steps, 1);
    EXPECT_TRUE(display.Journal().Contains("EndDraw 1"));
    display.Journal().Clear();
    manager.HandleEvent(EventOf(kEventIdle));
    EXPECT_FALSE(display.Journal().Contains("EndDraw 1"));
    manager.HandleEvent(EventOf(kEventPaint));
    EXPECT_TRUE(display.Journal().Contains("EndDraw 1"));
  });
}

TEST(WindowManager, ARepaintRequestInvalidatesTheRootUnlessTheEventIsNothing) {
  WithDisplay([](TPlatform& platform, FakeDisplayHandler& display, TScreen&) {
    TWindowManager& manager = *platform.GetWindowManager();
    manager.Frame();
    platform.GetData().mRepaintRequested = true;
    manager.HandleEvent(EventOf(kEventNothing));
    EXPECT_TRUE(platform.GetData().mRepaintRequested) << "event 2 is dropped at once";
    display.Journal().Clear();
    manager.HandleEvent(EventOf(kEventIdle));
    EXPECT_FALSE(platform.GetData().mRepaintRequested);
    EXPECT_TRUE(display.Journal().Contains("EndDraw 1"));
  });
}

TEST(WindowManager, TranslationOfLabelsGoesToTheScript) {
  RunPlatform("", [](TPlatform& platform, FakeNativeWindow&) {
    TWindowManager& manager = *platform.GetWindowManager();
    ASSERT_NE(manager.GetScript(), nullptr) << "start-up installs the window script";
    bool before = manager.SetTranslateLabels(true);
    EXPECT_TRUE(manager.SetTranslateLabels(before));
  });
}

TEST(RootScreen, IsAModalWindowThatSnapshotsAndKeepsItsInvalidations) {
  RunPlatform("", [](TPlatform&, FakeNativeWindow&) {
    TScreen screen;
    TModalWindow modal;
    EXPECT_TRUE(screen.IsKindOf(TScreen::ClassId()));
    EXPECT_TRUE(screen.IsKindOf(TModalWindow::ClassId()));
    EXPECT_TRUE(screen.IsKindOf(TWindow::ClassId()));
    EXPECT_FALSE(modal.IsKindOf(TScreen::ClassId()));
    EXPECT_TRUE(modal.IsKindOf(TWindow::ClassId()));
    EXPECT_EQ(screen.GetFlags(), 0x10Fu);
    EXPECT_EQ(modal.GetFlags(), 0x103u);
  });
}

TEST(RootScreen, DrawsNothingWithoutClearingAndOtherwiseFillsItsDirtyAreaInsideItself) {
  WithDisplay([](TPlatform& platform, FakeDisplayHandler& display, TScreen& root) {
    platform.GetWindowManager()->Frame();
    display.Journal().Clear();
    TRect dirty(-5, 10, 900, 50);
    root.Invalidate(&dirty);
    root.Draw();
    EXPECT_TRUE(display.Calls().empty());
    root.SetClearBackground(true);
    root.SetBackgroundColor(TColor(0, 0, 1, 0.25f));
    root.Draw();
    EXPECT_EQ(display.Calls(), std::vector<std::string>{"DrawRect 0 10 800 50 alpha 0.250000"});
  });
}

TEST(RootScreen, WithoutADirtyAreaItFillsTheWholeViewport) {
  WithDisplay([](TPlatform& platform, FakeDisplayHandler& display, TScreen& root) {
    platform.GetWindowManager()->Frame();
    ASSERT_TRUE(root.GetDirtyRects().empty());
    root.SetClearBackground(true);
    display.viewport = TRect(100, 100, 400, 300);
    display.Journal().Clear();
    root.Draw();
    EXPECT_EQ(display.Calls(), std::vector<std::string>{"DrawRect 0 0 300 200 alpha 0.000000"});
  });
}

TEST(WindowInvalidation, KeepsOneDirtyRectangleGrowingByUnion) {
  RunPlatform("", [](TPlatform&, FakeNativeWindow&) {
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
  });
}

}  // namespace
