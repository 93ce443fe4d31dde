#pragma once

#include <cstdint>

#include "platform/text/TString.h"
#include "platform/types/TColor.h"

// The font in which text is drawn: face name, size in pixels and colour.
struct TFontState {
  TString name;
  int32_t size = 16;
  TColor color;
};
