// Glyph outlines drawn by the vector renderer into a texture and onto the
// display: what each pixel gets.
#include "media/text/TVqMiniVecDraw.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/DevicePlatform.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/MvecWriter.h"
#include "tests/support/TextureHandle.h"

namespace {

constexpr uint32_t kSentinel = 0x5A5A5A5A;

// A 16 x 16 texture lying in the middle of a 32 x 32 buffer, so that a
// write outside the texture shows.
class WindowTextures final : public TVecTextures {
 public:
  static constexpr int32_t kSide = 16, kMargin = 8, kBufferSide = kSide + 2 * kMargin;

  WindowTextures() : mBuffer(kBufferSide * kBufferSide, kSentinel) {
    for (int32_t y = 0; y < kSide; ++y) {
      for (int32_t x = 0; x < kSide; ++x) At(x, y) = 0;
    }
  }

  std::shared_ptr<TTexture> CreateRenderTarget(int32_t, int32_t) override { return nullptr; }
  bool Lock(TTexture&, TVecPixels& out) override {
    out = {reinterpret_cast<uint8_t*>(&At(0, 0)), kSide, kSide, kBufferSide * 4};
    ++locks;
    return true;
  }
  void Unlock(TTexture&) override { ++unlocks; }

  uint32_t& At(int32_t x, int32_t y) { return mBuffer[(y + kMargin) * kBufferSide + x + kMargin]; }
  bool OutsideUntouched() const {
    for (int32_t y = 0; y < kBufferSide; ++y) {
      for (int32_t x = 0; x < kBufferSide; ++x) {
        const bool inside = x >= kMargin && x < kMargin + kSide && y >= kMargin && y < kMargin + kSide;
        if (!inside && mBuffer[y * kBufferSide + x] != kSentinel) return false;
      }
    }
    return true;
  }

  int locks = 0, unlocks = 0;

 private:
  std::vector<uint32_t> mBuffer;
};

// One font unit is one pixel.
constexpr float kPixelScale = 4.0f;

// The alpha of each pixel: '.' none, '#' full, 'h' half covered, 'q' a
// quarter covered, '+' anything else.
std::vector<std::string> AlphaMap(WindowTextures& textures) {
  std::vector<std::string> rows;
  for (int32_t y = 0; y < WindowTextures::kSide; ++y) {
    std::string row;
    for (int32_t x = 0; x < WindowTextures::kSide; ++x) {
      const uint32_t alpha = textures.At(x, y) >> 24;
      row += alpha == 0 ? '.' : alpha == 255 ? '#' : alpha == 127 ? 'h' : alpha == 63 ? 'q' : '+';
    }
    rows.push_back(row);
  }
  return rows;
}

struct Drawing {
  std::vector<uint8_t> program;
  float penX = 0, penY = 0;
  float firstStroke = 0, secondStroke = 0;
  bool italic = false;
};

// Drawn white with copy-alpha on, so that each pixel's alpha is its coverage.
std::vector<std::string> Draw(const Drawing& drawing, WindowTextures* keep = nullptr) {
  auto owned = std::make_unique<WindowTextures>();
  WindowTextures& textures = *owned;
  TVqMiniVecDraw renderer(std::move(owned));
  const TColor white(1.0f, 1.0f, 1.0f, 1.0f);
  for (int32_t slot : {1, 254, 255}) renderer.SetColor(slot, white, 1.0f);
  renderer.SetCopyAlpha(true);
  renderer.SetItalic(drawing.italic);
  renderer.SetStrokeWidths(drawing.firstStroke, drawing.secondStroke);
  EXPECT_TRUE(renderer.Begin(drawing.penX, drawing.penY, TextureHandle(), nullptr));
  renderer.DrawOutline(drawing.program, kPixelScale, kPixelScale);
  renderer.End();
  EXPECT_TRUE(textures.OutsideUntouched());
  EXPECT_EQ(textures.locks, 1);
  EXPECT_EQ(textures.unlocks, 1);
  std::vector<std::string> map = AlphaMap(textures);
  if (keep) *keep = textures;
  return map;
}

MvecProgram FilledShape() { return MvecProgram().NewShape().Fill(1, 1); }

TEST(VecDraw, RasterizesOutlinesIntoATexture) {
  const struct {
    const char* name;
    Drawing drawing;
    std::vector<std::string> expected;
  } cases[] = {
      {"square at whole pixels",
       {FilledShape().Rectangle(2, 2, 6, 6).End().Bytes()},
       {"................", "................", "..####..........", "..####..........", "..####..........",
        "..####..........", "................", "................", "................", "................",
        "................", "................", "................", "................", "................",
        "................"}},
      {"square half a pixel over",
       {FilledShape().Rectangle(2, 2, 6, 6).End().Bytes(), 0.5f, 0.5f},
       {"................", "................", "..qhhhq.........", "..h###h.........", "..h###h.........",
        "..h###h.........", "..qhhhq.........", "................", "................", "................",
        "................", "................", "................", "................", "................",
        "................"}},
      {"square with a hole",
       {FilledShape().Rectangle(1, 1, 9, 9).Rectangle(3, 3, 7, 7).End().Bytes()},
       {"................", ".########.......", ".########.......", ".##....##.......", ".##....##.......",
        ".##....##.......", ".##....##.......", ".########.......", ".########.......", "................",
        "................", "................", "................", "................", "................",
        "................"}},
      {"program that only moves",
       {MvecProgram().NewShape().Fill(1, 1).MoveTo(1, 1).MoveTo(9, 9).End().Bytes()},
       std::vector<std::string>(16, "................")},
      {"outline ring, no fill",
       {MvecProgram().NewShape().Rectangle(4, 4, 12, 12).End().Bytes(), 0, 0, 1.0f},
       {"................", "................", "................", "...h########h...", "...##########...",
        "...##......##...", "...##......##...", "...##......##...", "...##......##...", "...##......##...",
        "...##......##...", "...##########...", "...h########h...", "................", "................",
        "................"}},
      {"glyph half outside the texture",
       {FilledShape().Rectangle(-6, -6, 3, 3).Rectangle(13, 12, 30, 30).End().Bytes()},
       {"###.............", "###.............", "###.............", "................", "................",
        "................", "................", "................", "................", "................",
        "................", "................", ".............###", ".............###", ".............###",
        ".............###"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Draw(c.drawing), c.expected) << c.name;
  }
}

TEST(VecDraw, BoldStrokeWidensTheGlyphOnEverySide) {
  const std::vector<std::string> map = Draw({FilledShape().Rectangle(5, 5, 10, 10).End().Bytes(), 0, 0, 1.0f});
  for (int32_t y = 4; y <= 10; ++y) {
    for (int32_t x = 4; x <= 10; ++x) {
      const bool corner = (x == 4 || x == 10) && (y == 4 || y == 10);
      EXPECT_EQ(map[y][x], corner ? 'h' : '#') << x << ", " << y;
    }
  }
  EXPECT_EQ(map[7][3], '.');
  EXPECT_EQ(map[11][7], '.');
}

TEST(VecDraw, ItalicShearsTheTopToTheRight) {
  // A bar from 6 above the pen to the pen; the shear moves its top 2 right.
  const auto bar = FilledShape().Rectangle(2, -6, 4, 0).End().Bytes();
  const std::vector<std::string> upright = Draw({bar, 0, 8});
  const std::vector<std::string> italic = Draw({bar, 0, 8, 0, 0, true});
  EXPECT_EQ(upright[2], "..##............");
  EXPECT_EQ(upright[7], "..##............");
  EXPECT_EQ(italic[2].find('#'), 4u);
  EXPECT_EQ(italic[7].find_first_not_of('.'), 2u);
}

// Shapes later in the program cover earlier ones; colours defined by the
// glyph tint the text's colour.
TEST(VecDraw, OverlappingShapesTakeTheTopmostColour) {
  const auto program = MvecProgram()
                           .GlyphColour(255, 0, 0)
                           .GlyphColour(0, 0, 255)
                           .NewShape()
                           .Fill(1, 1)
                           .Rectangle(1, 1, 7, 7)
                           .NewShape()
                           .Fill(0, 2)
                           .Rectangle(4, 4, 10, 10)
                           .End()
                           .Bytes();
  WindowTextures textures;
  Draw({program}, &textures);
  EXPECT_EQ(textures.At(2, 2), 0xFFFF0000u);
  EXPECT_EQ(textures.At(5, 5), 0xFF0000FFu);
  EXPECT_EQ(textures.At(8, 8), 0xFF0000FFu);
  EXPECT_EQ(textures.At(8, 2), 0u);
}

TEST(VecDraw, GlyphColoursAreTheTextColourTintedAndLastOneGlyph) {
  WindowTextures* textures = nullptr;
  auto owned = std::make_unique<WindowTextures>();
  textures = owned.get();
  TVqMiniVecDraw renderer(std::move(owned));
  renderer.SetColor(1, TColor(1.0f, 0.5f, 1.0f, 1.0f), 1.0f);
  renderer.SetCopyAlpha(true);
  ASSERT_TRUE(renderer.Begin(0, 0, TextureHandle(), nullptr));
  renderer.DrawOutline(MvecProgram().GlyphColour(255, 255, 0).NewShape().Fill(1, 1).Rectangle(0, 0, 2, 2).Bytes(),
                       kPixelScale, kPixelScale);
  renderer.DrawOutline(FilledShape().Rectangle(4, 0, 6, 2).End().Bytes(), kPixelScale, kPixelScale);
  renderer.End();
  EXPECT_EQ(textures->At(0, 0), 0xFFFF7F00u);
  EXPECT_EQ(textures->At(4, 0), 0xFFFF7FFFu);
}

TEST(VecDraw, BlendsOverTheTextureKeepingItsAlpha) {
  auto owned = std::make_unique<WindowTextures>();
  WindowTextures& textures = *owned;
  textures.At(1, 1) = 0x80000000;
  textures.At(5, 1) = 0x80000000;
  TVqMiniVecDraw renderer(std::move(owned));
  renderer.SetColor(1, TColor(1.0f, 1.0f, 1.0f, 1.0f), 1.0f);
  ASSERT_TRUE(renderer.Begin(0, 0, TextureHandle(), nullptr));
  // Pixel 1 fully covered, pixel 5 half.
  renderer.DrawOutline(FilledShape().Rectangle(1, 1, 2, 2).Rectangle(5, 1, 5.5f, 2).End().Bytes(), kPixelScale,
                       kPixelScale);
  renderer.End();
  EXPECT_EQ(textures.At(1, 1), 0x80FFFFFFu);
  EXPECT_EQ(textures.At(5, 1), 0x807F7F7Fu);
}

TEST(VecDraw, ColourSlotsScaleTheAlphaInWholeNumbers) {
  TVqMiniVecDraw renderer(nullptr);
  renderer.SetColor(3, TColor(1.0f, 0.5f, 0.0f, 1.0f), 0.5f);  // alpha 127
  const TVqMiniVecDraw::ColourSlot& slot = renderer.GetColourSlot(3);
  const uint32_t rgb = 0xFF7F00;
  EXPECT_EQ(slot.edgeLevels, (std::array<uint32_t, 4>{8u << 24 | rgb, 19u << 24 | rgb, 36u << 24 | rgb,
                                                       63u << 24 | rgb}));
  EXPECT_EQ(slot.ramp[0], 7u << 24 | rgb);
  EXPECT_EQ(slot.ramp[7], 63u << 24 | rgb);
  EXPECT_EQ(slot.ramp[15], 127u << 24 | rgb);
  EXPECT_EQ(slot.ramp[16], 126u << 24 | rgb);
  EXPECT_EQ(slot.ramp[31], 126u << 24 | rgb);
}

TEST(VecDraw, ProgramsEndAtOpcode8AnUnknownOpcodeOrTheEndOfTheData) {
  const auto square = FilledShape().Rectangle(1, 1, 3, 3);
  const auto lateSquare = FilledShape().Rectangle(5, 5, 7, 7).End();
  std::vector<uint8_t> ended = MvecProgram(square).End().Bytes();
  std::vector<uint8_t> unknown = MvecProgram(square).Raw(9).Bytes();
  const std::vector<uint8_t> lateBytes = lateSquare.Bytes();
  ended.insert(ended.end(), lateBytes.begin(), lateBytes.end());
  unknown.insert(unknown.end(), lateBytes.begin(), lateBytes.end());
  // A program cut inside a line's operands.
  std::vector<uint8_t> cut = MvecProgram(square).LineTo(9, 9).Bytes();
  cut.resize(cut.size() - 1);
  for (const auto& program : {ended, unknown, cut}) {
    const std::vector<std::string> map = Draw({program});
    EXPECT_EQ(map[1], ".##.............");
    EXPECT_EQ(map[5], "................");
  }
}

TEST(VecDraw, SpansGoToTheDisplayAsLineListsInBatches) {
  FakePlatform platform;
  TVqMiniVecDraw renderer(nullptr);
  renderer.SetColor(1, TColor(1.0f, 1.0f, 1.0f, 1.0f), 1.0f);
  ASSERT_TRUE(renderer.Begin(0.5f, 0.0f, nullptr, nullptr));
  // 200 rows of three spans: a half pixel, three full pixels, a half pixel.
  renderer.DrawOutline(FilledShape().Rectangle(0, 0, 4, 200).End().Bytes(), kPixelScale, kPixelScale);
  renderer.End();
  std::vector<std::string> draws;
  for (const std::string& call : platform.Calls()) {
    if (call.starts_with("DrawVertices")) draws.push_back(call);
  }
  ASSERT_EQ(draws.size(), 5u);  // 1200 vertices
  EXPECT_EQ(draws.front(), "DrawVertices 2 3 256");
  EXPECT_EQ(draws.back(), "DrawVertices 2 3 176");
  const std::vector<std::string> calls = platform.Calls();
  EXPECT_EQ(calls[0], "SetTexture none");
  EXPECT_EQ(calls[1], "SetBlendMode 0");
}

TEST(VecDraw, NothingBeginsWithoutADisplayOrALockableTarget) {
  TVqMiniVecDraw renderer(nullptr);
  EXPECT_FALSE(renderer.Begin(0, 0, nullptr, nullptr));
  EXPECT_FALSE(renderer.Begin(0, 0, TextureHandle(), nullptr));
}

// The same ring, on the display through line lists and into a texture.
TEST(VecDraw, DisplayAndTextureGetTheSameCoverage) {
  DevicePlatform platform(32, 32);
  TVqMiniVecDraw renderer(platform.Textures());
  renderer.Calibrate();
  const auto ring = FilledShape()
                        .MoveTo(0, -6)
                        .CurveTo(6, -6, 6, 0)
                        .CurveTo(6, 6, 0, 6)
                        .CurveTo(-6, 6, -6, 0)
                        .CurveTo(-6, -6, 0, -6)
                        .MoveTo(0, -3)
                        .CurveTo(3, -3, 3, 0)
                        .CurveTo(3, 3, 0, 3)
                        .CurveTo(-3, 3, -3, 0)
                        .CurveTo(-3, -3, 0, -3)
                        .End()
                        .Bytes();
  std::shared_ptr<TTexture> texture = platform.MakeTexture(32, 32);
  renderer.SetColor(1, TColor(1.0f, 1.0f, 1.0f, 1.0f), 1.0f);
  renderer.SetCopyAlpha(true);
  ASSERT_TRUE(renderer.Begin(10.3f, 11.6f, texture, nullptr));
  renderer.DrawOutline(ring, 1.7f * kPixelScale, 1.2f * kPixelScale);
  renderer.End();
  ASSERT_TRUE(renderer.Begin(10.3f, 11.6f, nullptr, nullptr));
  renderer.DrawOutline(ring, 1.7f * kPixelScale, 1.2f * kPixelScale);
  renderer.End();
  int lit = 0;
  for (int32_t y = 0; y < 32; ++y) {
    for (int32_t x = 0; x < 32; ++x) {
      const uint32_t written = DevicePlatform::ColourAt(*platform.SurfaceOf(texture.get()), x, y) >> 24;
      const uint32_t shown = DevicePlatform::ColourAt(platform.Screen(), x, y) & 0xFF;
      EXPECT_NEAR(shown, written, 1) << x << ", " << y;
      lit += written > 0;
    }
  }
  EXPECT_GT(lit, 100);
}

}  // namespace
