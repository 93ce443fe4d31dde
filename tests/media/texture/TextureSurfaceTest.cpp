// Texture data surfaces: how each kind is made, locks in one 32-bit layout,
// clearing, release and restore.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/media/texture/TextureRig.h"

namespace {

using sys::gfx::AdapterOperation;
using sys::gfx::PixelLayout;
using sys::gfx::Result;

class TextureSurfaceTest : public TextureRig {
 protected:
  // Texture data with the flags, made blank at the size.
  std::shared_ptr<TTexture> Blank(int32_t width, int32_t height, uint8_t flags) {
    auto texture = std::make_shared<TTexture>();
    texture->GetData()->mFlags = flags;
    if (!texture->GetData()->CreateSurface(width, height)) return nullptr;
    return texture;
  }
  static PixelLayout LayoutOf(const std::shared_ptr<TTexture>& texture) {
    return sys::gfx::LayoutOf(SurfaceOf(texture).Format());
  }
  static uint32_t Caps(const std::shared_ptr<TTexture>& texture) { return SurfaceOf(texture).Caps(); }
};

TEST_F(TextureSurfaceTest, EachKindOfSurfaceIsMadeWithItsCapsMemoryAndFormat) {
  struct Case {
    const char* what;
    uint8_t flags;
    uint32_t caps;  // all of these
    PixelLayout layout;
    bool madeByUtility;
  };
  const uint8_t rt = TTextureData::kRenderTarget, simple = TTextureData::kSimple, alpha = TTextureData::kAlpha;
  const Case cases[] = {
      {"plain texture", 0, sys::gfx::kCapsTexture | sys::gfx::kCapsVideoMemory, PixelLayout::X8R8G8B8, true},
      {"texture with alpha", alpha, sys::gfx::kCapsTexture, PixelLayout::A8R8G8B8, true},
      {"render texture", rt | simple, sys::gfx::kCapsOffscreenPlain | sys::gfx::kCaps3dDevice | sys::gfx::kCapsVideoMemory,
       PixelLayout::X8R8G8B8, false},
      {"render texture with alpha", rt | alpha, sys::gfx::kCapsTexture | sys::gfx::kCaps3dDevice,
       PixelLayout::A8R8G8B8, false},
      {"simple", simple, sys::gfx::kCapsOffscreenPlain | sys::gfx::kCapsVideoMemory, PixelLayout::X8R8G8B8, false},
      {"simple and slow", simple | TTextureData::kSlow, sys::gfx::kCapsOffscreenPlain | sys::gfx::kCapsSystemMemory,
       PixelLayout::X8R8G8B8, false},
      {"palettized", TTextureData::kPalettized, sys::gfx::kCapsOffscreenPlain | sys::gfx::kCapsSystemMemory,
       PixelLayout::Palette8, false},
  };
  for (const Case& c : cases) {
    std::shared_ptr<TTexture> texture = Blank(100, 30, c.flags);
    ASSERT_TRUE(texture) << c.what;
    EXPECT_EQ(Caps(texture) & c.caps, c.caps) << c.what;
    EXPECT_EQ(LayoutOf(texture), c.layout) << c.what;
    EXPECT_EQ(DataOf(texture).IsMadeByUtility(), c.madeByUtility) << c.what;
    EXPECT_EQ(texture->GetWidth(), 100) << c.what;
    EXPECT_EQ(texture->GetHeight(), 30) << c.what;
    const std::pair<int32_t, int32_t> expected = c.madeByUtility ? std::pair{128, 32} : std::pair{100, 30};
    EXPECT_EQ(texture->GetSurfaceSize(), expected) << c.what;
  }
}

TEST_F(TextureSurfaceTest, ASquareDeviceSquaresAllButSimpleSurfaces) {
  config.devices.resize(1);
  config.devices[0].device3d.squareTexturesOnly = true;
  MakeAdapter();
  Open();
  std::shared_ptr<TTexture> texture = Blank(100, 30, TTextureData::kRenderTarget);
  EXPECT_EQ(texture->GetSurfaceSize(), (std::pair<int32_t, int32_t>{128, 128}));
  EXPECT_EQ(DataOf(texture).GetMarginX(), 14);
  EXPECT_EQ(DataOf(texture).GetMarginY(), 49);
  EXPECT_EQ(Blank(100, 30, TTextureData::kSimple)->GetSurfaceSize(), (std::pair<int32_t, int32_t>{100, 30}));
}

TEST_F(TextureSurfaceTest, ARenderTextureGetsADepthBufferLikeTheScreensAndKeepsTheViewport) {
  display->SetViewport(10, 20, 30, 40);
  std::shared_ptr<TTexture> texture = Blank(64, 32, TTextureData::kRenderTarget | TTextureData::kAlpha);
  ASSERT_TRUE(texture);
  std::shared_ptr<sys::gfx::Surface> depth;
  ASSERT_EQ(SurfaceOf(texture).GetAttachedSurface(sys::gfx::kCapsDepthBuffer, depth), Result::Ok);
  EXPECT_EQ(depth->Width(), 64);
  EXPECT_EQ(depth->Format(), sys::gfx::MakePixelFormat(PixelLayout::Depth16));
  EXPECT_EQ(Device().GetRenderTarget(), Data().mBackBuffer) << "tried as the target, then back to the screen";
  EXPECT_EQ(Data().mViewport, TRect(10, 20, 30, 40));
}

TEST_F(TextureSurfaceTest, ARenderTextureWithoutAPlaceForAlphaIsMadeWithoutRt) {
  for (int n = 0; n < 3; ++n) adapter->Force(AdapterOperation::CreateSurface, Result::Failed);
  std::shared_ptr<TTexture> texture = Blank(16, 16, TTextureData::kRenderTarget | TTextureData::kAlpha);
  ASSERT_TRUE(texture);
  EXPECT_FALSE(texture->GetData()->mFlags & TTextureData::kRenderTarget);
  EXPECT_TRUE(DataOf(texture).IsMadeByUtility());
  EXPECT_EQ(LayoutOf(texture), PixelLayout::A8R8G8B8);
}

TEST_F(TextureSurfaceTest, AnAlphaSurfaceThatCannotBeHadFallsBackToTheDisplaysFormat) {
  for (int n = 0; n < 3; ++n) adapter->Force(AdapterOperation::CreateSurface, Result::Failed);
  std::shared_ptr<TTexture> texture = Blank(16, 16, TTextureData::kSimple | TTextureData::kAlpha);
  ASSERT_TRUE(texture);
  EXPECT_EQ(LayoutOf(texture), PixelLayout::X8R8G8B8);
  EXPECT_TRUE(Logged("SURFACE request FAILED to get DDPF_ALPHAPIXELS."));
}

TEST_F(TextureSurfaceTest, APlainSurfaceRefusedInOneMemoryIsTriedInTheOther) {
  adapter->Force(AdapterOperation::CreateSurface, Result::OutOfVideoMemory);
  std::shared_ptr<TTexture> texture = Blank(16, 16, TTextureData::kSimple);
  ASSERT_TRUE(texture);
  EXPECT_FALSE(SurfaceOf(texture).InVideoMemory());
  EXPECT_EQ(OutOfVideoMemoryReports(), 1);
}

TEST_F(TextureSurfaceTest, ThePalettizedSurfaceThatCannotBeMadeIsLogged) {
  adapter->Force(AdapterOperation::CreateSurface, Result::Failed);
  EXPECT_FALSE(Blank(16, 16, TTextureData::kPalettized));
  EXPECT_TRUE(Logged("SURFACE request FAILED for palettized texture format."));
}

TEST_F(TextureSurfaceTest, TheBestAlphaFormatIsKeptForEachDepth) {
  config.devices.resize(1);
  config.devices[0].device3d.textureFormats = {
      sys::gfx::MakePixelFormat(PixelLayout::A1R5G5B5), sys::gfx::MakePixelFormat(PixelLayout::A4R4G4B4),
      sys::gfx::MakePixelFormat(PixelLayout::A8R8G8B8), sys::gfx::MakePixelFormat(PixelLayout::R5G6B5)};
  MakeAdapter();
  Open();
  EXPECT_EQ(LayoutOf(Blank(8, 8, TTextureData::kSimple | TTextureData::kAlpha)), PixelLayout::A8R8G8B8);
  TDXContext& context = *Data().mContext;
  Data().mLowMemoryVideo = true;
  ASSERT_TRUE(OpenDisplay(*display, 800, 600, true));
  ASSERT_EQ(Data().mBackBuffer->Format().bitCount, 16u);
  EXPECT_EQ(&context, Data().mContext.get()) << "the same context, now at 16 bits";
  EXPECT_EQ(LayoutOf(Blank(8, 8, TTextureData::kSimple | TTextureData::kAlpha)), PixelLayout::A4R4G4B4)
      << "more alpha bits than the first 16-bit format offered";
}

TEST_F(TextureSurfaceTest, ATextureThatWouldFillVideoMemoryInThirtyTwoBitsTagsARestart) {
  config.videoMemory = 6u << 20;  // the screen takes about 3 MB
  MakeAdapter();
  Open();
  std::shared_ptr<TTexture> texture = Blank(1024, 1024, TTextureData::kSimple);
  ASSERT_TRUE(texture);
  EXPECT_FALSE(SurfaceOf(texture).InVideoMemory()) << "made in system memory instead";
  EXPECT_TRUE(Logged("TDxTextureData::CreateSurface: Out of Memory in 32 bit mode. Tagging to restart."));
  EXPECT_GE(OutOfVideoMemoryReports(), 1);
}

TEST_F(TextureSurfaceTest, MipmappedTexturesLoadEveryLevel) {
  Store("stripes.png", PngOf(4, 4, [](int32_t x, int32_t) { return x % 2 ? 0xFF000000u : 0xFFFFFFFFu; }, false));
  auto texture = std::make_shared<TTexture>();
  texture->GetData()->mFlags = TTextureData::kMipmap;
  ASSERT_TRUE(texture->GetData()->Load("stripes.png", nullptr));
  EXPECT_EQ(DataOf(texture).GetMipmapLevel(), -1);
  std::shared_ptr<sys::gfx::Surface> level;
  ASSERT_EQ(SurfaceOf(texture).GetAttachedSurface(sys::gfx::kCapsMipmap, level), Result::Ok);
  EXPECT_EQ(level->Width(), 2);
  EXPECT_EQ(ColourAt(*level, 0, 0), 0xFF808080u) << "white and black filtered down";
}

// Round trips of Lock and Unlock keep what the format can hold; the buffer
// handed out is zero beyond the image.
TEST_F(TextureSurfaceTest, LockAndUnlockRoundTripEverySurfaceDepth) {
  struct Case {
    const char* what;
    bool sixteenBits;
    uint8_t flags;
    PixelLayout layout;
    uint32_t written;  // exact in the layout
  };
  const Case cases[] = {
      {"A8R8G8B8 in place", false, TTextureData::kAlpha, PixelLayout::A8R8G8B8, 0x80402010u},
      {"X8R8G8B8", false, 0, PixelLayout::X8R8G8B8, 0xFF402010u},
      {"R5G6B5", true, 0, PixelLayout::R5G6B5, 0xFFF88408u},
      {"A4R4G4B4", true, TTextureData::kAlpha, PixelLayout::A4R4G4B4, 0x80F040A0u},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Open(800, 600, c.sixteenBits, c.sixteenBits ? 16 : 32);
    std::shared_ptr<TTexture> texture = Blank(3, 2, c.flags);
    ASSERT_TRUE(texture);
    ASSERT_EQ(LayoutOf(texture), c.layout);
    void* bits = nullptr;
    int32_t width = 0, height = 0, pitch = 0;
    ASSERT_TRUE(texture->Lock(&bits, &width, &height, &pitch));
    EXPECT_EQ(width, 4);
    EXPECT_EQ(height, 2);
    EXPECT_GE(pitch, width * 4);
    auto* row = static_cast<uint32_t*>(bits);
    row[0] = c.written;
    row[3] = c.written;  // beyond the image: not written back
    texture->Unlock();
    std::vector<uint32_t> pixels = LockedPixels(texture);
    ASSERT_EQ(pixels.size(), 8u);
    EXPECT_EQ(pixels[0], c.written);
    EXPECT_EQ(pixels[1], c.flags & TTextureData::kAlpha ? 0u : 0xFF000000u);
    EXPECT_EQ(pixels[3], c.layout == PixelLayout::A8R8G8B8 ? c.written : 0u) << "outside the image";
  }
}

TEST_F(TextureSurfaceTest, NullOutPointersOfLockAreSkippedAndPaletteSurfacesCannotBeLocked) {
  std::shared_ptr<TTexture> texture = Blank(4, 4, 0);
  EXPECT_TRUE(texture->Lock(nullptr, nullptr, nullptr, nullptr));
  texture->Unlock();
  EXPECT_FALSE(Blank(4, 4, TTextureData::kPalettized)->Lock(nullptr, nullptr, nullptr, nullptr));
}

TEST_F(TextureSurfaceTest, ClearFillsWithZeroAndRestoresALostSurfaceFirst) {
  std::shared_ptr<TTexture> texture = Blank(4, 4, TTextureData::kSimple | TTextureData::kAlpha);
  SurfaceOf(texture).Fill(nullptr, 0xFFFFFFFF);
  texture->GetData()->Clear();
  EXPECT_EQ(CountNot(SurfaceOf(texture), 0u), 0);
  SurfaceOf(texture).Fill(nullptr, 0xFFFFFFFF);
  adapter->LoseVideoSurfaces();
  texture->GetData()->Clear();
  EXPECT_EQ(SurfaceOf(texture).IsLost(), Result::Ok);
  EXPECT_EQ(CountNot(SurfaceOf(texture), 0u), 0);
}

TEST_F(TextureSurfaceTest, ALostTextureRestoresItsPixelsFromItsFile) {
  Store("photo.png", PngOf(4, 4, [](int32_t x, int32_t y) { return 0xFF000000u | x << 20 | y << 4; }, false));
  std::shared_ptr<TTexture> texture = TTexture::Get("photo", 0);
  ASSERT_TRUE(texture);
  const std::vector<uint32_t> before = Pixels(SurfaceOf(texture));
  adapter->LoseVideoSurfaces();
  texture->Release();
  EXPECT_FALSE(texture->GetData()->GetSurface());
  EXPECT_EQ(texture->GetWidth(), 4) << "the sizes stay";
  texture->Restore();
  ASSERT_TRUE(texture->GetData()->GetSurface());
  EXPECT_EQ(Pixels(SurfaceOf(texture)), before);
  EXPECT_FALSE(Data().mBroken);
}

TEST_F(TextureSurfaceTest, ARestoreThatFailsBreaksTheDisplayForTheNextPass) {
  Store("photo.png", PngOf(4, 4, [](int32_t, int32_t) { return 0xFF102030u; }, false));
  std::shared_ptr<TTexture> texture = TTexture::Get("photo", 0);
  ASSERT_TRUE(texture);
  texture->Release();
  std::filesystem::remove(files.AssetPath("photo.png"));
  BuildFileIndex();
  texture->Restore();
  EXPECT_TRUE(Logged("TDxTextureData::Restore: Failed to restore from file photo.png."));
  EXPECT_TRUE(Data().mBroken);

  std::shared_ptr<TTexture> blank = TTexture::CreateBlank(8, 8, false);
  blank->Release();
  Data().mBroken = false;
  adapter->Force(AdapterOperation::CreateSurface, Result::Failed);
  blank->Restore();
  EXPECT_TRUE(Logged("TDxTextureData::Restore: Failed to make a surface of 8 x 8."));
  EXPECT_TRUE(Data().mBroken);
}

}  // namespace
