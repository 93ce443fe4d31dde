// Texture data from image files: names and their fall-backs, options,
// surface sizes and margins, alpha, masks, palettes and the fills of each
// surface depth.
#include <gtest/gtest.h>

#include "tests/media/texture/TextureRig.h"

namespace {

using sys::gfx::PixelLayout;

constexpr uint32_t kStoredRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr uint32_t kBlue = 0xFF0000FF;

uint32_t Solid(uint32_t argb, int32_t, int32_t) { return argb; }
PictureColours Colour(uint32_t argb) { return [argb](int32_t x, int32_t y) { return Solid(argb, x, y); }; }

class TextureLoadTest : public TextureRig {
 protected:
  // A texture whose data loads the name, with the flags a factory would set.
  std::shared_ptr<TTexture> Loaded(const char* name, uint8_t flags = TTextureData::kAutomaticAlpha,
                                   const char* mask = nullptr) {
    auto texture = std::make_shared<TTexture>();
    texture->GetData()->mFlags = flags;
    if (!texture->GetData()->Load(name, mask)) return nullptr;
    return texture;
  }
  PixelLayout LayoutOf(const std::shared_ptr<TTexture>& texture) {
    return sys::gfx::LayoutOf(SurfaceOf(texture).Format());
  }
};

TEST_F(TextureLoadTest, ANameWithoutExtensionIsLookedForAsPngThenJpegWithItsOptions) {
  Store("both.png", PngOf(4, 4, Colour(kStoredRed)));
  Store("both.jpg", JpegOf(4, 4, Colour(kBlue)));
  Store("photo.jpg", JpegOf(4, 4, Colour(kBlue)));
  Store("sky.png", PngOf(4, 4, Colour(kStoredRed)));
  struct Case {
    const char* name;
    const char* imageName;  // null: the load fails
  };
  const Case cases[] = {
      {"both", "both.png"},
      {"photo", "photo.jpg"},
      {"both?alpha", "both.png?alpha"},
      {"photo?simple", "photo.jpg?simple"},
      {"sky.png", "sky.png"},
      {"missing", nullptr},
      {"missing.png", nullptr},
      {"both.png.png", nullptr},
  };
  for (const Case& c : cases) {
    std::shared_ptr<TTexture> texture = Loaded(c.name);
    if (!c.imageName) {
      EXPECT_FALSE(texture) << c.name;
      continue;
    }
    ASSERT_TRUE(texture) << c.name;
    EXPECT_STREQ(texture->GetData()->mImageName.CStr(), c.imageName) << c.name;
  }
  EXPECT_TRUE(Logged("TDxTextureData::Load: no file missing.png"));
  EXPECT_TRUE(Logged("TDxTextureData::Load: no file missing.jpg"));
  std::shared_ptr<TTexture> alpha = Loaded("both?alpha");
  EXPECT_TRUE(alpha->GetData()->mFlags & TTextureData::kAlpha);
  EXPECT_FALSE(alpha->GetData()->mFlags & TTextureData::kAutomaticAlpha);
}

TEST_F(TextureLoadTest, OnlyPngAndJpegFilesAreDecoded) {
  Store("notes.txt", "not an image");
  Store("broken.png", "\x89PNG\r\n\x1a\n truncated");
  EXPECT_FALSE(Loaded("notes.txt"));
  EXPECT_TRUE(Logged("notes.txt is no PNG or JPEG file"));
  EXPECT_FALSE(Loaded("broken.png"));
}

TEST_F(TextureLoadTest, ThePaletteOptionNamesAFileAndAsksForNoOtherOption) {
  Store("pal/desert.pal", RiffPaletteBytes({{1, 2, 3}}));
  Store("desert.png", PngOf(2, 2, Colour(kStoredRed)));
  std::shared_ptr<TTexture> texture = Loaded("desert?palette=pal/desert.pal");
  ASSERT_TRUE(texture);
  EXPECT_FALSE(texture->GetData()->mFlags & TTextureData::kRenderTarget) << "\"rt\" of \"desert\" asks for nothing";
  EXPECT_FALSE(SurfaceOf(texture).Caps() & sys::gfx::kCaps3dDevice);
}

TEST_F(TextureLoadTest, APalettizedImageKeepsItsIndicesColouredByTheNamedPaletteFile) {
  Store("a.png", PalettePngOf(3, 1, {0, 1, 2}, {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}}));
  Store("pal/night.pal", RiffPaletteBytes({{200, 0, 0}, {0, 200, 0}}));
  std::shared_ptr<TTexture> texture = Loaded("a.png?palettized,palette=pal/night.pal,x");
  ASSERT_TRUE(texture);
  sys::gfx::Surface& surface = SurfaceOf(texture);
  EXPECT_EQ(LayoutOf(texture), PixelLayout::Palette8);
  EXPECT_FALSE(surface.InVideoMemory());
  sys::gfx::LockedPixels locked;
  ASSERT_EQ(surface.Lock(nullptr, locked), sys::gfx::Result::Ok);
  EXPECT_EQ(locked.bits[0], 0);
  EXPECT_EQ(locked.bits[1], 1);
  EXPECT_EQ(locked.bits[2], 2);
  surface.Unlock();
  const TDxTextureData::PaletteTable* palette = DataOf(texture).GetCurrentPalette();
  ASSERT_NE(palette, nullptr);
  EXPECT_EQ((*palette)[0], 0xFFC80000u) << "the file's colours replace the image's";
  EXPECT_EQ((*palette)[1], 0xFF00C800u);
  EXPECT_EQ((*palette)[2], 0xFF46505Au) << "past the file's colours the image's stay";
  EXPECT_EQ((*palette)[3], 0xFF000000u);
}

TEST_F(TextureLoadTest, IndicesAreCopiedRowByRowIntoTheSurfacesPitch) {
  std::vector<uint8_t> indices;
  for (int32_t y = 0; y < 3; ++y) {
    for (int32_t x = 0; x < 3; ++x) indices.push_back(static_cast<uint8_t>(y * 3 + x));
  }
  std::vector<png_color> palette(9, png_color{1, 2, 3});
  Store("grid.png", PalettePngOf(3, 3, indices, palette));
  std::shared_ptr<TTexture> texture = Loaded("grid.png?palettized");
  ASSERT_TRUE(texture);
  sys::gfx::Surface& surface = SurfaceOf(texture);
  ASSERT_EQ(surface.Width(), 4);
  sys::gfx::LockedPixels locked;
  ASSERT_EQ(surface.Lock(nullptr, locked), sys::gfx::Result::Ok);
  for (int32_t y = 0; y < 3; ++y) {
    for (int32_t x = 0; x < 3; ++x) EXPECT_EQ(locked.bits[y * locked.pitch + x], y * 3 + x) << x << ", " << y;
  }
  surface.Unlock();
}

TEST_F(TextureLoadTest, PalettizedNeedsAPaletteImage) {
  Store("photo.jpg", JpegOf(4, 4, Colour(kBlue)));
  Store("true.png", PngOf(4, 4, Colour(kBlue)));
  EXPECT_FALSE(Loaded("photo.jpg?palettized"));
  EXPECT_TRUE(Logged("photo.jpg has no palette for its indices"));
  EXPECT_FALSE(Loaded("true.png?palettized")) << "the decoder gives no indices of a true-colour image";
}

TEST_F(TextureLoadTest, TheSurfaceHoldsTheImageInPowersOfTwoWithItsMargins) {
  Store("wide.png", PngOf(100, 30, Colour(kGreen), false));
  std::shared_ptr<TTexture> texture = Loaded("wide.png");
  ASSERT_TRUE(texture);
  EXPECT_EQ(texture->GetSurfaceSize(), (std::pair<int32_t, int32_t>{128, 32}));
  EXPECT_EQ(texture->GetWidth(), 100);
  EXPECT_EQ(texture->GetHeight(), 30);
  EXPECT_EQ(DataOf(texture).GetMarginX(), 14);
  EXPECT_EQ(DataOf(texture).GetMarginY(), 1);
  EXPECT_EQ(ColourAt(SurfaceOf(texture), 99, 29), kGreen);
  EXPECT_EQ(ColourAt(SurfaceOf(texture), 100, 29), 0xFF000000u) << "beyond the image the surface is clear";

  config.devices.resize(1);
  config.devices[0].device3d.squareTexturesOnly = true;
  MakeAdapter();
  Open();
  texture = Loaded("wide.png");
  ASSERT_TRUE(texture);
  EXPECT_EQ(texture->GetSurfaceSize(), (std::pair<int32_t, int32_t>{128, 128}));
  EXPECT_EQ(DataOf(texture).GetMarginY(), 49);
  texture = Loaded("wide.png?simple");
  ASSERT_TRUE(texture);
  EXPECT_EQ(texture->GetSurfaceSize(), (std::pair<int32_t, int32_t>{128, 32})) << "simple surfaces are never squared";
}

TEST_F(TextureLoadTest, AutomaticAlphaFollowsWhatThePngHas) {
  Store("opaque.png", PngOf(4, 4, Colour(kStoredRed), false));
  Store("glass.png", PngOf(4, 4, [](int32_t x, int32_t) { return x == 0 ? 0x80FF0000u : kStoredRed; }));
  Store("photo.jpg", JpegOf(4, 4, Colour(kStoredRed)));
  std::shared_ptr<TTexture> opaque = Loaded("opaque.png", TTextureData::kAutomaticAlpha | TTextureData::kAlpha);
  EXPECT_FALSE(opaque->GetData()->mFlags & TTextureData::kAlpha);
  EXPECT_EQ(LayoutOf(opaque), PixelLayout::X8R8G8B8);
  std::shared_ptr<TTexture> glass = Loaded("glass.png");
  EXPECT_TRUE(glass->GetData()->mFlags & TTextureData::kAlpha);
  EXPECT_EQ(LayoutOf(glass), PixelLayout::A8R8G8B8);
  EXPECT_EQ(ColourAt(SurfaceOf(glass), 0, 0), 0x80FF0000u);
  std::shared_ptr<TTexture> photo = Loaded("photo.jpg", TTextureData::kAutomaticAlpha | TTextureData::kAlpha);
  EXPECT_TRUE(photo->GetData()->mFlags & TTextureData::kAlpha) << "a JPEG decides nothing";
}

TEST_F(TextureLoadTest, AMaskOfTheSameSideGivesItsRedAsAlpha) {
  Store("leaf.png", PngOf(4, 4, Colour(kGreen)));
  Store("leafmask.png", PngOf(4, 4, [](int32_t x, int32_t) { return x < 2 ? 0xFFFFFFFFu : 0xFF000000u; }));
  Store("small.png", PngOf(2, 2, Colour(0xFF000000)));
  std::shared_ptr<TTexture> leaf = Loaded("leaf.png", TTextureData::kAlpha, "leafmask.png");
  ASSERT_TRUE(leaf);
  EXPECT_STREQ(leaf->GetData()->mMaskName.CStr(), "leafmask.png");
  EXPECT_EQ(ColourAt(SurfaceOf(leaf), 0, 0) >> 24, 0xFFu);
  EXPECT_EQ(ColourAt(SurfaceOf(leaf), 3, 3) >> 24, 0x00u);
  EXPECT_EQ(ColourAt(SurfaceOf(leaf), 3, 3) & 0xFFFFFF, 0x00FF00u);

  std::shared_ptr<TTexture> unmasked = Loaded("leaf.png", TTextureData::kAlpha, "small.png");
  ASSERT_TRUE(unmasked) << "a mask of another side is ignored";
  EXPECT_EQ(ColourAt(SurfaceOf(unmasked), 3, 3), kGreen);
}

TEST_F(TextureLoadTest, AMaskNameWithoutExtensionIsLookedForAsJpegThenPng) {
  Store("leaf.png", PngOf(4, 4, Colour(kGreen)));
  Store("shade.jpg", JpegOf(4, 4, Colour(0xFF000000)));
  Store("shade.png", PngOf(4, 4, Colour(0xFFFFFFFF)));
  Store("tint.png", PngOf(4, 4, Colour(0xFF000000)));
  std::shared_ptr<TTexture> shaded = Loaded("leaf.png", TTextureData::kAlpha, "shade");
  ASSERT_TRUE(shaded);
  EXPECT_STREQ(shaded->GetData()->mMaskName.CStr(), "shade.jpg");
  EXPECT_EQ(ColourAt(SurfaceOf(shaded), 1, 1) >> 24, 0u);
  std::shared_ptr<TTexture> tinted = Loaded("leaf.png", TTextureData::kAlpha, "tint");
  ASSERT_TRUE(tinted);
  EXPECT_STREQ(tinted->GetData()->mMaskName.CStr(), "tint.png");
  EXPECT_FALSE(Logged("tint.jpg")) << "the search reports no missing JPEG file";
  EXPECT_FALSE(Loaded("leaf.png", TTextureData::kAlpha, "gone"));
  EXPECT_FALSE(Loaded("leaf.png", TTextureData::kAlpha, "gone.png"));
  EXPECT_TRUE(Logged("no mask file gone.png"));
}

TEST_F(TextureLoadTest, AMaskCannotReachPaletteIndices) {
  Store("a.png", PalettePngOf(2, 2, {0, 1, 1, 0}, {{10, 20, 30}, {40, 50, 60}}));
  Store("m.png", PngOf(2, 2, Colour(0xFFFFFFFF)));
  std::shared_ptr<TTexture> texture = Loaded("a.png?palettized", TTextureData::kAlpha, "m.png");
  ASSERT_TRUE(texture);
  EXPECT_TRUE(Logged("the mask m.png is ignored for palette indices"));
}

// Each channel reduced to its mask, alpha only for textures with alpha.
TEST_F(TextureLoadTest, SixteenBitSurfacesTakeTheHighBitsOfEachChannel) {
  Open(800, 600, true, 16);
  Store("pixels.png", PngOf(2, 1, [](int32_t x, int32_t) { return x == 0 ? 0x80FF8040u : 0xFF0F0F0Fu; }));
  std::shared_ptr<TTexture> opaque = Loaded("pixels.png", 0);
  ASSERT_TRUE(opaque);
  EXPECT_EQ(LayoutOf(opaque), PixelLayout::R5G6B5);
  EXPECT_EQ(PixelAt(SurfaceOf(opaque), 0), (0x1Fu << 11) | (0x20u << 5) | 0x08u);
  std::shared_ptr<TTexture> alpha = Loaded("pixels.png", TTextureData::kAlpha);
  ASSERT_TRUE(alpha);
  EXPECT_EQ(LayoutOf(alpha), PixelLayout::A4R4G4B4);
  EXPECT_EQ(PixelAt(SurfaceOf(alpha), 0), 0x8F84u);
  EXPECT_EQ(PixelAt(SurfaceOf(alpha), 1), 0xF000u);
}

}  // namespace
