// Laid-out text drawn through the vector renderer, on our 3D device and into
// textures: what lands where. With the synthetic font at 20 pixels one font
// unit is 4 pixels; a line's baseline lies 15 pixels below its top, and the
// first glyph's ink starts 1.5 pixels into the line.
#include "media/text/TTextLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "media/text/TVqMiniVecDraw.h"
#include "system/gfx/PixelFormat.h"
#include "tests/support/DevicePlatform.h"
#include "tests/support/MvecWriter.h"
#include "tests/support/SyntheticFont.h"

namespace {

constexpr int32_t kSize = 20;
constexpr int32_t kCanvasSide = 128;
const TColor kWhite(1.0f, 1.0f, 1.0f, 1.0f);

// The pixels of a surface, 0xAARRGGBB, row by row.
class Picture {
 public:
  explicit Picture(sys::gfx::Surface& surface) {
    sys::gfx::LockedPixels locked;
    EXPECT_EQ(surface.Lock(nullptr, locked), sys::gfx::Result::Ok);
    width = locked.width;
    height = locked.height;
    const uint32_t bytes = locked.format.BytesPerPixel();
    for (int32_t y = 0; y < height; ++y) {
      for (int32_t x = 0; x < width; ++x) {
        const uint8_t* at = locked.bits + static_cast<intptr_t>(y) * locked.pitch + x * bytes;
        pixels.push_back(sys::gfx::ArgbFromPixel(locked.format, sys::gfx::ReadPixel(at, bytes)));
      }
    }
    surface.Unlock();
  }

  uint32_t At(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  // A channel of the pixel: 24 alpha, 16 red, 8 green, 0 blue.
  uint32_t Channel(int32_t x, int32_t y, int shift) const { return At(x, y) >> shift & 0xFF; }
  // The columns of a row where the channel shows.
  std::set<int32_t> Lit(int32_t y, int shift) const {
    std::set<int32_t> columns;
    for (int32_t x = 0; x < width; ++x) {
      if (Channel(x, y, shift) > 0) columns.insert(x);
    }
    return columns;
  }

  // The rectangle holding every pixel where the channel shows (right and bottom included).
  struct Box {
    int32_t left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    int32_t Width() const { return right - left + 1; }
    int32_t Height() const { return bottom - top + 1; }
  };
  Box Ink(int shift) const {
    Box box;
    for (int32_t y = 0; y < height; ++y) {
      for (int32_t x = 0; x < width; ++x) {
        if (Channel(x, y, shift) == 0) continue;
        box.left = std::min(box.left, x), box.right = std::max(box.right, x);
        box.top = std::min(box.top, y), box.bottom = std::max(box.bottom, y);
      }
    }
    return box;
  }

  int32_t width = 0, height = 0;
  std::vector<uint32_t> pixels;
};

std::set<int32_t> Columns(int32_t from, int32_t to) {
  std::set<int32_t> columns;
  for (int32_t x = from; x <= to; ++x) columns.insert(x);
  return columns;
}

class TextDrawingTest : public testing::Test {
 protected:
  TextDrawingTest() : platform(kCanvasSide * 2, kCanvasSide), renderer(platform.Textures()) {
    fonts.InstallOn(platform);
    renderer.Calibrate();
    platform.vecDraw = &renderer;
    platform.viewport = {0, 0, kCanvasSide * 2, kCanvasSide};
    platform.journal.Clear();
  }

  std::unique_ptr<TTextLayout> Make(const std::string& text, int32_t size = kSize) {
    return TTextLayout::Create(text.c_str(), kCanvasSide * 2, kCanvasSide, 0, SyntheticFonts::kName, size, kWhite);
  }

  // Drawn with copy-alpha into a clear texture: each pixel's alpha is its coverage.
  Picture IntoTexture(TTextLayout& layout, uint32_t background = 0) {
    const std::shared_ptr<TTexture> texture = platform.MakeTexture(kCanvasSide, kCanvasSide, background);
    layout.Draw(TRect(0, 0, kCanvasSide, kCanvasSide), 1.0f, 0.0f, texture);
    return Picture(*platform.SurfaceOf(texture.get()));
  }

  Picture OnScreen(const std::function<void()>& draw) {
    platform.Screen().Fill(nullptr, 0xFF000000);
    draw();
    return Picture(platform.Screen());
  }

  int Draws() const {
    int draws = 0;
    for (const std::string& call : platform.Calls()) draws += call.starts_with("DrawVertices");
    return draws;
  }

  DevicePlatform platform;
  SyntheticFonts fonts;
  TVqMiniVecDraw renderer;
};

// "ab" underlined: its bar runs under the run from the first glyph's ink to
// the run's end, 1.25 pixels below the baseline. The cursor after "cd" is a
// bar 1.25 pixels wide at the run's end, from 12 pixels above the baseline
// to 4 below.
TEST_F(TextDrawingTest, AParagraphReadsBackWithItsUnderlineAndCursorWhereTheLayoutSays) {
  const auto layout = Make("<u>ab</u> cd<cursor>");
  layout->SetCopyAlpha(true);
  const Picture picture = IntoTexture(*layout);
  const TTextLine& line = *layout->GetLines()[0];
  const TGlyphRun& underlined = line.runs[1];
  const TGlyphRun& cursor = line.runs[2];
  ASSERT_TRUE(underlined.underline);
  ASSERT_TRUE(cursor.cursor);
  const int32_t baseline = line.ascent / 4;
  ASSERT_EQ(baseline, 15);
  const std::set<int32_t> cursorBar = Columns(line.x + cursor.endX, line.x + cursor.endX + 1);
  std::set<int32_t> belowBaseline = Columns(line.x + underlined.startX + 1, line.x + underlined.endX);
  belowBaseline.insert(cursorBar.begin(), cursorBar.end());
  EXPECT_EQ(picture.Lit(baseline + 1, 24), belowBaseline);
  EXPECT_EQ(picture.Lit(baseline + 2, 24), belowBaseline);
  EXPECT_EQ(picture.Lit(baseline + 3, 24), cursorBar) << "the underline is thin";
  EXPECT_EQ(picture.Lit(baseline - 12, 24), cursorBar) << "the cursor reaches the ascent";
  EXPECT_EQ(picture.Lit(baseline + 4, 24), std::set<int32_t>()) << "and ends at the descent";
  EXPECT_EQ(picture.Lit(baseline - 13, 24), std::set<int32_t>());
  EXPECT_EQ(picture.Channel(5, baseline - 1, 24), 255u) << "the glyph of 'a'";
}

TEST_F(TextDrawingTest, TheTextIsDrawnInOneFlushAtTheEnd) {
  const auto layout = Make("ab<b>cd</b><i>ef</i>", 5);
  layout->Draw(TRect(0, 0, kCanvasSide, kCanvasSide), 1.0f, 0.0f);
  EXPECT_EQ(Draws(), 1);
  const std::vector<std::string> calls = platform.Calls();
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(calls[calls.size() - 3], "SetTexture none");
  EXPECT_EQ(calls[calls.size() - 2], "SetBlendMode 0");
}

TEST_F(TextDrawingTest, NothingIsDrawnWithoutARendererOrAtANegativeScale) {
  const auto layout = Make("ab");
  auto holder = std::make_shared<int>(1);
  std::weak_ptr<int> held = holder;
  layout->Draw(TRect(0, 0, kCanvasSide, kCanvasSide), -1.0f, 0.0f, nullptr, std::move(holder));
  layout->Draw(TRect(0, 0, kCanvasSide, kCanvasSide), 1.0f, -1.0f, 0.0f, TVec2(0, 0), 1.0f);
  platform.vecDraw = nullptr;
  layout->Draw(TRect(0, 0, kCanvasSide, kCanvasSide), 1.0f, 0.0f);
  EXPECT_EQ(Draws(), 0);
  EXPECT_TRUE(held.expired()) << "the holder is let go";
}

TEST_F(TextDrawingTest, TheTwoScaleFormDrawsAsThePartsFormAndScalesEachWay) {
  const auto layout = Make("ab<b>cd</b>");
  const TRect rect(0, 0, kCanvasSide * 2, kCanvasSide);
  const Picture plain = OnScreen([&] { layout->Draw(rect, 1.0f, 0.0f); });
  const Picture apart = OnScreen([&] { layout->Draw(rect, 1.0f, 1.0f, 0.0f, TVec2(0, 0), 1.0f); });
  EXPECT_EQ(apart.pixels, plain.pixels);
  const Picture wide = OnScreen([&] { layout->Draw(rect, 2.0f, 1.0f, 0.0f, TVec2(0, 0), 1.0f); });
  const Picture::Box narrowInk = plain.Ink(16), wideInk = wide.Ink(16);
  ASSERT_GT(narrowInk.Width(), 40);
  EXPECT_NEAR(wideInk.Width(), 2 * narrowInk.Width(), 3);
  EXPECT_EQ(wideInk.Height(), narrowInk.Height());
  EXPECT_EQ(wideInk.top, narrowInk.top);
}

// The offset moves the text as moving the rectangle would; which lines show
// is still the rectangle's affair.
TEST_F(TextDrawingTest, TheOffsetMovesTheDrawnText) {
  const auto layout = Make("ab<u>cd<br>ef");
  const TRect rect(10, 20, 110, 80);
  const auto draw = [&](const TRect& at, TVec2 offset) {
    return OnScreen([&] { layout->Draw(at, 1.0f, 1.0f, 0.0f, offset, 1.0f); });
  };
  const Picture still = draw(rect, TVec2(0, 0));
  ASSERT_GT(still.Ink(16).Width(), 40);
  for (const TVec2 offset : {TVec2(7, 5), TVec2(-4, -9), TVec2(60, 0)}) {
    const TRect moved(rect.left + static_cast<int32_t>(offset.x), rect.top + static_cast<int32_t>(offset.y),
                      rect.right + static_cast<int32_t>(offset.x), rect.bottom + static_cast<int32_t>(offset.y));
    EXPECT_EQ(draw(rect, offset).pixels, draw(moved, TVec2(0, 0)).pixels) << offset.x << " " << offset.y;
  }
  const TRect oneLine(10, 20, 110, 40);
  const Picture::Box line = draw(oneLine, TVec2(0, 0)).Ink(16);
  const Picture::Box below = draw(oneLine, TVec2(0, 30)).Ink(16);
  EXPECT_EQ(below.top, line.top + 30) << "the line shown in the rectangle, drawn 30 pixels lower";
  EXPECT_EQ(below.Height(), line.Height()) << "and no other line";
}

TEST_F(TextDrawingTest, AlphaScalesEveryColour) {
  const auto layout = Make("<outline color='#ff0000'>a");
  const Picture half =
      OnScreen([&] { layout->Draw(TRect(0, 0, kCanvasSide, kCanvasSide), 1.0f, 1.0f, 0.0f, TVec2(0, 0), 0.5f); });
  EXPECT_NEAR(half.Channel(5, 12, 8), 127, 2) << "the glyph";
  EXPECT_NEAR(half.Channel(5, 16, 16), 127, 2) << "its outline";
  EXPECT_EQ(half.Channel(5, 16, 8), 0u);
}

// Lines 20 pixels high: a line shows when its top plus the base size lies
// within the rectangle's height.
TEST_F(TextDrawingTest, LinesOutsideTheRectangleAreNotDrawn) {
  const auto layout = Make("ab<br>cd<br>ef");
  const struct {
    int32_t height;
    int32_t firstLine;
    int32_t inkBottom;
  } cases[] = {{60, 0, 55}, {59, 0, 35}, {20, 0, 15}, {19, 0, -1}, {20, 2, 15}};
  for (const auto& c : cases) {
    layout->SetFirstLine(c.firstLine);
    const Picture picture = OnScreen([&] { layout->Draw(TRect(0, 10, 100, 10 + c.height), 1.0f, 0.0f); });
    const int32_t bottom = picture.Ink(16).bottom;
    EXPECT_EQ(bottom, c.inkBottom < 0 ? -1 : c.inkBottom + 10 - 1) << c.height << " " << c.firstLine;
  }
}

// The viewport starts at x 10: "ab" starts outside it and is left out whole,
// though its 'b' lies inside; "cd" starts inside and is drawn where it
// belongs.
TEST_F(TextDrawingTest, RunsStartingOutsideTheViewportAreSkipped) {
  const auto layout = Make("ab<u>cd");
  const Picture full = OnScreen([&] { layout->Draw(TRect(0, 0, kCanvasSide, kCanvasSide), 1.0f, 0.0f); });
  platform.viewport = {10, 0, kCanvasSide * 2, kCanvasSide};
  const Picture clipped = OnScreen([&] { layout->Draw(TRect(0, 0, kCanvasSide, kCanvasSide), 1.0f, 0.0f); });
  std::set<int32_t> cd;
  for (int32_t x : full.Lit(12, 16)) {
    if (x >= 24) cd.insert(x);
  }
  ASSERT_EQ(full.Lit(12, 16).count(15), 1u) << "'b' drawn when its run starts inside";
  EXPECT_EQ(clipped.Lit(12, 16), cd);
  EXPECT_EQ(clipped.Lit(16, 16), full.Lit(16, 16)) << "the underline of \"cd\"";
}

// A glyph whose ink lies two font units right of its origin (in a font
// whose 'W' gives the synthetic font's line box): the layout sets the
// line's first glyph in by that bearing, so its pen starts left of the
// line's box (6.5 pixels at 20 pixels) while its ink lies inside. With
// the viewport at the box's left edge, the ink is drawn where the layout put
// it; a run whose ink starts outside the viewport is still left out.
TEST_F(TextDrawingTest, ARunIsJudgedByWhereItsInkStarts) {
  MvecProgram ink;
  ink.NewShape().Fill(1, 1).Rectangle(2, -3, 4, 0).End();
  MvecProgram square;
  square.NewShape().Fill(1, 1).Rectangle(0, -3, 2, 1).End();
  TVecFont bearing(WriteMvec({{'W', 0, 2, -3, 1, 3, square.Bytes()}, {'l', 2, 2, -3, 0, 5, ink.Bytes()}}));
  platform.fonts["Bearing"] = &bearing;
  const auto layout = TTextLayout::Create("l", kCanvasSide * 2, kCanvasSide, 0, "Bearing", kSize, kWhite);
  const Picture shown = OnScreen([&] { layout->Draw(TRect(0, 0, kCanvasSide, kCanvasSide), 1.0f, 0.0f); });
  EXPECT_EQ(shown.Ink(16).left, 1) << "the ink starts 1.5 pixels into the line";
  platform.viewport = {4, 0, kCanvasSide * 2, kCanvasSide};
  const Picture hidden = OnScreen([&] { layout->Draw(TRect(0, 0, kCanvasSide, kCanvasSide), 1.0f, 0.0f); });
  EXPECT_EQ(hidden.Ink(16).right, -1);
}

TEST_F(TextDrawingTest, ALinkDrawsInItsOwnColourWhileHighlighted) {
  const auto layout = Make("<a id='go' color='#0000ff'>ab</a>cd");
  layout->SetCopyAlpha(true);
  EXPECT_EQ(IntoTexture(*layout).At(5, 12), 0xFFFFFFFFu);
  layout->SetHighlightLink("go");
  const Picture highlighted = IntoTexture(*layout);
  EXPECT_EQ(highlighted.At(5, 12), 0xFF0000FFu);
  EXPECT_EQ(highlighted.At(29, 12), 0xFFFFFFFFu) << "'c' is no link";
}

// The outline goes round the glyph in its colour, under the glyph's fill;
// bold widens the glyph.
TEST_F(TextDrawingTest, OutlineAndBoldStrokeUnderTheGlyph) {
  const auto outlined = Make("<outline color='#ff0000' size='2'>a");
  outlined->SetCopyAlpha(true);
  const Picture picture = IntoTexture(*outlined);
  EXPECT_EQ(picture.At(5, 12), 0xFFFFFFFFu) << "the fill";
  EXPECT_EQ(picture.At(5, 16), 0xFFFF0000u) << "the outline below";
  EXPECT_EQ(picture.At(5, 18), 0u);
  const auto plain = Make("a"), bold = Make("<b>a");
  plain->SetCopyAlpha(true);
  bold->SetCopyAlpha(true);
  // A quarter pixel on each side at this size: the rows above and below
  // the square get a quarter covered.
  const Picture plainPicture = IntoTexture(*plain), boldPicture = IntoTexture(*bold);
  for (int32_t y : {6, 15}) {
    EXPECT_EQ(plainPicture.Channel(5, y, 24), 0u) << y;
    EXPECT_EQ(boldPicture.Channel(5, y, 24), 63u) << y;
  }
  EXPECT_EQ(boldPicture.Channel(5, 12, 24), 255u);
}

TEST_F(TextDrawingTest, ItalicLeansAndRotationTurnsTheText) {
  const auto italic = Make("<i>a");
  italic->SetCopyAlpha(true);
  const Picture leaning = IntoTexture(*italic);
  EXPECT_GT(*leaning.Lit(8, 24).begin(), *leaning.Lit(14, 24).begin()) << "the top lies further right";

  const auto turned = Make("abcdef");
  turned->SetCopyAlpha(true);
  turned->SetRotation(90, 0, 0);
  const std::shared_ptr<TTexture> texture = platform.MakeTexture(kCanvasSide, kCanvasSide);
  turned->Draw(TRect(40, 0, kCanvasSide, kCanvasSide), 1.0f, 0.0f, texture);
  const Picture::Box ink = Picture(*platform.SurfaceOf(texture.get())).Ink(24);
  EXPECT_GT(ink.Height(), 5 * ink.Width()) << "the line runs down";
  EXPECT_NEAR(ink.left, 40 - 15, 1) << "the glyphs stand right of the turned baseline";
}

TEST_F(TextDrawingTest, CopyAlphaReplacesTheTexturesAlpha) {
  const auto layout = Make("a");
  EXPECT_EQ(IntoTexture(*layout, 0x80000000).At(5, 12), 0x80FFFFFFu);
  layout->SetCopyAlpha(true);
  EXPECT_EQ(IntoTexture(*layout, 0x80000000).At(5, 12), 0xFFFFFFFFu);
}

// Inside a host window twice the game's width, glyphs on the display are
// twice as large; drawn into a texture they keep their size.
TEST_F(TextDrawingTest, TheHostsScaleEnlargesGlyphsOnTheDisplay) {
  const auto layout = Make("a");
  const int32_t plainWidth = OnScreen([&] { layout->Draw(TRect(0, 0, kCanvasSide, kCanvasSide), 1.0f, 0.0f); }).Ink(16).Width();
  platform.embedded = true;
  platform.displayScale = 2.0f;
  const int32_t hostedWidth = OnScreen([&] { layout->Draw(TRect(0, 0, kCanvasSide, kCanvasSide), 1.0f, 0.0f); }).Ink(16).Width();
  EXPECT_NEAR(hostedWidth, 2 * plainWidth, 1);
  layout->SetCopyAlpha(true);
  EXPECT_EQ(IntoTexture(*layout).Ink(24).Width(), plainWidth);
}

}  // namespace
