// The vector renderer over the display's own textures, on an open display:
// its calibration and text drawn into a texture of the display.
#include <gtest/gtest.h>

#include <cstring>

#include "media/display/TDisplayVecTextures.h"
#include "media/text/TTextLayout.h"
#include "media/texture/TTexture.h"
#include "media/text/TVqMiniVecDraw.h"
#include "tests/media/display/OpenDisplayRig.h"
#include "tests/support/SyntheticFont.h"

namespace {

class TextOnDisplayTest : public OpenDisplayRig {};

TEST_F(TextOnDisplayTest, TheRendererCalibratesExactlyThroughTheDisplaysTextures) {
  TVqMiniVecDraw renderer(std::make_unique<TDisplayVecTextures>());
  renderer.Calibrate();
  EXPECT_TRUE(Logged("Vector drawing calibrated: trial")) << LogText();
  EXPECT_EQ(renderer.GetBatchSize(), TVqMiniVecDraw::kBatchVertices);
}

// 'a' at 20 pixels: a square from 1.5 to 9.5 across, 7 to 15 down.
TEST_F(TextOnDisplayTest, TextIsDrawnIntoATextureOfTheDisplay) {
  SyntheticFonts fonts;
  fonts.InstallOn(platform);
  TVqMiniVecDraw renderer(std::make_unique<TDisplayVecTextures>());
  platform.vecDraw = &renderer;
  const std::shared_ptr<TTexture> texture = TTexture::CreateBlank(64, 32, true);
  ASSERT_NE(texture, nullptr);
  const auto layout =
      TTextLayout::Create("a", 64, 32, 0, SyntheticFonts::kName, 20, TColor(1.0f, 1.0f, 1.0f, 1.0f));
  layout->SetCopyAlpha(true);
  layout->Draw(TRect(0, 0, 64, 32), 1.0f, 0.0f, texture);
  void* bits = nullptr;
  int32_t width = 0, height = 0, pitch = 0;
  ASSERT_TRUE(texture->Lock(&bits, &width, &height, &pitch));
  auto at = [&](int32_t x, int32_t y) {
    uint32_t pixel = 0;
    std::memcpy(&pixel, static_cast<uint8_t*>(bits) + static_cast<intptr_t>(y) * pitch + x * 4, 4);
    return pixel;
  };
  EXPECT_EQ(at(5, 12), 0xFFFFFFFFu);
  EXPECT_EQ(at(5, 20) >> 24, 0u);
  EXPECT_EQ(at(20, 12) >> 24, 0u);
  texture->Unlock();
  platform.vecDraw = nullptr;
}

}  // namespace
