#include <gtest/gtest.h>

#include "tests/system/gfx/GfxRig.h"

namespace {

using namespace sys::gfx;

using BlitTest = GfxRig;

// Whether (x, y) lies inside the rectangle cut to an 8 x 8 surface.
bool InsideCut(const Rect& rect, int32_t x, int32_t y) { return Intersect(rect, SizeRect(8, 8)).Contains(x, y); }

TEST_F(BlitTest, FillsAreClippedAtEveryEdge) {
  const Rect cases[] = {{-2, -2, 3, 3}, {5, 5, 12, 12}, {-5, 2, 20, 4}, {3, -9, 4, 30}, {10, 10, 12, 12}, {0, 0, 8, 8}};
  for (const Rect& area : cases) {
    std::shared_ptr<Surface> surface = Make(8, 8, PixelLayout::R5G6B5);
    ASSERT_EQ(surface->Fill(&area, 0xF81F), Result::Ok);
    for (int32_t y = 0; y < 8; ++y) {
      for (int32_t x = 0; x < 8; ++x) {
        ASSERT_EQ(PixelAt(*surface, x, y), InsideCut(area, x, y) ? 0xF81Fu : 0u)
            << "(" << area.left << "," << area.top << "," << area.right << "," << area.bottom << ") at " << x << ","
            << y;
      }
    }
  }
}

TEST_F(BlitTest, FillWithoutAreaCoversTheSurfaceAndKeepsOnlyTheFormatsBits) {
  std::shared_ptr<Surface> surface = Make(3, 2, PixelLayout::R5G6B5);
  ASSERT_EQ(surface->Fill(nullptr, 0xABCD1234), Result::Ok);
  EXPECT_EQ(PixelAt(*surface, 0, 0), 0x1234u);
  EXPECT_EQ(PixelAt(*surface, 2, 1), 0x1234u);
  Rect inverted{4, 0, 2, 2};
  EXPECT_EQ(surface->Fill(&inverted, 0), Result::InvalidArgument);
}

TEST_F(BlitTest, CopiesAreClippedAtEveryEdgeOfTheTarget) {
  std::shared_ptr<Surface> source = Make(4, 4, PixelLayout::X8R8G8B8);
  Number(*source);
  const Rect cases[] = {{-2, -2, 2, 2}, {6, -1, 10, 3}, {5, 6, 9, 10}, {-3, 5, 1, 9}, {2, 2, 6, 6}, {9, 9, 13, 13}};
  for (const Rect& area : cases) {
    std::shared_ptr<Surface> target = Make(8, 8, PixelLayout::X8R8G8B8);
    ASSERT_EQ(target->Blit(&area, *source, nullptr, 0), Result::Ok);
    for (int32_t y = 0; y < 8; ++y) {
      for (int32_t x = 0; x < 8; ++x) {
        uint32_t expected = InsideCut(area, x, y) ? PixelAt(*source, x - area.left, y - area.top) : 0;
        ASSERT_EQ(PixelAt(*target, x, y), expected) << area.left << "," << area.top << " at " << x << "," << y;
      }
    }
  }
}

TEST_F(BlitTest, CopiesAreClippedToTheSource) {
  std::shared_ptr<Surface> source = Make(4, 4, PixelLayout::X8R8G8B8);
  Number(*source);
  std::shared_ptr<Surface> target = Make(4, 4, PixelLayout::X8R8G8B8);
  Rect from{-1, -1, 3, 3};
  ASSERT_EQ(target->Blit(nullptr, *source, &from, 0), Result::Ok);
  EXPECT_EQ(PixelAt(*target, 0, 0), 0u);
  EXPECT_EQ(PixelAt(*target, 3, 0), 0u);
  EXPECT_EQ(PixelAt(*target, 1, 1), PixelAt(*source, 0, 0));
  EXPECT_EQ(PixelAt(*target, 3, 3), PixelAt(*source, 2, 2));
}

TEST_F(BlitTest, ColourKeyedStretchLeavesKeyedPixelsOut) {
  // A 2 x 2 source doubled onto a 4 x 4 background; its top-right pixel is the key.
  std::shared_ptr<Surface> source = Make(2, 2, PixelLayout::A8R8G8B8);
  SetPixel(*source, 0, 0, 0xFF111111);
  SetPixel(*source, 1, 0, 0xFFFF00FF);
  SetPixel(*source, 0, 1, 0xFF333333);
  SetPixel(*source, 1, 1, 0xFF444444);
  ColorKey key{0xFFFF00FF, 0xFFFF00FF};
  ASSERT_EQ(source->SetColorKey(&key), Result::Ok);
  std::shared_ptr<Surface> target = Make(4, 4, PixelLayout::A8R8G8B8);
  ASSERT_EQ(target->Fill(nullptr, 0xFF00FF00), Result::Ok);
  ASSERT_EQ(target->Blit(nullptr, *source, nullptr, kBlitWait | kBlitSourceColorKey), Result::Ok);
  const uint32_t expected[4][4] = {{0xFF111111, 0xFF111111, 0xFF00FF00, 0xFF00FF00},
                                   {0xFF111111, 0xFF111111, 0xFF00FF00, 0xFF00FF00},
                                   {0xFF333333, 0xFF333333, 0xFF444444, 0xFF444444},
                                   {0xFF333333, 0xFF333333, 0xFF444444, 0xFF444444}};
  for (int32_t y = 0; y < 4; ++y) {
    for (int32_t x = 0; x < 4; ++x) EXPECT_EQ(PixelAt(*target, x, y), expected[y][x]) << x << "," << y;
  }
}

TEST_F(BlitTest, ShrinkingTakesTheNearestPixels) {
  std::shared_ptr<Surface> source = Make(4, 4, PixelLayout::X8R8G8B8);
  Number(*source);
  std::shared_ptr<Surface> target = Make(2, 2, PixelLayout::X8R8G8B8);
  ASSERT_EQ(target->Blit(nullptr, *source, nullptr, 0), Result::Ok);
  EXPECT_EQ(PixelAt(*target, 0, 0), PixelAt(*source, 1, 1));
  EXPECT_EQ(PixelAt(*target, 1, 1), PixelAt(*source, 3, 3));
}

TEST_F(BlitTest, KeyIsComparedOnTheFormatsBitsOnly) {
  std::shared_ptr<Surface> source = Make(2, 1, PixelLayout::X8R8G8B8);
  SetPixel(*source, 0, 0, 0x7F00FF00);  // the unused byte holds junk
  SetPixel(*source, 1, 0, 0x0000FE00);
  ColorKey key{0x0000FF00, 0x0000FF00};
  ASSERT_EQ(source->SetColorKey(&key), Result::Ok);
  std::shared_ptr<Surface> target = Make(2, 1, PixelLayout::X8R8G8B8);
  ASSERT_EQ(target->Blit(nullptr, *source, nullptr, kBlitSourceColorKey), Result::Ok);
  EXPECT_EQ(PixelAt(*target, 0, 0), 0u);
  EXPECT_EQ(PixelAt(*target, 1, 0), 0x0000FE00u);
}

TEST_F(BlitTest, KeyIsComparedOnTheColourChannelsWhateverTheAlpha) {
  struct Case {
    PixelLayout layout;
    uint32_t magenta;  // red and blue channels full
    uint32_t alphas[3];
    uint32_t other;  // a colour that stays
  };
  for (const Case& c : {Case{PixelLayout::A8R8G8B8, 0x00FF00FF, {0xFF000000, 0x80000000, 0}, 0xFFFF00FE},
                        Case{PixelLayout::A4R4G4B4, 0x0F0F, {0xF000, 0x8000, 0}, 0xFF0E}}) {
    SCOPED_TRACE(int(c.layout));
    std::shared_ptr<Surface> source = Make(4, 1, c.layout);
    for (int32_t x = 0; x < 3; ++x) SetPixel(*source, x, 0, c.alphas[x] | c.magenta);
    SetPixel(*source, 3, 0, c.other);
    ColorKey key{c.magenta, c.magenta};
    ASSERT_EQ(source->SetColorKey(&key), Result::Ok);
    std::shared_ptr<Surface> target = Make(4, 1, c.layout);
    ASSERT_EQ(target->Blit(nullptr, *source, nullptr, kBlitSourceColorKey), Result::Ok);
    for (int32_t x = 0; x < 3; ++x) EXPECT_EQ(PixelAt(*target, x, 0), 0u) << x;
    EXPECT_EQ(PixelAt(*target, 3, 0), c.other);
  }
}

TEST_F(BlitTest, KeyedCopyNeedsAKey) {
  std::shared_ptr<Surface> source = Make(2, 2, PixelLayout::X8R8G8B8);
  std::shared_ptr<Surface> target = Make(2, 2, PixelLayout::X8R8G8B8);
  ColorKey key;
  EXPECT_EQ(source->GetColorKey(key), Result::NoColorKey);
  EXPECT_EQ(target->Blit(nullptr, *source, nullptr, kBlitSourceColorKey), Result::NoColorKey);
  EXPECT_EQ(target->BlitFast(0, 0, *source, nullptr, kBlitSourceColorKey), Result::NoColorKey);
}

class BlitConversions : public GfxRig, public testing::WithParamInterface<PixelLayout> {};

TEST_P(BlitConversions, PixelsGoThroughConversionAndBack) {
  const uint32_t colors[] = {0xFF000000, 0xFFFFFFFF, 0x80877F0F, 0x3C12ABEF};
  std::shared_ptr<Surface> wide = Make(4, 1, PixelLayout::A8R8G8B8);
  for (int32_t x = 0; x < 4; ++x) SetPixel(*wide, x, 0, colors[x]);
  PixelFormat format = MakePixelFormat(GetParam());
  std::shared_ptr<Surface> narrow = Make(4, 1, GetParam());
  ASSERT_EQ(narrow->Blit(nullptr, *wide, nullptr, 0), Result::Ok);
  std::shared_ptr<Surface> back = Make(4, 1, PixelLayout::A8R8G8B8);
  ASSERT_EQ(back->Blit(nullptr, *narrow, nullptr, 0), Result::Ok);
  for (int32_t x = 0; x < 4; ++x) {
    EXPECT_EQ(PixelAt(*narrow, x, 0), PixelFromArgb(format, colors[x]));
    EXPECT_EQ(PixelAt(*back, x, 0), ArgbFromPixel(format, PixelFromArgb(format, colors[x])));
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, BlitConversions,
                         testing::Values(PixelLayout::X8R8G8B8, PixelLayout::A8R8G8B8, PixelLayout::R5G6B5,
                                         PixelLayout::X1R5G5B5, PixelLayout::A4R4G4B4, PixelLayout::A1R5G5B5));

TEST_F(BlitTest, EightBitSourcesGoThroughTheirPalette) {
  std::shared_ptr<Surface> indexed = Make(3, 1, PixelLayout::Palette8);
  for (int32_t x = 0; x < 3; ++x) SetPixel(*indexed, x, 0, static_cast<uint32_t>(x * 100));
  std::shared_ptr<Surface> target = Make(3, 1, PixelLayout::R5G6B5);
  EXPECT_EQ(target->Blit(nullptr, *indexed, nullptr, 0), Result::NoPalette);

  Palette::Entries entries{};
  entries[0] = 0xFFFF0000;
  entries[100] = 0xFF00FF00;
  entries[200] = 0x800000FF;
  std::shared_ptr<Palette> palette;
  ASSERT_EQ(device->CreatePalette(entries, palette), Result::Ok);
  ASSERT_EQ(indexed->SetPalette(palette), Result::Ok);
  ASSERT_EQ(target->Blit(nullptr, *indexed, nullptr, 0), Result::Ok);
  EXPECT_EQ(PixelAt(*target, 0, 0), 0xF800u);
  EXPECT_EQ(PixelAt(*target, 1, 0), 0x07E0u);
  EXPECT_EQ(PixelAt(*target, 2, 0), 0x001Fu);

  std::shared_ptr<Surface> withAlpha = Make(3, 1, PixelLayout::A8R8G8B8);
  ASSERT_EQ(withAlpha->Blit(nullptr, *indexed, nullptr, 0), Result::Ok);
  EXPECT_EQ(PixelAt(*withAlpha, 2, 0), 0x800000FFu);
}

TEST_F(BlitTest, PalettesBelongToEightBitSurfacesAndAreReadBack) {
  Palette::Entries entries{};
  entries[255] = 0x01020304;
  std::shared_ptr<Palette> palette;
  ASSERT_EQ(device->CreatePalette(entries, palette), Result::Ok);
  EXPECT_EQ(Make(2, 2, PixelLayout::X8R8G8B8)->SetPalette(palette), Result::InvalidPixelFormat);
  std::shared_ptr<Surface> indexed = Make(2, 2, PixelLayout::Palette8);
  std::shared_ptr<Palette> read;
  EXPECT_EQ(indexed->GetPalette(read), Result::NoPalette);
  ASSERT_EQ(indexed->SetPalette(palette), Result::Ok);
  ASSERT_EQ(indexed->GetPalette(read), Result::Ok);
  uint32_t last[2] = {};
  ASSERT_EQ(read->GetEntries(254, 2, last), Result::Ok);
  EXPECT_EQ(last[1], 0x01020304u);
  EXPECT_EQ(read->GetEntries(255, 2, last), Result::InvalidArgument);
  EXPECT_EQ(read->SetEntries(256, 1, last), Result::InvalidArgument);
}

TEST_F(BlitTest, FormatsThatCannotMeetAreRefused) {
  std::shared_ptr<Surface> rgb = Make(2, 2, PixelLayout::X8R8G8B8);
  std::shared_ptr<Surface> indexed = Make(2, 2, PixelLayout::Palette8);
  std::shared_ptr<Surface> depth = Make(2, 2, kCapsDepthBuffer, MakePixelFormat(PixelLayout::Depth16));
  EXPECT_EQ(indexed->Blit(nullptr, *rgb, nullptr, 0), Result::Unsupported);
  EXPECT_EQ(rgb->Blit(nullptr, *depth, nullptr, 0), Result::Unsupported);
  EXPECT_EQ(depth->Blit(nullptr, *rgb, nullptr, 0), Result::Unsupported);
  Rect empty{1, 1, 1, 2};
  EXPECT_EQ(rgb->Blit(&empty, *rgb, nullptr, 0), Result::InvalidArgument);
}

TEST_F(BlitTest, RectanglesFarBeyondAnySurfaceAreRefused) {
  std::shared_ptr<Surface> surface = Make(4, 4, PixelLayout::X8R8G8B8);
  Rect huge{INT32_MIN, 0, INT32_MAX, 4};
  Rect far{0, 0, 4, (1 << 24) + 1};
  EXPECT_EQ(surface->Fill(&huge, 0), Result::InvalidArgument);
  EXPECT_EQ(surface->Blit(&huge, *surface, nullptr, 0), Result::InvalidArgument);
  EXPECT_EQ(surface->Blit(nullptr, *surface, &far, 0), Result::InvalidArgument);
  EXPECT_EQ(surface->BlitFast(INT32_MAX, 0, *surface, nullptr, 0), Result::InvalidArgument);
  Rect wide{-(1 << 24), 0, 1 << 24, 4};
  EXPECT_EQ(surface->Blit(&wide, *surface, nullptr, 0), Result::Ok);
}

TEST_F(BlitTest, FastCopyGoesToAPointAndIsClipped) {
  std::shared_ptr<Surface> source = Make(4, 4, PixelLayout::R5G6B5);
  Number(*source);
  std::shared_ptr<Surface> target = Make(4, 4, PixelLayout::R5G6B5);
  Rect from{1, 1, 4, 4};
  ASSERT_EQ(target->BlitFast(2, -1, *source, &from, kBlitWait), Result::Ok);
  EXPECT_EQ(PixelAt(*target, 2, 0), PixelAt(*source, 1, 2));
  EXPECT_EQ(PixelAt(*target, 3, 1), PixelAt(*source, 2, 3));
  EXPECT_EQ(PixelAt(*target, 1, 0), 0u);
  EXPECT_EQ(PixelAt(*target, 2, 2), 0u);
}

TEST_F(BlitTest, CopyOntoItselfReadsThePictureAsItWas) {
  std::shared_ptr<Surface> surface = Make(4, 1, PixelLayout::X8R8G8B8);
  Number(*surface);
  Rect from{0, 0, 3, 1};
  ASSERT_EQ(surface->BlitFast(1, 0, *surface, &from, 0), Result::Ok);
  EXPECT_EQ(PixelAt(*surface, 0, 0), 1u);
  EXPECT_EQ(PixelAt(*surface, 1, 0), 1u);
  EXPECT_EQ(PixelAt(*surface, 2, 0), 2u);
  EXPECT_EQ(PixelAt(*surface, 3, 0), 3u);
}

TEST_F(BlitTest, LostOrLockedSurfacesRefuseToTakePart) {
  std::shared_ptr<Surface> video = Make(2, 2, kCapsVideoMemory);
  std::shared_ptr<Surface> system = Make(2, 2, kCapsSystemMemory);
  LockedPixels locked;
  ASSERT_EQ(system->Lock(nullptr, locked), Result::Ok);
  EXPECT_EQ(video->Blit(nullptr, *system, nullptr, 0), Result::SurfaceBusy);
  EXPECT_EQ(system->Fill(nullptr, 0), Result::SurfaceBusy);
  ASSERT_EQ(system->Unlock(), Result::Ok);
  adapter->LoseVideoSurfaces();
  EXPECT_EQ(video->Blit(nullptr, *system, nullptr, 0), Result::SurfaceLost);
  EXPECT_EQ(system->Blit(nullptr, *video, nullptr, 0), Result::SurfaceLost);
  EXPECT_EQ(video->Fill(nullptr, 0), Result::SurfaceLost);
}

TEST_F(BlitTest, ClipperKeepsBlitsInsideTheWindowsClientArea) {
  window.x = 10;
  window.y = 20;
  window.borderLeft = 2;
  window.borderTop = 3;
  window.clientWidth = 4;
  window.clientHeight = 4;
  std::shared_ptr<Surface> desktop = Make(32, 32, PixelLayout::X8R8G8B8);
  std::shared_ptr<Clipper> clipper;
  ASSERT_EQ(device->CreateClipper(clipper), Result::Ok);
  ASSERT_EQ(clipper->SetWindow(&window), Result::Ok);
  ASSERT_EQ(desktop->SetClipper(clipper), Result::Ok);
  ASSERT_EQ(desktop->Fill(nullptr, 0xFFFFFF), Result::Ok);
  EXPECT_EQ(PixelAt(*desktop, 11, 22), 0u);
  EXPECT_EQ(PixelAt(*desktop, 12, 23), 0xFFFFFFu);
  EXPECT_EQ(PixelAt(*desktop, 15, 26), 0xFFFFFFu);
  EXPECT_EQ(PixelAt(*desktop, 16, 26), 0u);

  std::shared_ptr<Surface> source = Make(8, 8, PixelLayout::X8R8G8B8);
  Number(*source);
  Rect area{8, 19, 16, 27};
  ASSERT_EQ(desktop->Blit(&area, *source, nullptr, 0), Result::Ok);
  EXPECT_EQ(PixelAt(*desktop, 12, 23), PixelAt(*source, 4, 4));
  EXPECT_EQ(PixelAt(*desktop, 11, 23), 0u);

  ASSERT_EQ(desktop->SetClipper(nullptr), Result::Ok);
  EXPECT_EQ(desktop->GetClipper(clipper), Result::NoClipper);
}

TEST_F(BlitTest, DepthBuffersAttachOnceAndOfTheSameSize) {
  PixelFormat depthFormat = MakePixelFormat(PixelLayout::Depth16);
  std::shared_ptr<Surface> target = Make(4, 4, kCaps3dDevice);
  std::shared_ptr<Surface> depth = Make(4, 4, kCapsDepthBuffer, depthFormat);
  std::shared_ptr<Surface> smaller = Make(2, 2, kCapsDepthBuffer, depthFormat);
  EXPECT_EQ(target->AttachSurface(smaller), Result::InvalidArgument);
  EXPECT_EQ(target->AttachSurface(Make(4, 4)), Result::InvalidCaps);
  EXPECT_EQ(depth->AttachSurface(Make(4, 4, kCapsDepthBuffer, depthFormat)), Result::InvalidCaps);
  ASSERT_EQ(target->AttachSurface(depth), Result::Ok);
  EXPECT_EQ(target->AttachSurface(Make(4, 4, kCapsDepthBuffer, depthFormat)), Result::AlreadyAttached);
  std::shared_ptr<Surface> attached;
  ASSERT_EQ(target->GetAttachedSurface(kCapsDepthBuffer, attached), Result::Ok);
  EXPECT_EQ(attached, depth);
  EXPECT_EQ(target->DetachSurface(*smaller), Result::NotAttached);
  ASSERT_EQ(target->DetachSurface(*depth), Result::Ok);
  EXPECT_EQ(target->GetAttachedSurface(kCapsDepthBuffer, attached), Result::NotAttached);
}

}  // namespace
