// Textures: the factories' cache keys and flags, blank textures' own keys,
// draws only in 2D drawing state, and copies cut to the image.
#include <gtest/gtest.h>

#include "media/texture/TTexture.h"
#include "platform/asset/TAssetManager.h"
#include "tests/media/texture/TextureRig.h"

namespace {

class TextureTest : public TextureRig {
 protected:
  void SetUp() override {
    TextureRig::SetUp();
    Store("ui/panel.png", PngOf(8, 4, [](int32_t, int32_t) { return 0xFF204060u; }, false));
    Store("ui/mask.png", PngOf(8, 8, [](int32_t, int32_t) { return 0xFFFFFFFFu; }, false));
  }
  std::shared_ptr<TAsset> Cached(const char* key) { return platform.assetManager->Find(key); }
};

TEST_F(TextureTest, NamedTexturesAreCachedByNameAndOptions) {
  std::shared_ptr<TTexture> panel = TTexture::Get("ui\\panel", 3);
  ASSERT_TRUE(panel);
  EXPECT_EQ(Cached("ui/panel:a:m:tex"), panel);
  EXPECT_EQ(TTexture::Get("ui/panel", 3), panel) << "either separator, one key";
  const uint8_t flags = panel->GetData()->mFlags;
  EXPECT_TRUE(flags & TTextureData::kAlpha);
  EXPECT_TRUE(flags & TTextureData::kMipmap);

  std::shared_ptr<TTexture> automatic = TTexture::Get("ui/panel", 0);
  EXPECT_NE(automatic, panel);
  EXPECT_EQ(Cached("ui/panel:tex"), automatic);
  EXPECT_TRUE(automatic->GetData()->mFlags & TTextureData::kAutomaticAlpha);
  EXPECT_EQ(TTexture::Get("ui/panel", 4), automatic) << "bit 2 is not in the key: the first texture, unchanged";
  EXPECT_TRUE(automatic->GetData()->mFlags & TTextureData::kAutomaticAlpha);
  std::shared_ptr<TTexture> alpha = TTexture::Get("ui/panel", 2);
  EXPECT_NE(alpha, automatic);
  EXPECT_EQ(Cached("ui/panel:a:tex"), alpha);
  EXPECT_FALSE(TTexture::Get("ui/panel", 4 | 1)->GetData()->mFlags & TTextureData::kAlpha);

  std::shared_ptr<TTexture> simple = TTexture::GetSimple("ui\\panel");
  EXPECT_EQ(Cached("ui/panel:s:tex"), simple);
  EXPECT_TRUE(simple->GetData()->mFlags & TTextureData::kSimple);
}

TEST_F(TextureTest, MaskedTexturesKeepTheirNamesAsGiven) {
  std::shared_ptr<TTexture> forward = TTexture::GetMasked("ui/panel.png", "ui/mask.png", true);
  ASSERT_TRUE(forward);
  EXPECT_EQ(Cached("ui/panel.png:ui/mask.png:m:tex"), forward);
  EXPECT_TRUE(forward->GetData()->mFlags & TTextureData::kAlpha);
  std::shared_ptr<TTexture> backward = TTexture::GetMasked("ui\\panel.png", "ui\\mask.png", false);
  ASSERT_TRUE(backward);
  EXPECT_NE(backward, forward) << "two spellings, two entries";
  EXPECT_EQ(Cached("ui\\panel.png:ui\\mask.png:tex"), backward);
}

TEST_F(TextureTest, AFailedLoadGivesNothingAndItsEntryExpires) {
  EXPECT_FALSE(TTexture::Get("ui/none", 0));
  EXPECT_FALSE(Cached("ui/none:tex"));
}

TEST_F(TextureTest, BlankTexturesAreEachTheirOwnAndTakeOnlyTheirKeyAlong) {
  std::shared_ptr<TTexture> first = TTexture::CreateBlank(16, 8, true);
  std::shared_ptr<TTexture> second = TTexture::CreateBlank(16, 8, true);
  ASSERT_TRUE(first && second);
  EXPECT_NE(first, second);
  EXPECT_TRUE(first->GetData()->mFlags & TTextureData::kAlpha);
  const TString firstKey = TString::Format("%jx:tex:r", static_cast<uintmax_t>(reinterpret_cast<uintptr_t>(first.get())));
  const TString secondKey =
      TString::Format("%jx:tex:r", static_cast<uintmax_t>(reinterpret_cast<uintptr_t>(second.get())));
  EXPECT_EQ(Cached(firstKey.CStr()), first);
  const int count = platform.assetManager->GetCount();
  first.reset();
  EXPECT_EQ(platform.assetManager->GetCount(), count - 1);
  EXPECT_EQ(Cached(secondKey.CStr()), second);

  std::shared_ptr<TTexture> target = TTexture::CreateRenderTarget(32, 16);
  ASSERT_TRUE(target);
  EXPECT_TRUE(target->GetData()->mFlags & TTextureData::kRenderTarget);
  EXPECT_TRUE(target->GetData()->mFlags & TTextureData::kSimple);
  EXPECT_FALSE(TTexture::CreateBlank(0, 8, false)) << "a size no surface has";
}

TEST_F(TextureTest, DrawsHappenOnlyBetweenBegin2dAndEnd2d) {
  std::shared_ptr<TTexture> panel = TTexture::Get("ui/panel", 0);
  BeginFrame();
  platform.End2d();
  panel->DrawAt(100, 100, 1, 1, 0, 0);
  const TVec2 position(100, 100);
  panel->Draw(&position, 1, 1, 1, 0, nullptr, nullptr, 0, nullptr);
  panel->DrawScaled(&position, 1, 1, 0, nullptr, 0);
  panel->DrawClipped(100, 100, 1, 1, nullptr);
  panel->Blit(100, 100, nullptr, nullptr);
  display->EndDraw(false);
  EXPECT_EQ(CountNot(Back(), 0xFF000000u), 0);
  BeginFrame();
  panel->DrawScaled(&position, 1, 2, 0, nullptr, 0);
  EndFrame();
  EXPECT_EQ(ColourAt(Back(), 93, 97), 0xFF204060u) << "scaled twice about its middle";
  EXPECT_EQ(ColourAt(Back(), 91, 97), 0xFF000000u);
}

TEST_F(TextureTest, ATextureWithoutDataDoesNothing) {
  platform.displayHandler = nullptr;
  auto bare = std::make_shared<TTexture>();
  EXPECT_FALSE(bare->GetData());
  platform.in2d = true;
  bare->DrawAt(1, 1, 1, 1, 0, 0);
  bare->ActivatePalette("x");
  EXPECT_FALSE(bare->Lock(nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(bare->GetWidth(), 0);
  EXPECT_EQ(bare->GetSurfaceSize(), (std::pair<int32_t, int32_t>{0, 0}));
  platform.in2d = false;
  EXPECT_FALSE(TTexture::Get("ui/panel", 0));
  EXPECT_TRUE(bare->IsKindOf(TTexture::ClassId()));
  EXPECT_TRUE(bare->IsKindOf(TAsset::ClassId()));
}

TEST_F(TextureTest, ACopyOfMoreThanTheImageCopiesTheWholeImage) {
  std::shared_ptr<TTexture> panel = TTexture::Get("ui/panel", 0);
  std::shared_ptr<TTexture> canvas = TTexture::CreateBlank(16, 16, false);
  platform.in2d = true;
  const TRect beyond(-5, -5, 10000, 10000);
  panel->Blit(2, 3, &beyond, canvas);
  platform.in2d = false;
  EXPECT_EQ(ColourAt(SurfaceOf(canvas), 2, 3), 0xFF204060u);
  EXPECT_EQ(ColourAt(SurfaceOf(canvas), 9, 6), 0xFF204060u);
  EXPECT_EQ(ColourAt(SurfaceOf(canvas), 10, 6), 0xFF000000u) << "nothing beyond the image's 8 x 4";
  EXPECT_EQ(ColourAt(SurfaceOf(canvas), 9, 7), 0xFF000000u);
}

TEST_F(TextureTest, LockGivesThePitchInBytes) {
  std::shared_ptr<TTexture> panel = TTexture::Get("ui/panel", 0);
  int32_t width = 0, height = 0, pitch = 0;
  void* pixels = nullptr;
  ASSERT_TRUE(panel->Lock(&pixels, &width, &height, &pitch));
  EXPECT_EQ(width, 8);
  EXPECT_EQ(height, 4);
  EXPECT_EQ(pitch, 32);
  EXPECT_EQ(static_cast<uint32_t*>(pixels)[0], 0xFF204060u);
  panel->Unlock();
}

}  // namespace
