#pragma once

#include <map>
#include <memory>

#include "platform/text/TString.h"

class TVecFont;

// The vector fonts in use, by name, each loaded on first use and kept until
// the cache is cleared: text layouts and the vector renderer hold plain
// pointers to them. The platform owns the one cache and clears it at
// shut-down, after everything that draws text is gone. Main thread only.
class TFontCache {
 public:
  // The font built into the program.
  static constexpr char kBuiltinName[] = "__DEFAULT";
  // The font file that stands in for one that cannot be read.
  static constexpr char kDefaultFile[] = "fonts/default.mvec";

  TFontCache();
  ~TFontCache();
  TFontCache(const TFontCache&) = delete;
  TFontCache& operator=(const TFontCache&) = delete;

  // The font of that name: kBuiltinName, or a font file read whole. A file
  // that cannot be read, or holds no usable glyph, is replaced by
  // kDefaultFile, and that one by the built-in font. Null (logged) only when
  // none of them gives a font.
  TVecFont* GetFont(const TString& name);
  // Deletes every font.
  void Clear();

 private:
  std::map<TString, std::unique_ptr<TVecFont>> mFonts;
};
