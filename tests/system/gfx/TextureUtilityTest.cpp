// The texture utility: sizes and formats the device takes, mipmap chains,
// and 32-bit pixels loaded into one level or filtered down into all.
#include "system/gfx/TextureUtility.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/system/gfx/GfxRig.h"

namespace {

using namespace sys::gfx;

using TextureUtilityTest = GfxRig;

struct SizeCase {
  const char* what;
  int32_t width, height;
  bool square;
  int32_t largest, aspect;
  int32_t madeWidth, madeHeight;
};

TEST_F(TextureUtilityTest, SidesGrowToWhatTheDeviceTakes) {
  const SizeCase cases[] = {
      {"powers of two", 100, 30, false, 2048, 2048, 128, 32},
      {"square only", 100, 30, true, 2048, 2048, 128, 128},
      {"sizes already fit", 64, 1, false, 2048, 2048, 64, 1},
      {"no side beyond the largest", 4096, 3000, false, 1024, 2048, 1024, 1024},
      {"the shorter side grows to the aspect ratio", 128, 8, false, 2048, 4, 128, 32},
  };
  for (const SizeCase& c : cases) {
    Device3dCaps caps;
    caps.squareTexturesOnly = c.square;
    caps.maxTextureWidth = caps.maxTextureHeight = c.largest;
    caps.maxTextureAspectRatio = c.aspect;
    TextureRequest request{c.width, c.height, 1, MakePixelFormat(PixelLayout::X8R8G8B8)};
    std::shared_ptr<Surface> texture;
    ASSERT_EQ(CreateTexture(*device, caps, request, texture), Result::Ok) << c.what;
    EXPECT_EQ(request.width, c.madeWidth) << c.what;
    EXPECT_EQ(request.height, c.madeHeight) << c.what;
    EXPECT_EQ(texture->Width(), c.madeWidth) << c.what;
    EXPECT_EQ(texture->Height(), c.madeHeight) << c.what;
    EXPECT_TRUE(texture->Caps() & kCapsTexture) << c.what;
  }
}

TEST_F(TextureUtilityTest, AFormatTheDeviceLacksBecomesTheClosestItOffers) {
  Device3dCaps caps;
  caps.textureFormats = {MakePixelFormat(PixelLayout::X8R8G8B8), MakePixelFormat(PixelLayout::R5G6B5),
                         MakePixelFormat(PixelLayout::A1R5G5B5), MakePixelFormat(PixelLayout::A8R8G8B8)};
  const PixelLayout asked[] = {PixelLayout::R5G6B5, PixelLayout::A4R4G4B4, PixelLayout::X1R5G5B5};
  const PixelLayout made[] = {PixelLayout::R5G6B5, PixelLayout::A1R5G5B5, PixelLayout::R5G6B5};
  for (size_t n = 0; n < std::size(asked); ++n) {
    TextureRequest request{8, 8, 1, MakePixelFormat(asked[n])};
    std::shared_ptr<Surface> texture;
    ASSERT_EQ(CreateTexture(*device, caps, request, texture), Result::Ok);
    EXPECT_EQ(LayoutOf(request.format), made[n]) << n;
    EXPECT_EQ(texture->Format(), request.format) << n;
  }
}

TEST_F(TextureUtilityTest, MipmapsAskedForMakeTheWholeChainAndSoftwareDevicesUseSystemMemory) {
  Device3dCaps caps;
  TextureRequest request{64, 16, 0, MakePixelFormat(PixelLayout::A8R8G8B8)};
  std::shared_ptr<Surface> texture;
  ASSERT_EQ(CreateTexture(*device, caps, request, texture), Result::Ok);
  EXPECT_EQ(request.levels, 7);
  EXPECT_EQ(texture->Describe().mipMapCount, 7);
  EXPECT_TRUE(texture->InVideoMemory());
  caps.hardwareRasterization = false;
  request = TextureRequest{64, 16, 1, MakePixelFormat(PixelLayout::A8R8G8B8)};
  ASSERT_EQ(CreateTexture(*device, caps, request, texture), Result::Ok);
  EXPECT_FALSE(texture->InVideoMemory());
  EXPECT_EQ(texture->Describe().mipMapCount, 0);
  request.width = 0;
  EXPECT_EQ(CreateTexture(*device, caps, request, texture), Result::InvalidArgument);
}

class TextureLoadTest : public GfxRig {
 protected:
  std::shared_ptr<Surface> MakeTexture(int32_t side, PixelLayout layout, int32_t levels) {
    TextureRequest request{side, side, levels, MakePixelFormat(layout)};
    std::shared_ptr<Surface> texture;
    EXPECT_EQ(CreateTexture(*device, Device3dCaps{}, request, texture), Result::Ok);
    return texture;
  }
  // Held by the level above it.
  static Surface* Level(Surface& texture, int32_t level) {
    Surface* at = &texture;
    for (int32_t n = 0; n < level; ++n) {
      std::shared_ptr<Surface> next;
      EXPECT_EQ(at->GetAttachedSurface(kCapsMipmap, next), Result::Ok);
      at = next.get();
    }
    return at;
  }
  static uint32_t ArgbAt(Surface& surface, int32_t x, int32_t y) {
    return ArgbFromPixel(surface.Format(), PixelAt(surface, x, y));
  }
  // Pixels as the library takes them: bytes blue, green, red, alpha.
  static std::vector<uint8_t> Bytes(const std::vector<uint32_t>& argb) {
    std::vector<uint8_t> bytes;
    for (uint32_t pixel : argb) {
      for (int c = 0; c < 4; ++c) bytes.push_back(static_cast<uint8_t>(pixel >> (8 * c)));
    }
    return bytes;
  }
};

TEST_F(TextureLoadTest, PixelsGoIntoTheAreaConvertedToTheTexturesFormat) {
  auto texture = MakeTexture(4, PixelLayout::R5G6B5, 1);
  ASSERT_EQ(texture->Fill(nullptr, 0), Result::Ok);
  // Two rows of two, given with a pitch of three pixels.
  std::vector<uint8_t> bytes = Bytes({0xFFFF0000, 0xFF00FF00, 0xDEADBEEF, 0xFF0000FF, 0xFFFFFFFF, 0xDEADBEEF});
  ASSERT_EQ(LoadTextureFromMemory(*texture, 0, bytes.data(), 12, Rect{1, 2, 3, 4}), Result::Ok);
  EXPECT_EQ(ArgbAt(*texture, 1, 2), 0xFFFF0000u);
  EXPECT_EQ(ArgbAt(*texture, 2, 2), 0xFF00FF00u);
  EXPECT_EQ(ArgbAt(*texture, 1, 3), 0xFF0000FFu);
  EXPECT_EQ(ArgbAt(*texture, 2, 3), 0xFFFFFFFFu);
  EXPECT_EQ(ArgbAt(*texture, 0, 0), 0xFF000000u) << "outside the area nothing changes";
  EXPECT_EQ(ArgbAt(*texture, 3, 3), 0xFF000000u);
}

TEST_F(TextureLoadTest, AllLevelsAreFilteredDownFromTheLevelAbove) {
  auto texture = MakeTexture(4, PixelLayout::A8R8G8B8, 0);
  // Left half white, right half black, top rows opaque, bottom rows clear.
  std::vector<uint32_t> argb;
  for (int32_t y = 0; y < 4; ++y) {
    for (int32_t x = 0; x < 4; ++x) argb.push_back((y < 2 ? 0xFF000000u : 0) | (x < 2 ? 0xFFFFFFu : 0));
  }
  std::vector<uint8_t> bytes = Bytes(argb);
  ASSERT_EQ(LoadTextureFromMemory(*texture, kAllLevels, bytes.data(), 0, Rect{0, 0, 4, 4}), Result::Ok);
  EXPECT_EQ(ArgbAt(*Level(*texture, 1), 0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(ArgbAt(*Level(*texture, 1), 1, 1), 0x00000000u);
  EXPECT_EQ(ArgbAt(*Level(*texture, 2), 0, 0), 0x80808080u) << "the average of all sixteen, rounded";
}

TEST_F(TextureLoadTest, OneLevelTakesOnlyItsOwnPixels) {
  auto texture = MakeTexture(4, PixelLayout::X8R8G8B8, 0);
  ASSERT_EQ(Level(*texture, 0)->Fill(nullptr, 0), Result::Ok);
  std::vector<uint8_t> bytes = Bytes({0xFF123456, 0xFF123456, 0xFF123456, 0xFF123456});
  ASSERT_EQ(LoadTextureFromMemory(*texture, 1, bytes.data(), 0, Rect{0, 0, 2, 2}), Result::Ok);
  EXPECT_EQ(ArgbAt(*Level(*texture, 1), 1, 1), 0xFF123456u);
  EXPECT_EQ(ArgbAt(*texture, 0, 0), 0xFF000000u);
}

TEST_F(TextureLoadTest, RefusesAreasOutsideTheLevelAndTexturesWithoutColours) {
  auto texture = MakeTexture(4, PixelLayout::X8R8G8B8, 1);
  std::vector<uint8_t> bytes(64 * 4);
  EXPECT_EQ(LoadTextureFromMemory(*texture, 0, bytes.data(), 0, Rect{0, 0, 5, 4}), Result::InvalidArgument);
  EXPECT_EQ(LoadTextureFromMemory(*texture, 1, bytes.data(), 0, Rect{0, 0, 1, 1}), Result::InvalidArgument);
  EXPECT_EQ(LoadTextureFromMemory(*texture, 0, bytes.data(), 8, Rect{0, 0, 4, 4}), Result::InvalidArgument);
  EXPECT_EQ(LoadTextureFromMemory(*texture, 0, nullptr, 0, Rect{0, 0, 4, 4}), Result::InvalidArgument);
  auto palette = Make(4, 4, PixelLayout::Palette8);
  EXPECT_EQ(LoadTextureFromMemory(*palette, 0, bytes.data(), 0, Rect{0, 0, 4, 4}), Result::InvalidPixelFormat);
}

}  // namespace
