// The game's big-area bomb blast on the display, half-way through: drawn
// with the pictures of the data folder the build made, added onto what is
// under it around its place and nowhere far from it. With
// QUORVANE_FRAME_CAPTURE naming a file, the frame is written there as PNG
// for a person to look at.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "game/gui/effects/TAnimGraphic.h"
#include "game/gui/effects/TExplosionEffect.h"
#include "game/gui/play/TTowerMeasurement.h"
#include "media/display/TDx3dDisplayHandler.h"
#include "platform/text/Log.h"
#include "system/gfx/PicturePng.h"
#include "tests/support/BuiltDataFolder.h"
#include "tests/support/DevicePlatform.h"
#include "tests/support/DisplayOpening.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TempFolder.h"

namespace GUI {
namespace {

constexpr int32_t kShotWidth = 800;
constexpr int32_t kShotHeight = 600;
constexpr int32_t kBlastRingShown = 2;
const TVec2 kBlastPlace(400, 300);

class ExplosionPixelTest : public testing::Test {
 protected:
  ExplosionPixelTest() { SetLogFolder(logs.Path().c_str()); }

  std::shared_ptr<IGraphic> BombBlast() {
    std::vector<TString> frames;
    for (int frame = 1; frame <= 8; ++frame) {
      frames.push_back(TString(("sprites/abomb-exp-" + std::to_string(frame)).c_str()));
    }
    return std::make_shared<TAnimGraphic>(frames, 0.0f);
  }

  // Draws the effect once on a dark ground.
  void DrawOnGround(TExplosionEffect& effect) {
    TDx3dDisplayHandler& display = desktop.Display();
    display.DrawRect(0, 0, -1, -1, TColor(0.05f, 0.05f, 0.15f, 1.0f), nullptr);
    ASSERT_TRUE(display.BeginDraw(false));
    ASSERT_TRUE(platform.Begin2d());
    effect.Draw();
    platform.End2d();
    display.EndDraw(false);
  }

  uint32_t ShownAt(int32_t x, int32_t y) {
    return DevicePlatform::ColourAt(*desktop.Display().GetData().mBackBuffer, x, y) & 0xFFFFFF;
  }

  static int Brightness(uint32_t rgb) {
    return static_cast<int>((rgb >> 16 & 0xFF) + (rgb >> 8 & 0xFF) + (rgb & 0xFF));
  }

  void WriteCaptureWhenAsked() {
    const char* path = std::getenv("QUORVANE_FRAME_CAPTURE");
    if (!path) return;
    sys::Picture shot{kShotWidth, kShotHeight, {}};
    for (int32_t y = 0; y < kShotHeight; ++y) {
      for (int32_t x = 0; x < kShotWidth; ++x) shot.pixels.push_back(0xFF000000u | ShownAt(x, y));
    }
    EXPECT_TRUE(sys::gfx::WritePicturePng(shot, path));
  }

  TempFolder logs;
  FakeClock clock{1000};
  FakePlatform platform;
  BuiltDataFolder data;
  FakeDesktopDisplay desktop{platform};
  TTowerMeasurement measurement;
};

TEST_F(ExplosionPixelTest, ABombsBlastHalfWayLightsItsPlaceAndNothingFarOff) {
  ASSERT_TRUE(desktop.IsOpen());
  std::shared_ptr<IGraphic> blast = BombBlast();
  ASSERT_EQ(blast->GetFrameCount(), 8u);
  ASSERT_GT(blast->GetWidth(), 0) << "the blast's pictures are in the data folder";
  TExplosionEffect effect(kBlastRingShown, blast, kBlastPlace, 3.0f, &measurement, 800.0f);
  DrawOnGround(effect);
  clock.Advance(400);
  DrawOnGround(effect);
  EXPECT_EQ(blast->GetFrame(), 0u) << "the second draw shows the share the first one measured";
  DrawOnGround(effect);
  EXPECT_EQ(blast->GetFrame(), 4u) << "half-way";
  const uint32_t ground = ShownAt(5, 5);
  EXPECT_GT(Brightness(ShownAt(400, 300)), Brightness(ground) + 60) << "the blast lights its place";
  EXPECT_EQ(ShownAt(795, 595), ground);
  WriteCaptureWhenAsked();
}

}  // namespace
}  // namespace GUI
