#pragma once

#include <gtest/gtest.h>

#include "media/text/TTextLayout.h"
#include "platform/types/TVec2.h"
#include "windows/kinds/TText.h"

// The middle of the first run of the link, in the text window's coordinates,
// for a text shown from its first line.
inline TVec2 PointOnLink(const TText& text, const char* id) {
  float y = static_cast<float>(text.GetLayout()->GetTop()) + text.GetLayout()->GetVerticalOffset();
  for (const auto& line : text.GetLayout()->GetLines()) {
    for (const TGlyphRun& run : line->runs) {
      if (run.linkId != id) continue;
      const float x = static_cast<float>(line->x) + line->xOffset;
      return TVec2(x + static_cast<float>(run.startX + run.endX) / 2, y + static_cast<float>(line->height) / 2);
    }
    y += static_cast<float>(line->height);
  }
  ADD_FAILURE() << "no link " << id;
  return TVec2(0, 0);
}
