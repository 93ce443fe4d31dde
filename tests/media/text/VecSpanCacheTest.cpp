// Glyphs drawn again are replayed from their recorded spans: with the very
// pixels a new drawing gives, and never where anything that places the glyph
// changed.
#include "media/text/VecSpanCache.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <tuple>
#include <vector>

#include "media/text/TVqMiniVecDraw.h"
#include "tests/support/MvecWriter.h"
#include "tests/support/TextureHandle.h"

namespace {

// One texture of a size that can change between draws, which changes the clip.
class ResizableTextures final : public TVecTextures {
 public:
  void Reset(int32_t width, int32_t height) {
    mWidth = width;
    mHeight = height;
    pixels.assign(static_cast<size_t>(width) * height, 0);
  }

  std::shared_ptr<TTexture> CreateRenderTarget(int32_t, int32_t) override { return nullptr; }
  bool Lock(TTexture&, TVecPixels& out) override {
    out = {reinterpret_cast<uint8_t*>(pixels.data()), mWidth, mHeight, mWidth * 4};
    return true;
  }
  void Unlock(TTexture&) override {}

  std::vector<uint32_t> pixels;

 private:
  int32_t mWidth = 0, mHeight = 0;
};

// Everything one glyph drawing sets.
struct CachedDrawing {
  std::vector<uint8_t> program;
  float penX = 6.3f, penY = 7.6f;
  float scale = 5.0f;
  bool italic = false;
  float cosine = 1.0f, sine = 0.0f;
  float firstStroke = 0.0f, secondStroke = 0.0f;
  TColor colour{1.0f, 0.5f, 0.25f, 1.0f};
  int32_t side = 24;  // of the texture
};

// A ring round a square hole `hole` units from the middle.
std::vector<uint8_t> Ring(float hole) {
  return MvecProgram()
      .NewShape()
      .Fill(1, 1)
      .MoveTo(0, -2)
      .CurveTo(2, -2, 2, 0)
      .CurveTo(2, 2, 0, 2)
      .CurveTo(-2, 2, -2, 0)
      .CurveTo(-2, -2, 0, -2)
      .Rectangle(-hole, -hole, hole, hole)
      .End()
      .Bytes();
}

std::vector<uint8_t> Ring() { return Ring(0.7f); }

// A red ring under a blue square, in colours the glyph defines.
std::vector<uint8_t> TwoColours() {
  return MvecProgram()
      .GlyphColour(255, 0, 0)
      .GlyphColour(0, 0, 255)
      .NewShape()
      .Fill(1, 1)
      .Rectangle(-2, -2, 2, 2)
      .NewShape()
      .Fill(2, 2)
      .Rectangle(-1, -1, 1.5f, 1.5f)
      .End()
      .Bytes();
}

// Draws from `buffer`, which takes the drawing's program in place, so that
// every drawing's program lies at the same address.
std::vector<uint32_t> Draw(TVqMiniVecDraw& renderer, ResizableTextures& textures, std::vector<uint8_t>& buffer,
                           const CachedDrawing& drawing) {
  buffer.assign(drawing.program.begin(), drawing.program.end());
  textures.Reset(drawing.side, drawing.side);
  const TColor white(1.0f, 1.0f, 1.0f, 1.0f);
  renderer.SetColor(TVqMiniVecDraw::kTextColourSlot, drawing.colour, 1.0f);
  renderer.SetColor(TVqMiniVecDraw::kFirstStrokeSlot, white, 1.0f);
  renderer.SetColor(TVqMiniVecDraw::kSecondStrokeSlot, white, 0.5f);
  renderer.SetCopyAlpha(true);
  renderer.SetItalic(drawing.italic);
  renderer.SetRotation(drawing.cosine, drawing.sine);
  renderer.SetStrokeWidths(drawing.firstStroke, drawing.secondStroke);
  EXPECT_TRUE(renderer.Begin(drawing.penX, drawing.penY, TextureHandle(), nullptr));
  renderer.DrawOutline(buffer, drawing.scale, drawing.scale);
  renderer.End();
  return textures.pixels;
}

std::vector<uint32_t> DrawFresh(const CachedDrawing& drawing) {
  auto owned = std::make_unique<ResizableTextures>();
  ResizableTextures& textures = *owned;
  TVqMiniVecDraw renderer(std::move(owned));
  std::vector<uint8_t> buffer;
  buffer.reserve(drawing.program.size());
  return Draw(renderer, textures, buffer, drawing);
}

int LitPixels(const std::vector<uint32_t>& pixels) {
  return static_cast<int>(std::count_if(pixels.begin(), pixels.end(), [](uint32_t pixel) { return pixel >> 24; }));
}

TEST(VecSpanCache, AGlyphDrawnAgainGivesWhatANewDrawingGives) {
  const struct {
    const char* name;
    std::vector<uint8_t> (*program)();
    std::function<void(CachedDrawing&)> change;  // from the first drawing to the second
    bool replayed;
  } cases[] = {
      {"nothing changed", Ring, [](CachedDrawing&) {}, true},
      {"text colour", Ring, [](CachedDrawing& d) { d.colour = TColor(0.2f, 1.0f, 0.6f, 0.5f); }, true},
      {"glyph colours under another text colour", TwoColours,
       [](CachedDrawing& d) { d.colour = TColor(0.5f, 1.0f, 1.0f, 0.7f); }, true},
      // A font's program runs on to the end of its file; what follows its end is not the glyph's.
      {"bytes after the program's end", Ring, [](CachedDrawing& d) { d.program.back() = 5; }, true},
      {"pen a whole pixel over", Ring, [](CachedDrawing& d) { d.penX += 1.0f; }, false},
      {"pen a fraction down", Ring, [](CachedDrawing& d) { d.penY += 0.3f; }, false},
      {"scale", Ring, [](CachedDrawing& d) { d.scale = 4.5f; }, false},
      {"italic", Ring, [](CachedDrawing& d) { d.italic = true; }, false},
      {"rotation", Ring, [](CachedDrawing& d) { d.cosine = 0.8f, d.sine = 0.6f; }, false},
      {"first stroke", Ring, [](CachedDrawing& d) { d.firstStroke = 1.0f; }, false},
      {"second stroke", Ring, [](CachedDrawing& d) { d.secondStroke = 0.5f; }, false},
      {"clip", Ring, [](CachedDrawing& d) { d.side = 14; }, false},
      {"another program of the same length at the same address", Ring, [](CachedDrawing& d) { d.program = Ring(1.2f); },
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CachedDrawing first;
    first.program = c.program();
    first.program.push_back(8);  // past the end
    CachedDrawing second = first;
    c.change(second);
    // Of one size, so that both lie at the same address with the same length.
    const size_t size = std::max(first.program.size(), second.program.size());
    first.program.resize(size, 8);
    second.program.resize(size, 8);

    auto owned = std::make_unique<ResizableTextures>();
    ResizableTextures& textures = *owned;
    TVqMiniVecDraw renderer(std::move(owned));
    std::vector<uint8_t> buffer;
    buffer.reserve(64 * 1024);  // never moves
    EXPECT_EQ(Draw(renderer, textures, buffer, first), DrawFresh(first));
    const size_t recorded = renderer.GetSpanCache().GetSpanCount();
    const std::vector<uint32_t> again = Draw(renderer, textures, buffer, second);
    EXPECT_EQ(again, DrawFresh(second));
    EXPECT_GT(LitPixels(again), 20);
    // A replay records nothing more.
    EXPECT_EQ(renderer.GetSpanCache().GetSpanCount() == recorded, c.replayed);
  }
}

// Records a glyph of `spans` one-pixel spans at pen x `penX`.
void Record(VecSpanCache& cache, const std::vector<uint8_t>& program, float penX, size_t spans,
            std::array<int32_t, 4> clip = {0, 0, 100, 100}) {
  VecGlyphPlacement placement;
  placement.penX = penX;
  placement.clip = clip;
  cache.StartRecording(program, placement);
  for (size_t n = 0; n < spans; ++n) cache.RecordSpan(1, 2, static_cast<int32_t>(n % 100), 1, 16);
  cache.FinishRecording();
}

bool Kept(const VecSpanCache& cache, const std::vector<uint8_t>& program, float penX,
          std::array<int32_t, 4> clip = {0, 0, 100, 100}) {
  VecGlyphPlacement placement;
  placement.penX = penX;
  placement.clip = clip;
  VecSpanCache::Glyph glyph;
  return cache.Find(program, placement, glyph);
}

TEST(VecSpanCache, KeepsWhatItHoldsWithinItsBounds) {
  const std::vector<uint8_t> program = Ring();
  VecSpanCache cache;
  for (size_t n = 0; n <= VecSpanCache::kMaxGlyphs; ++n) Record(cache, program, static_cast<float>(n), 2);
  EXPECT_LE(cache.GetGlyphCount(), VecSpanCache::kMaxGlyphs);
  EXPECT_TRUE(Kept(cache, program, static_cast<float>(VecSpanCache::kMaxGlyphs)));

  // A glyph of more spans than all may hold is drawn, not kept, and makes room.
  Record(cache, program, -1.0f, VecSpanCache::kMaxSpans + 1);
  EXPECT_FALSE(Kept(cache, program, -1.0f));
  EXPECT_EQ(cache.GetSpanCount(), 0u);
  Record(cache, program, -2.0f, VecSpanCache::kMaxSpans);
  EXPECT_TRUE(Kept(cache, program, -2.0f));

  // Positions beyond 16 bits are not recorded.
  Record(cache, program, -3.0f, 1, {0, 0, 40000, 100});
  EXPECT_FALSE(Kept(cache, program, -3.0f, {0, 0, 40000, 100}));
}

TEST(VecSpanCache, KeepsAGlyphsColoursAndSpansCoverageAboveTheRampAsItsTop) {
  const std::vector<uint8_t> program = Ring();
  VecSpanCache cache;
  VecGlyphPlacement placement;
  cache.StartRecording(program, placement);
  const uint8_t rgb[3] = {1, 2, 3};
  cache.RecordColour(rgb);
  cache.RecordSpan(-5, 7, 3, 254, 256);  // overlapping layers of one colour cover more than 16
  cache.FinishRecording();
  VecSpanCache::Glyph glyph;
  ASSERT_TRUE(cache.Find(program, placement, glyph));
  ASSERT_EQ(glyph.colours.size(), 1u);
  EXPECT_EQ(glyph.colours[0], (std::array<uint8_t, 3>{1, 2, 3}));
  ASSERT_EQ(glyph.spans.size(), 1u);
  const VecSpanCache::Span& span = glyph.spans[0];
  EXPECT_EQ(std::make_tuple(span.left, span.right, span.row, span.colour, span.samples),
            std::make_tuple(int16_t{-5}, int16_t{7}, int16_t{3}, uint8_t{254}, uint8_t{32}));
}

}  // namespace
