// The image window: its size from the texture and scale, the pieces of the
// texture it draws, and the texture it keeps alive.
#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "media/texture/TTexture.h"
#include "tests/windows/core/WindowTree.h"
#include "windows/kinds/TImage.h"

namespace {

using Calls = std::vector<std::string>;

std::string RectText(const TRect& rect) {
  return std::to_string(rect.left) + " " + std::to_string(rect.top) + " " + std::to_string(rect.right) + " " +
         std::to_string(rect.bottom);
}

std::string Number(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
  return text;
}

// A texture of a given size that writes its draws into the platform's journal.
class RecordingTexture : public TTexture {
 public:
  RecordingTexture(int32_t width, int32_t height, CallJournal* journal)
      : mWidth(width), mHeight(height), mJournal(journal) {}

  int32_t GetWidth() const override { return mWidth; }
  int32_t GetHeight() const override { return mHeight; }
  void DrawClipped(float x, float y, float alpha, float scale, const TRect* clip) override {
    mJournal->Add("DrawClipped " + Number(x) + " " + Number(y) + " alpha " + Number(alpha) + " scale " +
                  Number(scale) + " piece " + RectText(*clip));
  }
  void Draw(const TVec2* position, float alpha, float scaleX, float scaleY, float, const TVec2* centre,
            const TColor*, int32_t, const TRect* source) override {
    mJournal->Add("Draw " + Number(position->x) + " " + Number(position->y) + " alpha " + Number(alpha) +
                  " scale " + Number(scaleX) + " " + Number(scaleY) + " centre " + Number(centre->x) + " " +
                  Number(centre->y) + " source " + RectText(*source));
  }

 private:
  int32_t mWidth;
  int32_t mHeight;
  CallJournal* mJournal;
};

class ImageTest : public testing::Test {
 protected:
  // An image inside tree.a (screen 100 100), at 20 30 in a.
  TImage* AddImage(int32_t width, int32_t height, float scale) {
    auto window = std::make_unique<TImage>();
    TImage* image = window.get();
    std::unique_ptr<TWindow> child = std::move(window);
    tree.a->AddChild(child, false);
    image->SetTexture(std::make_shared<RecordingTexture>(width, height, &tree.platform.journal), nullptr, scale);
    image->SetPosition(20, 30);
    tree.Settle();
    return image;
  }

  // The image's own calls, without the viewports and the other windows.
  Calls TextureCalls() const {
    Calls calls;
    for (const std::string& call : tree.Calls()) {
      if (call.rfind("Draw", 0) == 0 && call.rfind("Draw a", 0) != 0) calls.push_back(call);
      if (call == "Begin2d" || call == "End2d") calls.push_back(call);
    }
    return calls;
  }

  WindowTree tree;
};

TEST_F(ImageTest, TheWindowTakesTheTextureSizeTimesTheScaleRounded) {
  struct Case {
    int32_t width, height;
    float scale;
    int32_t windowWidth, windowHeight;
  };
  const Case cases[] = {
      {100, 50, 1.5f, 150, 75}, {100, 50, 1.0f, 100, 50}, {3, 5, 0.5f, 2, 3}, {7, 1, 0.25f, 2, 0}, {0, 0, 2.0f, 0, 0},
  };
  for (const Case& c : cases) {
    TImage image;
    image.SetTexture(std::make_shared<RecordingTexture>(c.width, c.height, &tree.platform.journal), nullptr, c.scale);
    EXPECT_EQ(image.GetWidth(), c.windowWidth) << c.width << " x " << c.height << " at " << c.scale;
    EXPECT_EQ(image.GetHeight(), c.windowHeight) << c.width << " x " << c.height << " at " << c.scale;
  }
  TImage image;
  image.SetSize(9, 9);
  image.SetTexture(nullptr, nullptr, 2.0f);
  EXPECT_EQ(image.GetRect(), TRect(0, 0, 9, 9)) << "no texture leaves the size alone";
}

// Scales come from scripts: NaN or infinity would make sizes of any number
// (and convert out of range), 0 divides the draws by zero.
TEST_F(ImageTest, AScaleThatIsNoPositiveFiniteNumberCountsAsOne) {
  const float scales[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                          -std::numeric_limits<float>::infinity(), 0.0f, -0.0f, -1.5f};
  for (const float scale : scales) {
    TImage image;
    image.SetTexture(std::make_shared<RecordingTexture>(100, 50, &tree.platform.journal), nullptr, scale);
    EXPECT_EQ(image.GetScale(), 1.0f) << scale;
    EXPECT_EQ(image.GetRect(), TRect(0, 0, 100, 50)) << scale;
  }
}

// However large the scale, the window's size stays within what placed
// extents may be; however small, the picture piece of a dirty piece does.
TEST_F(ImageTest, SizesAndPiecesStayWithinPlacedCoordinatesAtAnyScale) {
  constexpr int32_t kLimit = int32_t{1} << 22;
  for (const float scale : {1e10f, std::numeric_limits<float>::max()}) {
    TImage image;
    image.SetTexture(std::make_shared<RecordingTexture>(100, 50, &tree.platform.journal), nullptr, scale);
    EXPECT_EQ(image.GetRect(), TRect(0, 0, kLimit, kLimit)) << scale;
  }
  TImage* image = AddImage(100, 50, 1e-30f);
  EXPECT_EQ(image->GetRect(), TRect(20, 30, 20, 30));
  image->SetSize(40, 10);
  image->Invalidate();
  tree.manager.Frame();
  EXPECT_EQ(TextureCalls(), (Calls{"Begin2d", "Draw 120 130 alpha 1 scale 1e-30 1e-30 centre 0 0 source 0 0 " +
                                                  std::to_string(kLimit) + " " + std::to_string(kLimit),
                                   "End2d"}));
}

TEST_F(ImageTest, APartialInvalidationRedrawsOnlyThatPieceOfTheTexture) {
  TImage* image = AddImage(64, 32, 1.0f);
  image->SetAlpha(0.5f);
  TRect piece(4, 6, 14, 16);
  image->Invalidate(&piece);
  tree.manager.Frame();
  EXPECT_EQ(TextureCalls(), (Calls{"Begin2d", "DrawClipped 124 136 alpha 0.5 scale 1 piece 4 6 14 16", "End2d"}));
}

TEST_F(ImageTest, DrawWholeIgnoresTheDirtyPiecesOnceAndAWholeInvalidationDrawsTheClientArea) {
  TImage* image = AddImage(64, 32, 1.0f);
  image->Invalidate();
  tree.manager.Frame();
  EXPECT_EQ(TextureCalls(), (Calls{"Begin2d", "DrawClipped 120 130 alpha 1 scale 1 piece 0 0 64 32", "End2d"}));
  tree.platform.journal.Clear();
  image->SetDrawWhole();
  TRect piece(1, 1, 2, 2);
  image->Invalidate(&piece);
  tree.manager.Frame();
  EXPECT_EQ(TextureCalls(), (Calls{"Begin2d", "DrawClipped 120 130 alpha 1 scale 1 piece 0 0 64 32", "End2d"}));
  tree.platform.journal.Clear();
  image->Invalidate(&piece);
  tree.manager.Frame();
  EXPECT_EQ(TextureCalls(), (Calls{"Begin2d", "DrawClipped 121 131 alpha 1 scale 1 piece 1 1 2 2", "End2d"}))
      << "the whole draw happens once";
}

TEST_F(ImageTest, APictureAtAnotherScaleFillsItsWindowThroughTheFullDraw) {
  TImage* image = AddImage(50, 40, 2.0f);
  image->Invalidate();
  tree.manager.Frame();
  EXPECT_EQ(TextureCalls(),
            (Calls{"Begin2d", "Draw 120 130 alpha 1 scale 2 2 centre 0 0 source 0 0 50 40", "End2d"}));
  tree.platform.journal.Clear();
  TRect piece(10, 20, 30, 40);
  image->Invalidate(&piece);
  tree.manager.Frame();
  EXPECT_EQ(TextureCalls(),
            (Calls{"Begin2d", "Draw 130 150 alpha 1 scale 2 2 centre 0 0 source 5 10 15 20", "End2d"}))
      << "the dirty piece taken back to picture pixels";
}

TEST_F(ImageTest, NothingIsDrawnWithoutATextureOrWhen2dDrawingCannotBegin) {
  TImage* image = AddImage(64, 32, 1.0f);
  tree.platform.begin2d = false;
  image->Invalidate();
  tree.manager.Frame();
  EXPECT_EQ(TextureCalls(), (Calls{"Begin2d"}));
  tree.platform.begin2d = true;
  tree.platform.journal.Clear();
  image->SetTexture(nullptr, nullptr, 1.0f);
  image->Invalidate();
  tree.manager.Frame();
  EXPECT_EQ(TextureCalls(), Calls{});
}

TEST_F(ImageTest, AnImageAtAlphaZeroIsStillHit) {
  TImage* image = AddImage(64, 32, 1.0f);
  image->SetAlpha(0.0f);
  TVec2 point(30, 40);
  EXPECT_EQ(tree.a->ChildAt(point), image);
}

TEST_F(ImageTest, TheImageKeepsItsTextureAfterTheCallerDropsIt) {
  auto texture = std::make_shared<RecordingTexture>(8, 8, &tree.platform.journal);
  std::weak_ptr<TTexture> watch = texture;
  TImage* image = AddImage(1, 1, 1.0f);
  image->SetTexture(std::move(texture), nullptr, 1.0f);
  ASSERT_FALSE(watch.expired());
  tree.Settle();
  image->Invalidate();
  tree.manager.Frame();
  EXPECT_EQ(TextureCalls(), (Calls{"Begin2d", "DrawClipped 120 130 alpha 1 scale 1 piece 0 0 8 8", "End2d"}));
}

// Its parent's children cleared for another screen to be built in their
// place, the image lets go of its pictures before the deletion pass.
TEST_F(ImageTest, AnImageQueuedForDeletionLetsGoOfItsTexturesAtOnce) {
  TImage* image = AddImage(1, 1, 1.0f);
  auto texture = std::make_shared<RecordingTexture>(8, 8, &tree.platform.journal);
  auto mask = std::make_shared<RecordingTexture>(8, 8, &tree.platform.journal);
  std::weak_ptr<TTexture> watchTexture = texture;
  std::weak_ptr<TTexture> watchMask = mask;
  image->SetTexture(std::move(texture), std::move(mask), 1.0f);
  tree.a->DeleteChildren();
  EXPECT_TRUE(watchTexture.expired());
  EXPECT_TRUE(watchMask.expired());
  tree.manager.DeletePending();
}

TEST(Image, TheSnapshotFlagAndTheClass) {
  EXPECT_TRUE(TImage(true).GetFlags() & kWindowSnapshotMember);
  EXPECT_FALSE(TImage(false).GetFlags() & kWindowSnapshotMember);
  TImage image;
  EXPECT_TRUE(image.IsKindOf(TImage::ClassId()));
  EXPECT_TRUE(image.IsKindOf(TWindow::ClassId()));
  EXPECT_FALSE(TWindow().IsKindOf(TImage::ClassId()));
}

}  // namespace
