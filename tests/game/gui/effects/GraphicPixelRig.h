#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

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

constexpr uint32_t kRigRed = 0xFFFF0000u;
constexpr uint32_t kRigGreen = 0xFF00FF00u;
constexpr uint32_t kRigBlue = 0xFF0000FFu;

// The colour of each pixel of a picture, as 0xRRGGBB.
using RigColours = std::function<uint32_t(uint32_t x, uint32_t y)>;

// A display of 800 x 600 open in a window on a fake desktop and installed
// in the platform, with image files the test writes.
class GraphicPixelRig : public testing::Test {
 protected:
  GraphicPixelRig() {
    SetLogFolder(mLogs.Path().c_str());
    EXPECT_TRUE(mDesktop.IsOpen());
  }

  // An RGB PNG of the colours.
  void Store(const std::string& name, uint32_t width, uint32_t height, const RigColours& colours) {
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
  // Draws on a blue screen inside the frame but outside the 2D drawing
  // state, where the play window draws between the tower's passes.
  void DrawFrameOutside2d(const std::function<void()>& draw) {
    mDisplay->DrawRect(0, 0, -1, -1, kBlueFill, nullptr);
    ASSERT_TRUE(mDisplay->BeginDraw(false));
    draw();
    mDisplay->EndDraw(false);
  }
  uint32_t ScreenAt(int32_t x, int32_t y) { return DevicePlatform::ColourAt(*mDisplay->GetData().mBackBuffer, x, y); }

  LayerLogCapture layerLog;
  FakePlatform platform;

 private:
  const TColor kBlueFill{0.0f, 0.0f, 1.0f, 1.0f};
  TempFolder mLogs;
  TestFileLayer mFiles;
  FakeDesktopDisplay mDesktop{platform};
  TDx3dDisplayHandler* mDisplay = &mDesktop.Display();
};

}  // namespace GUI
