#pragma once

#include <array>
#include <cstdint>

#include "media/text/MarkupText.h"
#include "media/text/TFontState.h"
#include "platform/text/TString.h"
#include "platform/types/TColor.h"

// Where the mark-up of a text stands while it is laid out: the open "font"
// tags and alignment tags (stacks of 32 entries each), the styles, the link
// and the outline. Tags nested deeper than a stack holds still count, so
// that their closing tags bring the stack back to the right entry; while
// they are open the last entry stays in effect.
struct TMarkupState {
  static constexpr int32_t kStackSize = 32;
  static constexpr int32_t kNoAlignment = -1;
  enum Alignment : int32_t { kLeft = 0, kCentre = 1, kRight = 2 };

  // Back to the text's start: only `base` open, no styles, no alignment tag,
  // no link, no outline.
  void Reset(const TFontState& base);
  const TFontState& Font() const { return fonts[Entry(fontIndex)]; }
  // kNoAlignment while no alignment tag is open.
  int32_t Alignment() const { return alignments[Entry(alignmentIndex)]; }
  // What a tag does to the state; tags that only act on the layout (line
  // breaks, the cursor, tabs) leave it as it is.
  void Apply(TMarkupTag kind, const TTagBuffer& tag);

  std::array<TFontState, kStackSize> fonts;
  int32_t fontIndex = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  std::array<int32_t, kStackSize> alignments{};
  int32_t alignmentIndex = 0;
  TString linkId;
  TColor color;  // the mark-up colour: a link's own colour
  float outlineWidth = 0;
  TColor outlineColor;

 private:
  static int32_t Entry(int32_t index) { return index < kStackSize ? index : kStackSize - 1; }
  void PushFont(const TTagBuffer& tag);
  void PushAlignment(int32_t alignment);
  void StartLink(const TTagBuffer& tag);
  void StartOutline(const TTagBuffer& tag);
};
