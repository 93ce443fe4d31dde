// The closing pictures of an expert level drawn on the display from the data
// folder the build made: the banner's paper in the middle of the screen, the flash in
// the middle and the sparkles over the tower's centre. With
// QUORVANE_FRAME_CAPTURE set, the frame is written there as a PNG.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "game/gui/effects/TEndLevelAnimation.h"
#include "game/gui/effects/TStaticGraphic.h"
#include "game/gui/progress/TWorldData.h"
#include "media/display/TDx3dDisplayHandler.h"
#include "platform/text/Log.h"
#include "tests/game/gui/effects/FrameCapture.h"
#include "tests/support/BuiltDataFolder.h"
#include "tests/support/DevicePlatform.h"
#include "tests/support/DisplayOpening.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TempFolder.h"
#include "tests/support/rules/StubTowerView.h"

namespace GUI {
namespace {

constexpr int32_t kEndShotWidth = 800;
constexpr int32_t kEndShotHeight = 600;

class EndLevelPixelTest : public testing::Test {
 protected:
  EndLevelPixelTest() {
    SetLogFolder(logs.Path().c_str());
    Result() = {};
  }
  ~EndLevelPixelTest() override { Result() = {}; }

  static GamePlay::TLevelResult& Result() { return GamePlay::TWorldData::Instance().GetLevelResult(); }

  std::unique_ptr<TEndLevelAnimation> Make() {
    auto jewel = [](const char* name) { return std::make_shared<TStaticGraphic>(name); };
    std::vector<std::shared_ptr<IGraphic>> jewels = {jewel("sprites/jugs/jug-jewel-yel"),
                                                     jewel("sprites/jugs/jug-jewel-yel"),
                                                     jewel("sprites/jugs/jug-jewel-blu")};
    flash = std::make_shared<TStaticGraphic>("sprites/jugs/jug-glow-ends");
    auto animation = std::make_unique<TEndLevelAnimation>(
        &host, flash, std::make_shared<TStaticGraphic>("sprites/jugs/lightsfare-2"), std::move(jewels),
        std::make_shared<TStaticGraphic>("backgrounds/ends-paper-1", "backgrounds/ends-paper-1a"),
        std::make_shared<TStaticGraphic>("backgrounds/black-1"));
    return animation;
  }

  void DrawFrame(TEndLevelAnimation& animation) {
    TDx3dDisplayHandler& display = desktop.Display();
    display.DrawRect(0, 0, -1, -1, TColor(0.05f, 0.05f, 0.15f, 1.0f), nullptr);
    ASSERT_TRUE(display.BeginDraw(false));
    animation.DrawFlash(TVec2(400, 300));
    animation.DrawPanel(TVec2(400, 300));
    display.EndDraw(false);
  }

  uint32_t ShownAt(int32_t x, int32_t y) { return BackBufferColourAt(desktop, x, y); }

  TempFolder logs;
  FakeClock clock{1000};
  FakePlatform platform;
  BuiltDataFolder data;
  FakeDesktopDisplay desktop{platform};
  StubTowerView host;
  std::shared_ptr<IGraphic> flash;
};

TEST_F(EndLevelPixelTest, AnExpertLevelsCloseShowsThePaperAndLightsTheCentre) {
  ASSERT_TRUE(desktop.IsOpen());
  Result().expert = true;
  host.showingMessage = true;
  auto animation = Make();
  DrawFrame(*animation);  // starts the sparkles' clock
  ASSERT_GT(flash->GetWidth(), 0) << "the pictures are in the data folder";
  const uint32_t ground = ShownAt(5, 5);
  animation->ShowBanner(false);
  clock.Advance(1000);
  animation->StartFlash([] {});
  clock.Advance(600);
  DrawFrame(*animation);
  EXPECT_NE(ShownAt(250, 120), ground) << "the banner's paper";
  EXPECT_EQ(ShownAt(5, 5), ground) << "the paper is a sheet in the middle";
  EXPECT_NE(ShownAt(400, 300), ShownAt(5, 5)) << "the flash and the sparkles light the centre";
  WriteFrameCaptureWhenAsked(desktop, kEndShotWidth, kEndShotHeight);
}

}  // namespace
}  // namespace GUI
