#include "media/text/TMarkupState.h"

#include <algorithm>

namespace {

constexpr float kDefaultOutlineWidth = 2.0f;

}  // namespace

void TMarkupState::Reset(const TFontState& base) {
  fontIndex = 0;
  fonts[0] = base;
  bold = italic = underline = false;
  alignmentIndex = 0;
  alignments[0] = kNoAlignment;
  linkId = "";
  color = TColor();
  outlineWidth = 0;
  outlineColor = TColor();
}

void TMarkupState::Apply(TMarkupTag kind, const TTagBuffer& tag) {
  switch (kind) {
    case TMarkupTag::Link: StartLink(tag); break;
    case TMarkupTag::EndLink:
      linkId = "";
      color = Font().color;
      break;
    case TMarkupTag::Bold: bold = true; break;
    case TMarkupTag::EndBold: bold = false; break;
    case TMarkupTag::Italic: italic = true; break;
    case TMarkupTag::EndItalic: italic = false; break;
    case TMarkupTag::Underline: underline = true; break;
    case TMarkupTag::EndUnderline: underline = false; break;
    case TMarkupTag::Center: PushAlignment(kCentre); break;
    case TMarkupTag::Left: PushAlignment(kLeft); break;
    case TMarkupTag::Right: PushAlignment(kRight); break;
    case TMarkupTag::EndCenter:
    case TMarkupTag::EndLeft:
    case TMarkupTag::EndRight: alignmentIndex = std::max(alignmentIndex - 1, 0); break;
    case TMarkupTag::Font: PushFont(tag); break;
    case TMarkupTag::EndFont: fontIndex = std::max(fontIndex - 1, 0); break;
    case TMarkupTag::Outline: StartOutline(tag); break;
    case TMarkupTag::EndOutline:
      outlineWidth = 0;
      outlineColor = TColor();
      break;
    default: break;
  }
}

// The new entry starts as a copy of the one in effect; an entry beyond the
// stack is only counted.
void TMarkupState::PushFont(const TTagBuffer& tag) {
  ++fontIndex;
  if (fontIndex >= kStackSize) return;
  TFontState& font = fonts[fontIndex];
  font = fonts[fontIndex - 1];
  TString value;
  if (GetTagAttribute(tag, "size", value)) font.size = ReadMarkupNumber(value);
  if (GetTagAttribute(tag, "color", value)) font.color = ReadMarkupColour(value);
  if (GetTagAttribute(tag, "face", value)) font.name = value;
}

void TMarkupState::PushAlignment(int32_t alignment) {
  ++alignmentIndex;
  if (alignmentIndex < kStackSize) alignments[alignmentIndex] = alignment;
}

void TMarkupState::StartLink(const TTagBuffer& tag) {
  TString value;
  linkId = GetTagAttribute(tag, "id", value) ? value : TString("");
  color = GetTagAttribute(tag, "color", value) ? ReadMarkupColour(value) : Font().color;
}

void TMarkupState::StartOutline(const TTagBuffer& tag) {
  TString value;
  if (GetTagAttribute(tag, "color", value)) outlineColor = ReadMarkupColour(value);
  outlineWidth =
      GetTagAttribute(tag, "size", value) ? static_cast<float>(ReadMarkupNumber(value)) : kDefaultOutlineWidth;
}
