// Lays out arbitrary bytes as marked-up text in a box whose width, flags
// and font size come from the first byte, then draws it into a small
// texture and on the display and hit-tests it: no fault, no read or write
// outside the text or a buffer, no hang.

#include <cstdint>
#include <memory>

#include "media/text/TTextLayout.h"
#include "media/text/TVqMiniVecDraw.h"
#include "tests/support/BufferTextures.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/SyntheticFont.h"
#include "tests/support/TextureHandle.h"

namespace {

constexpr int32_t kMarkupCanvasSide = 48;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  FakePlatform platform;
  platform.recording = false;
  platform.viewport = {0, 0, kMarkupCanvasSide, kMarkupCanvasSide};
  SyntheticFonts fonts;
  fonts.InstallOn(platform);
  TVqMiniVecDraw renderer(std::make_unique<BufferTextures>(kMarkupCanvasSide, kMarkupCanvasSide));
  platform.vecDraw = &renderer;

  const uint8_t shape = data[0];
  const int32_t width = 1 + (shape & 0x3F);
  const int32_t flags = shape >> 6 | (shape & 0x0C);
  const int32_t fontSize = 5 + (shape & 0x0F);
  const TString text(reinterpret_cast<const char*>(data + 1), static_cast<int>(size - 1));
  auto layout = TTextLayout::Create(text, width, kMarkupCanvasSide, flags, SyntheticFonts::kName, fontSize,
                                    TColor(1.0f, 1.0f, 1.0f, 1.0f));
  layout->SetHighlightLink("a");
  layout->Draw(TRect(0, 0, kMarkupCanvasSide, kMarkupCanvasSide), 1.0f, 1.0f, TextureHandle());
  layout->SetRotation(30, 4, 4);
  layout->Draw(TRect(2, 2, kMarkupCanvasSide, kMarkupCanvasSide), 1.5f, 0.5f, 1.0f, TVec2(3, -2), 0.5f);
  for (float y = -2; y < kMarkupCanvasSide; y += 3) {
    const TVec2 point(static_cast<float>(width) / 2, y);
    layout->IsLinkAt(&point, 1.0f);
  }
  layout->CountLinesFromEnd(1.0f, 2.0f);
  return 0;
}
