#include "media/texture/TextureOptions.h"

#include <cctype>

namespace {

constexpr char kPaletteWord[] = "palette";
constexpr int kPaletteWordLength = sizeof kPaletteWord - 1;

struct OptionWord {
  const char* word;
  uint8_t set;
  uint8_t cleared;
};
constexpr OptionWord kOptionWords[] = {
    {"slow", kTextureSlow, 0},
    {"simple", kTextureSimple, 0},
    {"rt", kTextureRenderTarget, 0},
    {"alpha", kTextureAlpha, kTextureAutoAlpha},
    {"palettized", kTexturePalettized, 0},
};

// Where the palette option's value starts in the option text, or -1.
int PaletteValueAt(const TString& optionText) {
  for (int at = optionText.Find(kPaletteWord); at >= 0;
       at = optionText.Find(kPaletteWord, TFindFlags::None, at + 1)) {
    const int separator = at + kPaletteWordLength;
    if (separator >= optionText.Length()) return -1;
    if (!std::isalpha(static_cast<unsigned char>(optionText.CharAt(separator)))) return separator + 1;
  }
  return -1;
}

}  // namespace

TTextureOptions ParseTextureOptions(const TString& name) {
  TTextureOptions options;
  const int question = name.FindChar('?');
  if (question < 0) {
    options.fileName = name;
    return options;
  }
  options.fileName = name.Mid(0, question);
  options.optionText = name.Mid(question);
  TString words = options.optionText;
  const int valueAt = PaletteValueAt(words);
  if (valueAt >= 0) {
    const int comma = words.FindChar(',', TFindFlags::None, valueAt);
    const int length = (comma < 0 ? words.Length() : comma) - valueAt;
    options.paletteName = words.Mid(valueAt, length);
    words.Erase(valueAt, length);
  }
  for (const OptionWord& option : kOptionWords) {
    if (words.Find(option.word) < 0) continue;
    options.set |= option.set;
    options.cleared |= option.cleared;
  }
  return options;
}
