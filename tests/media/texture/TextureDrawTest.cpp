// Texture data drawn: the quad's placement, colour, flips, turns, corner
// transform, guard band and drawing scale; clipped draws; copies.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "tests/media/texture/TextureRig.h"

namespace {

using sys::gfx::AdapterOperation;
using sys::gfx::Result;

constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kRed = 0xFFFF0000;

uint32_t Distinct(int32_t x, int32_t y) {
  return 0xFF000000u | static_cast<uint32_t>(x * 16 + 8) << 16 | static_cast<uint32_t>(y * 16 + 4) << 8 |
         static_cast<uint32_t>((x * 7 + y * 3) & 0xFF);
}

class TextureDrawTest : public TextureRig {
 protected:
  // A texture of the colours, loaded from a PNG file without alpha.
  std::shared_ptr<TTexture> Picture(const char* name, int32_t width, int32_t height, const PictureColours& colours) {
    Store(std::string(name) + ".png", PngOf(width, height, colours, false));
    std::shared_ptr<TTexture> texture = TTexture::Get(name, 0);
    EXPECT_TRUE(texture);
    return texture;
  }
  uint32_t ScreenAt(int32_t x, int32_t y) { return ColourAt(Back(), x, y); }
};

TEST_F(TextureDrawTest, AnImageDrawnAtItsMiddleLandsTexelForTexel) {
  std::shared_ptr<TTexture> texture = Picture("distinct", 16, 16, Distinct);
  BeginFrame();
  texture->DrawAt(108, 58, 1, 1, 0, 0);
  EndFrame();
  for (int32_t y = 48; y < 68; ++y) {
    for (int32_t x = 98; x < 118; ++x) {
      const bool inside = x >= 100 && x < 116 && y >= 50 && y < 66;
      ASSERT_EQ(ScreenAt(x, y), inside ? Distinct(x - 100, y - 50) : kBlack) << x << ", " << y;
    }
  }
}

TEST_F(TextureDrawTest, ACentreAnchorsTheImageAndASourcePicksPartOfIt) {
  std::shared_ptr<TTexture> texture = Picture("distinct", 16, 16, Distinct);
  BeginFrame();
  const TVec2 position(200, 100);
  const TVec2 centre(0, 0);
  const TRect source(4, 2, 8, 6);
  texture->Draw(&position, 1, 1, 1, 0, &centre, nullptr, 0, &source);
  EndFrame();
  EXPECT_EQ(ScreenAt(200, 100), Distinct(4, 2));
  EXPECT_EQ(ScreenAt(203, 103), Distinct(7, 5));
  EXPECT_EQ(ScreenAt(204, 100), kBlack);
  EXPECT_EQ(ScreenAt(199, 100), kBlack);
}

TEST_F(TextureDrawTest, ANegativeAlphaDrawsTheImagesShapeInTheColour) {
  Store("round.png", PngOf(16, 16, [](int32_t x, int32_t y) {
          const int32_t dx = x - 8, dy = y - 8;
          return dx * dx + dy * dy < 36 ? 0xFF3060A0u : 0x00FFFFFFu;
        }));
  std::shared_ptr<TTexture> texture = TTexture::Get("round", 0);
  ASSERT_TRUE(texture);
  BeginFrame();
  const TVec2 position(58, 58);
  const TColor red(1.0f, 0.0f, 0.0f, 1.0f);
  texture->Draw(&position, -1, 1, 1, 0, nullptr, &red, 0, nullptr);
  EndFrame();
  EXPECT_EQ(ScreenAt(58, 58), kRed) << "inside the shape: the colour, not the image's";
  EXPECT_EQ(ScreenAt(51, 51), kBlack) << "outside it nothing";
  EXPECT_EQ(Device().States().stage.colourOp, sys::gfx::TextureOp::SelectArg2);
  BeginFrame();
  texture->Draw(&position, 1, 1, 1, 0, nullptr, &red, 0, nullptr);
  EndFrame();
  EXPECT_EQ(ScreenAt(58, 58), 0xFF300000u) << "a positive alpha modulates again";
}

TEST_F(TextureDrawTest, ColourChannelsBeyondOneStayInTheirOwnByte) {
  std::shared_ptr<TTexture> white = Picture("white", 4, 4, [](int32_t, int32_t) { return 0xFFFFFFFFu; });
  BeginFrame();
  const TVec2 position(10, 10);
  const TColor bright(0.0f, 2.0f, 0.0f, 1.0f);
  white->Draw(&position, 3.0f, 1, 1, 0, nullptr, &bright, 0, nullptr);
  EndFrame();
  EXPECT_EQ(ScreenAt(10, 10), 0xFF00FF00u);
}

// A quad from x = -1000 to 3000 is cut to -800 and 2000 with texture
// coordinates 0.05 and 0.75: the picture is the uncut quad's.
TEST_F(TextureDrawTest, AQuadFarBeyondTheScreenIsCutWithoutMovingItsTexels) {
  std::shared_ptr<TTexture> columns = Picture("columns", 16, 1, [](int32_t x, int32_t) { return Distinct(x, 0); });
  BeginFrame();
  platform.SetTextureFilter(0);
  const TVec2 position(1000, 5);
  columns->Draw(&position, 1, 250, 10, 0, nullptr, nullptr, 0, nullptr);
  EndFrame();
  for (int32_t x : {0, 249, 250, 499, 500, 799}) {
    EXPECT_EQ(ScreenAt(x, 2), Distinct((x + 1000) / 250, 0)) << x;
  }
}

TEST_F(TextureDrawTest, FlipsMirrorAndTurnsRotateAboutTheMiddleOrTheCentre) {
  const uint32_t corners[2][2] = {{0xFFFF0000u, 0xFF00FF00u}, {0xFF0000FFu, 0xFFFFFFFFu}};
  std::shared_ptr<TTexture> quads =
      Picture("quads", 2, 2, [&](int32_t x, int32_t y) { return corners[y][x]; });
  struct Case {
    const char* what;
    int32_t flip;
    float rotation;
    bool centred;  // anchored at the image's top-left corner
    uint32_t topLeft, topRight, bottomLeft;
  };
  const float quarter = std::numbers::pi_v<float> / 2;
  const Case cases[] = {
      {"as it is", 0, 0, false, corners[0][0], corners[0][1], corners[1][0]},
      {"mirrored in x", 1, 0, false, corners[0][1], corners[0][0], corners[1][1]},
      {"mirrored in y", 2, 0, false, corners[1][0], corners[1][1], corners[0][0]},
      {"a quarter turn", 0, quarter, false, corners[1][0], corners[0][0], corners[1][1]},
      {"a quarter turn about the corner", 0, quarter, true, corners[1][0], corners[0][0], corners[1][1]},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BeginFrame();
    platform.SetTextureFilter(0);
    const TVec2 centre(0, 0);
    // Either way the picture covers (92, 92) to (108, 108).
    const TVec2 position = c.centred ? TVec2(108, 92) : TVec2(100, 100);
    quads->Draw(&position, 1, 8, 8, c.rotation, c.centred ? &centre : nullptr, nullptr, c.flip, nullptr);
    EndFrame();
    EXPECT_EQ(ScreenAt(95, 95), c.topLeft);
    EXPECT_EQ(ScreenAt(105, 95), c.topRight);
    EXPECT_EQ(ScreenAt(95, 105), c.bottomLeft);
    EXPECT_EQ(ScreenAt(91, 95), kBlack);
  }
}

TEST_F(TextureDrawTest, ACornerTransformMovesTheOtherCornersFromTheFirst) {
  std::shared_ptr<TTexture> white = Picture("white", 4, 4, [](int32_t, int32_t) { return 0xFFFFFFFFu; });
  BeginFrame();
  const TVec2 position(100, 100);
  const TCornerTransform shear{1, 0, 1, 1};  // x' = x0 + dx + dy
  const TColor opaque(1.0f, 1.0f, 1.0f, 1.0f);
  white->GetData()->Draw(&position, 1, 10, 10, 0, nullptr, &opaque, 0, &shear, nullptr);
  EndFrame();
  EXPECT_EQ(ScreenAt(81, 81), 0xFFFFFFFFu) << "the top row where it was";
  EXPECT_EQ(ScreenAt(81, 118), kBlack) << "the bottom row moved right by the height";
  EXPECT_EQ(ScreenAt(120, 118), 0xFFFFFFFFu);
}

TEST_F(TextureDrawTest, AGameDrawnScaledScalesEveryPosition) {
  platform.embedded = true;
  platform.displayScale = 0.5f;
  Open();
  std::shared_ptr<TTexture> white = Picture("white", 16, 16, [](int32_t, int32_t) { return 0xFFFFFFFFu; });
  BeginFrame();
  white->DrawAt(108, 108, 1, 1, 0, 0);
  EndFrame();
  EXPECT_EQ(ScreenAt(49, 52), kBlack);
  EXPECT_EQ(ScreenAt(50, 52), 0xFFFFFFFFu);
  EXPECT_EQ(ScreenAt(57, 52), 0xFFFFFFFFu);
  EXPECT_EQ(ScreenAt(58, 52), kBlack);
}

TEST_F(TextureDrawTest, AClippedDrawShowsOnlyTheClipAtThePosition) {
  std::shared_ptr<TTexture> texture = Picture("distinct", 16, 16, Distinct);
  display->SetViewport(0, 0, 400, 300);
  BeginFrame();
  const TRect clip(4, 4, 8, 8);
  texture->DrawClipped(50, 60, 1, 1, &clip);
  texture->DrawClipped(390, 290, 1, 2, nullptr);
  EndFrame();
  EXPECT_EQ(ScreenAt(50, 60), Distinct(4, 4));
  EXPECT_EQ(ScreenAt(53, 63), Distinct(7, 7));
  EXPECT_EQ(ScreenAt(49, 60), kBlack);
  EXPECT_EQ(ScreenAt(54, 63), kBlack);
  EXPECT_EQ(ScreenAt(399, 299), Distinct(9, 9)) << "the whole image at its own size, cut to the viewport";
  EXPECT_EQ(ScreenAt(400, 299), kBlack);
  EXPECT_EQ(Data().mViewport, TRect(0, 0, 400, 300)) << "the viewport in force comes back";
}

TEST_F(TextureDrawTest, AClipOutsideTheViewportDrawsNothing) {
  std::shared_ptr<TTexture> texture = Picture("distinct", 16, 16, Distinct);
  display->SetViewport(0, 0, 100, 100);
  BeginFrame();
  texture->DrawClipped(300, 300, 1, 1, nullptr);
  EndFrame();
  EXPECT_EQ(CountNot(Back(), kBlack), 0);
  EXPECT_FALSE(Logged("Bad viewport"));
}

TEST_F(TextureDrawTest, ACopyGoesToTheDestinationOrTheScreenAndStaysInsideIt) {
  std::shared_ptr<TTexture> texture = Picture("distinct", 16, 16, Distinct);
  std::shared_ptr<TTexture> canvas = TTexture::CreateBlank(32, 32, false);
  platform.in2d = true;
  const TRect source(8, 8, 16, 16);
  texture->Blit(28, 0, &source, canvas);
  texture->Blit(796, 2, nullptr, nullptr);
  platform.in2d = false;
  EXPECT_EQ(ColourAt(SurfaceOf(canvas), 28, 0), Distinct(8, 8));
  EXPECT_EQ(ColourAt(SurfaceOf(canvas), 31, 7), Distinct(11, 15));
  EXPECT_EQ(ScreenAt(799, 2), Distinct(3, 0));
}

TEST_F(TextureDrawTest, AFailedFastCopyIsMadeAsAPlainCopyAndALostSurfaceBreaksTheDisplay) {
  std::shared_ptr<TTexture> texture = Picture("distinct", 16, 16, Distinct);
  std::shared_ptr<TTexture> canvas = TTexture::CreateBlank(16, 16, false);
  platform.in2d = true;
  adapter->Force(AdapterOperation::BlitFast, Result::Failed);
  texture->Blit(0, 0, nullptr, canvas);
  EXPECT_EQ(ColourAt(SurfaceOf(canvas), 5, 5), Distinct(5, 5));
  EXPECT_TRUE(Logged("fast copy failed (Failed); plain copies from now on"));
  adapter->LoseVideoSurfaces();
  texture->Blit(0, 0, nullptr, canvas);
  EXPECT_TRUE(Data().mBroken);
  platform.in2d = false;
}

TEST_F(TextureDrawTest, PaletteIndicesAreCopiedThroughTheCurrentPaletteWithinBothSurfaces) {
  Store("a.png", PalettePngOf(2, 2, {0, 1, 1, 0}, {{255, 0, 0}, {0, 0, 255}}));
  Store("pal/green.pal", RiffPaletteBytes({{0, 255, 0}}));
  std::shared_ptr<TTexture> indices = TTexture::Get("a.png?palettized", 0);
  ASSERT_TRUE(indices);
  std::shared_ptr<TTexture> wide = TTexture::CreateBlank(4, 4, false);
  Open(800, 600, true, 16);
  std::shared_ptr<TTexture> narrow = TTexture::CreateBlank(4, 4, false);
  platform.in2d = true;
  indices->Blit(3, 3, nullptr, wide);
  indices->ActivatePalette("pal/green.pal");
  indices->Blit(-1, 0, nullptr, narrow);
  platform.in2d = false;
  EXPECT_EQ(ColourAt(SurfaceOf(wide), 3, 3), kRed);
  EXPECT_EQ(ColourAt(SurfaceOf(wide), 2, 3), kBlack) << "the rest stays as it was";
  EXPECT_EQ(sys::gfx::LayoutOf(SurfaceOf(narrow).Format()), sys::gfx::PixelLayout::R5G6B5);
  EXPECT_EQ(ColourAt(SurfaceOf(narrow), 0, 0), 0xFF0000FFu) << "index 1 of the pair cut at the left";
  EXPECT_EQ(ColourAt(SurfaceOf(narrow), 0, 1), 0xFF00FF00u) << "index 0: the activated palette's green";
  EXPECT_EQ(ColourAt(SurfaceOf(narrow), 1, 0), 0xFF000000u);
}

TEST_F(TextureDrawTest, APaletteIsActivatedOnlyFromARiffFileOnAPalettizedTexture) {
  Store("a.png", PalettePngOf(2, 2, {0, 1, 1, 0}, {{255, 0, 0}, {0, 0, 255}}));
  Store("pal/text.pal", "not a palette");
  std::shared_ptr<TTexture> indices = TTexture::Get("a.png?palettized", 0);
  const TDxTextureData::PaletteTable* original = DataOf(indices).GetCurrentPalette();
  indices->ActivatePalette("pal/missing.pal");
  EXPECT_EQ(DataOf(indices).GetCurrentPalette(), original);
  EXPECT_FALSE(Logged("Unable to activate palette"));
  indices->ActivatePalette("pal/text.pal");
  EXPECT_TRUE(Logged("Unable to activate palette: pal/text.pal"));
  indices->ActivatePalette("default");
  EXPECT_EQ(DataOf(indices).GetCurrentPalette(), original);
}

}  // namespace
