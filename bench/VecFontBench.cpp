// Speed of the vector fonts: loading a font of 400 glyphs (goal: 0.5 ms or
// less), drawing 1,000 glyphs of the game's font at 16 pixels into a
// texture (goal: 3 ms or less), and the same glyphs drawn on our 3D device
// as line lists (goal: 2.5 ms or less). Like text on a screen from frame to
// frame, the glyphs are drawn in the same places every time, so after the
// first time their recorded spans are replayed. The same glyphs moved by a
// fraction of a pixel every time show what text costs that is scan
// converted anew (no goal of its own). The program runs from the
// repository's root, where the game's font lies.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "bench/support/SpeedGoals.h"
#include "media/text/TVecFont.h"
#include "media/text/TVqMiniVecDraw.h"
#include "tests/support/BufferTextures.h"
#include "tests/support/DevicePlatform.h"
#include "tests/support/MvecWriter.h"
#include "tests/support/TextureHandle.h"

namespace {

constexpr int32_t kGlyphs = 1000;
constexpr float kSize = 16.0f;
constexpr int32_t kSide = 1024;

const SpeedGoals kGoals{
    {"LoadFont", kTimeMs, Goal::kAtMost, 0.5},
    {"RasteriseIntoSpans", kTimeMs, Goal::kAtMost, 3.0},
    {"DrawOnOurDevice", kTimeMs, Goal::kAtMost, 2.5},
};

// 400 glyphs, each a ring of curves with a hole, as a text face has.
std::vector<uint8_t> FourHundredGlyphs() {
  std::vector<MvecGlyph> glyphs;
  for (uint32_t code = 0x20; glyphs.size() < 400; ++code) {
    MvecProgram program;
    program.NewShape().Fill(1, 1).MoveTo(4, -9).CurveTo(8, -9, 8, -4.5f).CurveTo(8, 0, 4, 0).CurveTo(0, 0, 0, -4.5f);
    program.CurveTo(0, -9, 4, -9).Rectangle(3, -6, 5, -3).End();
    glyphs.push_back({code, 0, 8, -9, 2, 9, program.Bytes()});
  }
  return WriteMvec(glyphs);
}

const TVecFont& GameFont() {
  static const TVecFont font = [] {
    std::ifstream in("assets/fonts/default.mvec", std::ios::binary);
    return TVecFont(std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
  }();
  return font;
}

// Printable ASCII again and again, in lines across the target, `shift`
// pixels down.
void DrawThousandGlyphs(TVqMiniVecDraw& renderer, const std::shared_ptr<TTexture>& target, float shift = 0) {
  const TVecFont& font = GameFont();
  const float scale = 3.2f * kSize / (font.GetAscent() + font.GetDescent());
  float x = 0, y = kSize + shift;
  renderer.Begin(x, y, target, nullptr);
  for (int32_t drawn = 0; drawn < kGlyphs; ++drawn) {
    const int32_t glyph = font.FindGlyph(0x21 + drawn % 94);
    renderer.SetPen(x, y);
    renderer.DrawOutline(font.GetProgram(glyph), scale * font.GetGlyphScale(glyph), scale * font.GetGlyphScale(glyph));
    x += font.GetAdvance(glyph) * scale / 4.0f;
    if (x > kSide - 2 * kSize) x = 0, y += kSize;
  }
  renderer.End();
}

void LoadFont(benchmark::State& state) {
  const std::vector<uint8_t> bytes = FourHundredGlyphs();
  for (auto _ : state) {
    TVecFont font(bytes);
    benchmark::DoNotOptimize(font.GetCount());
  }
}
BENCHMARK(LoadFont)->Unit(benchmark::kMillisecond);

void RasteriseIntoSpans(benchmark::State& state) {
  TVqMiniVecDraw renderer(std::make_unique<BufferTextures>(kSide, kSide));
  renderer.SetColor(1, TColor(1.0f, 1.0f, 1.0f, 1.0f), 1.0f);
  for (auto _ : state) DrawThousandGlyphs(renderer, TextureHandle());
  state.SetItemsProcessed(state.iterations() * kGlyphs);
}
BENCHMARK(RasteriseIntoSpans)->Unit(benchmark::kMillisecond);

void DrawOnOurDevice(benchmark::State& state) {
  DevicePlatform platform(kSide, kSide);
  TVqMiniVecDraw renderer(platform.Textures());
  renderer.Calibrate();
  renderer.SetColor(1, TColor(1.0f, 1.0f, 1.0f, 1.0f), 1.0f);
  platform.Begin2d();
  for (auto _ : state) {
    DrawThousandGlyphs(renderer, nullptr);
    platform.journal.Clear();
  }
  state.SetItemsProcessed(state.iterations() * kGlyphs);
}
BENCHMARK(DrawOnOurDevice)->Unit(benchmark::kMillisecond);

void DrawMovingTextOnOurDevice(benchmark::State& state) {
  DevicePlatform platform(kSide, kSide);
  TVqMiniVecDraw renderer(platform.Textures());
  renderer.Calibrate();
  renderer.SetColor(1, TColor(1.0f, 1.0f, 1.0f, 1.0f), 1.0f);
  platform.Begin2d();
  int32_t moves = 0;
  for (auto _ : state) {
    DrawThousandGlyphs(renderer, nullptr, static_cast<float>(++moves % 4096) / 4096.0f);
    platform.journal.Clear();
  }
  state.SetItemsProcessed(state.iterations() * kGlyphs);
}
BENCHMARK(DrawMovingTextOnOurDevice)->Unit(benchmark::kMillisecond);

}  // namespace
