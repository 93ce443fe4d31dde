// Loads arbitrary bytes as a vector font and draws its glyphs into a small
// texture, plain, bold and outlined, italic and turned, and at a size far
// larger than the texture: no fault, no write outside the texture, no hang.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "media/text/TVecFont.h"
#include "media/text/TVqMiniVecDraw.h"
#include "tests/support/BufferTextures.h"
#include "tests/support/TextureHandle.h"

namespace {

constexpr int32_t kGlyphTextureSide = 48;
constexpr int32_t kMaxGlyphs = 64;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TVecFont font(std::vector<uint8_t>(data, data + size));
  if (font.GetCount() == 0) return 0;
  TVqMiniVecDraw renderer(std::make_unique<BufferTextures>(kGlyphTextureSide, kGlyphTextureSide));
  for (int32_t slot : {1, 254, 255}) renderer.SetColor(slot, TColor(1.0f, 1.0f, 1.0f, 1.0f), 1.0f);
  const std::shared_ptr<TTexture> target = TextureHandle();
  const float lineScale = 3.2f * 24.0f / (font.GetAscent() + font.GetDescent());
  const int32_t glyphs = std::min(font.GetCount(), kMaxGlyphs);
  for (int32_t glyph = 0; glyph < glyphs; ++glyph) {
    const float scale = lineScale * font.GetGlyphScale(glyph) * (glyph % 7 == 6 ? 40.0f : 1.0f);
    renderer.SetItalic(glyph % 2 == 1);
    renderer.SetStrokeWidths(glyph % 3 == 1 ? 1.5f : 0.0f, glyph % 3 == 2 ? 0.5f : 0.0f);
    renderer.SetRotation(glyph % 5 == 4 ? 0.6f : 1.0f, glyph % 5 == 4 ? 0.8f : 0.0f);
    if (!renderer.Begin(4.0f, 30.0f, target, nullptr)) return 0;
    renderer.DrawOutline(font.GetProgram(glyph), scale, scale);
    renderer.End();
  }
  return 0;
}
