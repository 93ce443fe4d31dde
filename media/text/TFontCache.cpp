#include "media/text/TFontCache.h"

#include <string>
#include <vector>

#include "media/text/BuiltinFont.h"
#include "media/text/TVecFont.h"
#include "platform/file/TFile.h"
#include "platform/text/Log.h"

namespace {

std::unique_ptr<TVecFont> BuiltinFont() {
  const std::span<const uint8_t> image = BuiltinFontImage();
  return std::make_unique<TVecFont>(std::vector<uint8_t>(image.begin(), image.end()));
}

// Null when the file cannot be read or holds no usable glyph.
std::unique_ptr<TVecFont> FontFromFile(const TString& name) {
  std::string bytes;
  if (!FileReadAll(name, &bytes, kFileReadBinary)) return nullptr;
  auto font = std::make_unique<TVecFont>(std::vector<uint8_t>(bytes.begin(), bytes.end()));
  if (font->GetCount() > 0) return font;
  LogPrintf("Font file %s holds no usable glyph", name.CStr());
  return nullptr;
}

}  // namespace

TFontCache::TFontCache() = default;

TFontCache::~TFontCache() = default;

TVecFont* TFontCache::GetFont(const TString& name) {
  auto cached = mFonts.find(name);
  if (cached != mFonts.end()) return cached->second.get();
  std::unique_ptr<TVecFont> font;
  if (name != kBuiltinName) {
    font = FontFromFile(name);
    if (!font && name != kDefaultFile) font = FontFromFile(kDefaultFile);
  }
  if (!font) font = BuiltinFont();
  if (font->GetCount() == 0) {
    LogPrintf("Font not found: %s", name.CStr());
    font.reset();
  }
  TVecFont* result = font.get();
  mFonts.emplace(name, std::move(font));
  return result;
}

void TFontCache::Clear() { mFonts.clear(); }
