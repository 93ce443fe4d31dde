// The drawing forwarders, their render-state guards, the display set-up, the
// restore of assets and the cursor image.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "media/display/TDisplayHandler.h"
#include "platform/text/Log.h"
#include "platform/asset/TAssetManager.h"
#include "app/TAppPlatform.h"
#include "system/window/Window.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeDisplayHandler.h"
#include "tests/support/FakeHostWindow.h"
#include "tests/support/FakeNativeWindow.h"
#include "tests/support/PlatformRun.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextureHandle.h"
#include "windows/kinds/TScreen.h"
#include "windows/core/TWindowManager.h"

namespace {

int CountInLog(const std::string& text) {
  std::string log = ReadWholeFile(GetLogPath().CStr());
  int count = 0;
  for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) ++count;
  return count;
}

enum class State { None, In2d, In3d };

struct GuardCase {
  State before;
  const char* call;
  bool result;      // for the Begin calls
  const char* log;  // "" when the call goes through
  State after;
};

class RenderStateGuard : public testing::TestWithParam<GuardCase> {};

bool Call(TAppPlatform& platform, const std::string& call) {
  if (call == "Begin2d") return platform.Begin2d();
  if (call == "Begin3d") return platform.Begin3d();
  if (call == "End2d") platform.End2d();
  if (call == "End3d") platform.End3d();
  if (call == "DrawVertices") platform.DrawVertices(4, nullptr);
  return false;
}

TEST_P(RenderStateGuard, RefusesCallsInTheWrongStateWithItsLogLine) {
  const GuardCase& c = GetParam();
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow&) {
    auto* display = InstallDisplay(platform);
    if (c.before == State::In2d) {
      ASSERT_TRUE(platform.Begin2d());
    }
    if (c.before == State::In3d) {
      ASSERT_TRUE(platform.Begin3d());
    }
    display->Journal().Clear();
    int logged = *c.log ? CountInLog(c.log) : 0;

    bool result = Call(platform, c.call);

    if (std::string(c.call).rfind("Begin", 0) == 0) {
      EXPECT_EQ(result, c.result);
    }
    EXPECT_EQ(platform.IsIn2d(), c.after == State::In2d);
    EXPECT_EQ(platform.GetDrawGuard().IsIn3d(), c.after == State::In3d);
    if (*c.log) {
      EXPECT_EQ(CountInLog(c.log), logged + 1);
      EXPECT_TRUE(display->Calls().empty()) << "a refused call never reaches the display";
    } else {
      EXPECT_FALSE(display->Calls().empty()) << "the call reaches the display";
    }
  });
}

INSTANTIATE_TEST_SUITE_P(
    Calls, RenderStateGuard,
    testing::Values(
        GuardCase{State::In2d, "Begin2d", false, "Begin2d called when already in Begin2d state", State::In2d},
        GuardCase{State::In3d, "Begin2d", false, "Begin2d called when already in Begin3d state", State::In3d},
        GuardCase{State::None, "End2d", false, "End2d called when not in Begin2d state", State::None},
        GuardCase{State::In3d, "End2d", false, "End2d called when not in Begin2d state", State::In3d},
        GuardCase{State::In2d, "Begin3d", false, "Begin3d called when already in Begin2d state", State::In2d},
        GuardCase{State::In3d, "Begin3d", false, "Begin3d called when already in Begin3d state", State::In3d},
        GuardCase{State::None, "End3d", false, "End3d called when not in Begin3d state", State::None},
        GuardCase{State::In2d, "End3d", false, "End3d called when not in Begin3d state", State::In2d},
        GuardCase{State::None, "DrawVertices", false, "DrawVertices called when not in Begin2d or Begin3d state",
                  State::None},
        GuardCase{State::None, "Begin2d", true, "", State::In2d},
        GuardCase{State::None, "Begin3d", true, "", State::In3d},
        GuardCase{State::In2d, "End2d", false, "", State::None},
        GuardCase{State::In3d, "End3d", false, "", State::None},
        GuardCase{State::In2d, "DrawVertices", false, "", State::In2d},
        GuardCase{State::In3d, "DrawVertices", false, "", State::In3d}));

TEST(PlatformDrawing, ABeginTheDisplayRefusesLeavesTheStateClear) {
  RunPlatform("", [](TAppPlatform& platform, FakeNativeWindow&) {
    auto* display = InstallDisplay(platform);
    display->begin2d = false;
    display->begin3d = false;
    EXPECT_FALSE(platform.Begin2d());
    EXPECT_FALSE(platform.IsIn2d());
    EXPECT_FALSE(platform.Begin3d());
    EXPECT_FALSE(platform.GetDrawGuard().IsIn3d());
  });
}

// Replacing the display inside a 2D block closes the block: nothing reaches a
// display that is gone, and the next one starts with no state open.
TEST(PlatformDrawing, ReplacingTheDisplayInsideA2dBlockClosesTheBlock) {
  for (bool replaced : {false, true}) {
    RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow&) {
      InstallDisplay(platform);
      ASSERT_TRUE(platform.Begin2d());
      FakeDisplayHandler* next = nullptr;
      if (replaced) {
        next = InstallDisplay(platform);
      } else {
        platform.SetDisplayHandler(nullptr);
      }
      EXPECT_FALSE(platform.IsIn2d()) << replaced;
      int draws = CountInLog("DrawVertices called when not in Begin2d or Begin3d state");
      int ends = CountInLog("End2d called when not in Begin2d state");
      platform.DrawVertices(4, nullptr);
      platform.End2d();
      EXPECT_EQ(CountInLog("DrawVertices called when not in Begin2d or Begin3d state"), draws + 1) << replaced;
      EXPECT_EQ(CountInLog("End2d called when not in Begin2d state"), ends + 1) << replaced;
      if (!next) {
        EXPECT_FALSE(platform.Begin2d()) << "no display to draw on";
        return;
      }
      EXPECT_TRUE(next->Calls().empty()) << "the new display hears nothing of the old block";
      ASSERT_TRUE(platform.Begin2d());
      platform.DrawVertices(4, nullptr);
      platform.End2d();
      EXPECT_EQ(next->Calls(), (std::vector<std::string>{"Begin2d", "DrawVertices 4", "End2d"}));
    });
  }
}

TEST(PlatformDrawing, ForwardersHandTheirArgumentsToTheDisplay) {
  struct Case {
    std::function<void(TAppPlatform&)> call;
    const char* reached;
  };
  const Case cases[] = {
      {[](TAppPlatform& p) { p.SetBlendMode(3); }, "SetBlendMode 3"},
      {[](TAppPlatform& p) { p.SetTextureFilter(0); }, "SetTextureFilter 0"},
      {[](TAppPlatform& p) { p.SetZWrite(true); }, "SetZWrite 1"},
      {[](TAppPlatform& p) { p.SetCullMode(2); }, "SetCullMode 2"},
      {[](TAppPlatform& p) { p.PushViewport(1, 2, 3, 4); }, "PushViewport 1 2 3 4"},
      {[](TAppPlatform& p) { p.PopViewport(); }, "PopViewport"},
      {[](TAppPlatform& p) { p.DrawRect(5, 6, 7, 8, TColor(1.0f, 1.0f, 1.0f, 0.5f), nullptr); }, "DrawRect 5 6 7 8 alpha 0.500000"},
      {[](TAppPlatform& p) { p.DrawRect(0, 0, -1, 9, TColor(), TextureHandle()); }, "DrawRect 0 0 -1 9 alpha 0.000000 target"},
      {[](TAppPlatform& p) { p.SetTexture(nullptr); }, "SetTexture"},
      {[](TAppPlatform& p) { p.PushRenderTarget(TextureHandle()); }, "PushRenderTarget"},
      {[](TAppPlatform& p) { p.PopRenderTarget(); }, "PopRenderTarget"},
      {[](TAppPlatform& p) { p.SetWorldTransform(TMatrix4()); }, "SetWorldTransform"},
      {[](TAppPlatform& p) { p.SetViewTransform(TMatrix4()); }, "SetViewTransform"},
      {[](TAppPlatform& p) { p.SetProjectionTransform(TMatrix4()); }, "SetProjectionTransform"},
      {[](TAppPlatform& p) { TMatrix4 m; p.GetWorldTransform(m); }, "GetWorldTransform"},
      {[](TAppPlatform& p) { TMatrix4 m; p.GetViewTransform(m); }, "GetViewTransform"},
      {[](TAppPlatform& p) { TMatrix4 m; p.GetProjectionTransform(m); }, "GetProjectionTransform"},
      {[](TAppPlatform& p) { p.ReportOutOfVideoMemory(); }, "ReportOutOfVideoMemory"},
      {[](TAppPlatform& p) { p.Restore(); }, "Restore"},
      {[](TAppPlatform& p) { p.EndDraw(false); }, "EndDraw 0"},
  };
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow&) {
    auto* display = InstallDisplay(platform);
    for (const Case& c : cases) {
      display->Journal().Clear();
      c.call(platform);
      EXPECT_TRUE(display->Journal().Contains(c.reached)) << c.reached;
    }
    TRect viewport;
    platform.GetViewport(viewport);
    EXPECT_EQ(viewport, display->viewport);
  });
}

TEST(PlatformDrawing, WithoutADisplayDrawingIsRefusedAndEachKindLoggedOnce) {
  RunPlatform("", [](TAppPlatform& platform, FakeNativeWindow&) {
    EXPECT_FALSE(platform.BeginDraw(true));
    EXPECT_FALSE(platform.BeginDraw(true));
    platform.DrawRect(0, 0, 1, 1, TColor(), nullptr);
    platform.SetBlendMode(1);
    platform.SetBlendMode(2);
    EXPECT_FALSE(platform.Begin2d());
    platform.End2d();
    EXPECT_EQ(CountInLog("BeginDraw refused: there is no display"), 1);
    EXPECT_EQ(CountInLog("DrawRect refused: there is no display"), 1);
    EXPECT_EQ(CountInLog("SetBlendMode refused: there is no display"), 1);
    EXPECT_EQ(CountInLog("Begin2d refused: there is no display"), 1);
    EXPECT_EQ(CountInLog("End2d called when not in Begin2d state"), 1);
    TRect viewport(1, 2, 3, 4);
    platform.GetViewport(viewport);
    EXPECT_EQ(viewport, TRect());
    EXPECT_TRUE(platform.IsFlipDone()) << "no flip is under way";
    EXPECT_FALSE(platform.IsFullScreen());
    EXPECT_FALSE(platform.SetFullScreen(true));
  });
}

TEST(PlatformDrawing, WithoutADisplayTheWindowShowsBare) {
  RunPlatform("", [](TAppPlatform& platform, FakeNativeWindow& desktop) {
    EXPECT_FALSE(desktop.shown);
    platform.SetDisplay(800, 600, false);
    EXPECT_TRUE(desktop.shown);
    TWindow* root = platform.GetWindowManager()->GetRootWindow();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetRect(), TRect(0, 0, 800, 600));
  });
}

TEST(PlatformDrawing, TheFirstDisplaySetUpMakesTheRootScreen) {
  RunPlatform("", [](TAppPlatform& platform, FakeNativeWindow& desktop) {
    auto* display = InstallDisplay(platform);
    platform.SetDisplay(800, 600, true);
    TWindow* root = platform.GetWindowManager()->GetRootWindow();
    ASSERT_NE(root, nullptr);
    EXPECT_TRUE(root->IsKindOf(TScreen::ClassId()));
    EXPECT_EQ(platform.GetWindowManager()->GetTopModal(), root);
    EXPECT_EQ(root->GetRect(), TRect(0, 0, 800, 600));
    EXPECT_EQ(display->Calls(), (std::vector<std::string>{"SetDisplay 800 600 1 0 0 0", "TestRenderTarget"}));
    EXPECT_FALSE(desktop.shown) << "the display shows the window";
    platform.SetDisplay(640, 480, false);
    EXPECT_EQ(platform.GetWindowManager()->GetRootWindow(), root);
    float scale = 0;
    EXPECT_FALSE(platform.GetData().GetDisplayScale(scale));
    EXPECT_EQ(scale, 1.0f);
  });
}

TEST(PlatformDrawing, TheModeDecidesScaleAndFullScreen) {
  FakeHostWindow host(1000);
  char hosted[96];
  std::snprintf(hosted, sizeof hosted, "-wnd=%x", host.Handle());
  struct Case {
    std::string line;
    bool requested;
    const char* reached;
    float scale;
  };
  const Case cases[] = {
      {"", true, "SetDisplay 800 600 1 0 0 0", 1.0f},
      {"screensaver", false, "SetDisplay 800 600 1 0 0 0", 1.0f},
      {hosted, true, "SetDisplay 800 600 0 0 0 1", 1.25f},
      {"--axtest", true, "SetDisplay 800 600 0 0 0 0", 1.0f},
      {std::string(hosted) + " -pq=1", true, "SetDisplay 800 600 0 0 0 1", 1.25f},
  };
  for (const Case& c : cases) {
    host.received.clear();
    RunPlatform(c.line, [&](TAppPlatform& platform, FakeNativeWindow&) {
      auto* display = InstallDisplay(platform);
      platform.SetDisplay(800, 600, c.requested);
      EXPECT_TRUE(display->Journal().Contains(c.reached)) << c.line;
      float scale = 0;
      platform.GetData().GetDisplayScale(scale);
      EXPECT_EQ(scale, c.scale) << c.line;
    });
  }
  ASSERT_EQ(host.received.size(), 1u) << "-pq= tells the host the wish";
  EXPECT_EQ(host.received[0].code, 1024u);
  EXPECT_EQ(host.received[0].first, 1u);
}

class CountingAsset : public TAsset {
 public:
  void Restore() override { ++restores; }
  int restores = 0;
};

TEST(PlatformDrawing, RestoredAssetsRunTheRestoreTasksAtTheNextFrameOnly) {
  struct CountingTask : TTask {
    explicit CountingTask(int& steps) : steps(steps) {}
    bool Step() override { return ++steps > 0; }
    int& steps;
  };
  RunPlatform("", [](TAppPlatform& platform, FakeNativeWindow&) {
    auto* display = InstallDisplay(platform);
    platform.SetDisplay(800, 600, false);
    auto asset = std::make_shared<CountingAsset>();
    platform.GetAssetManager()->Register("asset", asset);
    int steps = 0;
    platform.AddRestoreTask(std::make_unique<CountingTask>(steps));
    platform.ConsumeRepaintRequest();

    platform.RestoreAssets();
    EXPECT_EQ(asset->restores, 1);
    EXPECT_TRUE(platform.ConsumeRepaintRequest());
    display->beginDraw = false;
    EXPECT_FALSE(platform.BeginDraw(true));
    EXPECT_EQ(steps, 0) << "a frame that does not begin runs nothing";
    display->beginDraw = true;
    EXPECT_TRUE(platform.BeginDraw(true));
    EXPECT_EQ(steps, 1);
    EXPECT_TRUE(platform.BeginDraw(false));
    EXPECT_EQ(steps, 1);

    display->ready = false;
    platform.RestoreAssets();
    EXPECT_EQ(asset->restores, 1);
    EXPECT_EQ(CountInLog("RestoreAssets: DX broken"), 1);
  });
}

TEST(PlatformDrawing, EndDrawMeasuresTheRateAndDrawsTheOverlayFirst) {
  FakeClock clock;
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow&) {
    auto* display = InstallDisplay(platform);
    for (int frame = 0; frame < 15; ++frame) {
      clock.Advance(20);
      platform.EndDraw(true);
    }
    EXPECT_FLOAT_EQ(platform.GetData().mFrameRate.GetFramesPerSecond(), 15000.0f / 280.0f);
    display->Journal().Clear();
    platform.GetEventPump().mOverlayOn = true;
    platform.EndDraw(true);
    EXPECT_EQ(display->Calls(),
              (std::vector<std::string>{"Begin2d", "DrawRect 0 0 300 40 alpha 1.000000", "End2d", "EndDraw 1"}));
  }, &clock);
}

TEST(PlatformDrawing, TheCursorImageReplacesTheSystemCursorWhileShown) {
  RunPlatform("", [](TAppPlatform& platform, FakeNativeWindow& desktop) {
    auto* display = InstallDisplay(platform);
    auto moveAndSeeCursor = [&] {
      desktop.MoveTo(1, 1);
      TEvent event;
      platform.GetEvent(&event);
      return desktop.cursorVisible;
    };
    platform.SetCursor(TextureHandle(), 1, 2);
    EXPECT_FALSE(moveAndSeeCursor()) << "a drawn cursor hides the system one";
    platform.UpdateCursor(TAppPlatform::kCursorHide);
    platform.UpdateCursor(TAppPlatform::kCursorHide);
    EXPECT_TRUE(moveAndSeeCursor());
    platform.UpdateCursor(TAppPlatform::kCursorRefresh);
    platform.UpdateCursor(TAppPlatform::kCursorShow);
    platform.UpdateCursor(TAppPlatform::kCursorShow);
    EXPECT_EQ(display->Journal().Count("SetMouseImage image 1 2"), 2);
    EXPECT_EQ(display->Journal().Count("SetMouseImage none 1 2"), 1);
    platform.GetData().mCursorEnabled = false;
    platform.UpdateCursor(TAppPlatform::kCursorHide);
    EXPECT_EQ(display->Journal().Count("SetMouseImage none 1 2"), 1);
  });
}

}  // namespace
