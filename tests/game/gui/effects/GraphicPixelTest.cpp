// Graphics on our display, read back pixel by pixel: alpha blending over
// what is there, a separate alpha image, strips with their corner alphas,
// and a picture that failed to load.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "game/gui/effects/TAnimGraphic.h"
#include "game/gui/effects/TStaticGraphic.h"
#include "media/display/TDx3dDisplayHandler.h"
#include "platform/file/FileIndex.h"
#include "platform/text/Log.h"
#include "tests/media/texture/ImageFiles.h"
#include "tests/support/DevicePlatform.h"
#include "tests/support/DisplayOpening.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/LayerLogCapture.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFileLayer.h"

namespace GUI {
namespace {

constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kBlue = 0xFF0000FFu;
const TColor kBlueFill(0.0f, 0.0f, 1.0f, 1.0f);

// The colour of each pixel of a picture, as 0xRRGGBB.
using Colours = std::function<uint32_t(uint32_t x, uint32_t y)>;

// Whether two colours differ by at most one step of rounding per channel.
bool Close(uint32_t actual, uint32_t expected) {
  for (int shift = 0; shift < 32; shift += 8) {
    if (std::abs(static_cast<int>((actual >> shift) & 0xFF) - static_cast<int>((expected >> shift) & 0xFF)) > 2) {
      return false;
    }
  }
  return true;
}

// A display of 800 x 600 open in a window on a fake desktop and installed
// in the platform, with the test's own image files.
class GraphicPixelTest : public testing::Test {
 protected:
  GraphicPixelTest() {
    SetLogFolder(mLogs.Path().c_str());
    EXPECT_TRUE(mDesktop.IsOpen());
  }

  // An RGB PNG of the colours.
  void Store(const std::string& name, uint32_t width, uint32_t height, const Colours& colours) {
    PngPicture picture;
    picture.width = width;
    picture.height = height;
    picture.colourType = PNG_COLOR_TYPE_RGB;
    for (uint32_t y = 0; y < height; ++y) {
      for (uint32_t x = 0; x < width; ++x) {
        const uint32_t rgb = colours(x, y);
        picture.rows.insert(picture.rows.end(), {static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
                                                 static_cast<uint8_t>(rgb)});
      }
    }
    mFiles.WriteAsset(name + ".png", PngBytes(picture));
    BuildFileIndex();
  }
  // Draws on a blue screen.
  void DrawFrame(const std::function<void()>& draw) {
    mDisplay->DrawRect(0, 0, -1, -1, kBlueFill, nullptr);
    ASSERT_TRUE(mDisplay->BeginDraw(false));
    ASSERT_TRUE(platform.Begin2d());
    draw();
    platform.End2d();
    mDisplay->EndDraw(false);
  }
  uint32_t ScreenAt(int32_t x, int32_t y) { return DevicePlatform::ColourAt(*mDisplay->GetData().mBackBuffer, x, y); }

  LayerLogCapture layerLog;
  FakePlatform platform;

 private:
  TempFolder mLogs;
  TestFileLayer mFiles;
  FakeDesktopDisplay mDesktop{platform};
  TDx3dDisplayHandler* mDisplay = &mDesktop.Display();
};

TEST_F(GraphicPixelTest, HalfAlphaBlendsThePictureWithWhatIsBehindIt) {
  Store("red", 16, 16, [](uint32_t, uint32_t) { return 0xFF0000u; });
  TStaticGraphic graphic("red");
  ASSERT_EQ(graphic.GetWidth(), 16);
  DrawFrame([&] { graphic.Draw(TVec2(100, 100), 0.5f, 1.0f, 0.0f); });
  EXPECT_TRUE(Close(ScreenAt(100, 100), 0xFF800080u)) << std::hex << ScreenAt(100, 100);
  EXPECT_EQ(ScreenAt(80, 100), kBlue) << "outside the picture";
  DrawFrame([&] { graphic.DrawScaled(TVec2(100, 100), 1.0f, 2.0f, 1.0f, 0.0f); });
  EXPECT_EQ(ScreenAt(85, 100), kRed) << "twice as wide";
  EXPECT_EQ(ScreenAt(100, 89), kBlue) << "as high as the picture";
}

TEST_F(GraphicPixelTest, TheAlphaImagesDarkPartLeavesTheBackground) {
  Store("red", 16, 16, [](uint32_t, uint32_t) { return 0xFF0000u; });
  Store("halfmask", 16, 16, [](uint32_t x, uint32_t) { return x < 8 ? 0xFFFFFFu : 0x000000u; });
  std::shared_ptr<IGraphic> graphic = MakeStaticGraphicWithAlpha("red", "halfmask");
  TAnimGraphic animation(std::vector<TString>{"red"}, "halfmask");
  DrawFrame([&] {
    graphic->Draw(TVec2(100, 100), 1.0f, 1.0f, 0.0f);
    animation.Draw(TVec2(300, 100), 1.0f, 1.0f, 0.0f);
  });
  for (int32_t x : {100, 300}) {
    EXPECT_EQ(ScreenAt(x - 6, 100), kRed) << x;
    EXPECT_EQ(ScreenAt(x + 5, 100), kBlue) << x;
  }
}

TEST_F(GraphicPixelTest, StripsBlendByTheirCornerAlphas) {
  Store("red", 30, 10, [](uint32_t, uint32_t) { return 0xFF0000u; });
  TStaticGraphic graphic("red");
  DrawFrame([&] {
    graphic.DrawSlices(TVec2(100, 100), {{1, 1, 1, 1}, {0, 0, 0, 0}, {0.5f, 0.5f, 0.5f, 0.5f}}, 2.0f);
  });
  EXPECT_EQ(ScreenAt(80, 100), kRed) << "the first strip, opaque";
  EXPECT_EQ(ScreenAt(100, 100), kBlue) << "the second, transparent";
  EXPECT_TRUE(Close(ScreenAt(120, 100), 0xFF800080u)) << std::hex << ScreenAt(120, 100);
  EXPECT_EQ(ScreenAt(80, 85), kBlue) << "above the scaled height";
  EXPECT_EQ(ScreenAt(80, 108), kRed) << "the picture reaches the bottom, though its surface is higher";
  EXPECT_TRUE(Close(ScreenAt(128, 100), 0xFF800080u)) << "and the right edge: " << std::hex << ScreenAt(128, 100);
}

TEST_F(GraphicPixelTest, APictureThatFailedToLoadDrawsNothing) {
  TStaticGraphic graphic("nothere");
  TAnimGraphic animation(std::vector<TString>{"nothere"}, 10.0f);
  EXPECT_EQ(graphic.GetWidth(), 0);
  EXPECT_EQ(animation.GetHeight(), 0);
  DrawFrame([&] {
    graphic.Draw(TVec2(100, 100), 1.0f, 1.0f, 0.0f);
    graphic.DrawSlices(TVec2(100, 100), {{1, 1, 1, 1}}, 1.0f);
    animation.DrawScaled(TVec2(100, 100), 1.0f, 1.0f, 1.0f, 0.0f);
  });
  EXPECT_EQ(ScreenAt(100, 100), kBlue);
}

}  // namespace
}  // namespace GUI
