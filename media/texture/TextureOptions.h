#pragma once

#include <cstdint>

#include "platform/text/TString.h"

// The flags a texture keeps: what its load options ask for and what loading
// found.
constexpr uint8_t kTextureRenderTarget = 0x01;  // "rt": the display can draw into it
constexpr uint8_t kTextureAlpha = 0x02;         // "alpha": the surface has an alpha channel
constexpr uint8_t kTextureAutoAlpha = 0x04;     // alpha as the decoded image has it
constexpr uint8_t kTextureMipmap = 0x08;        // a full mipmap chain
constexpr uint8_t kTextureSimple = 0x10;        // "simple": a plain surface of the exact size
constexpr uint8_t kTextureSlow = 0x20;          // "slow": with "simple", in system memory
constexpr uint8_t kTexturePalettized = 0x40;    // "palettized": 8-bit indices and a palette

// A texture's file name with its load options split off: "name?options".
// The option words are found anywhere in the option text; "palette" followed
// by one character that is not a letter (as in "palette=pal/night.pal") names
// a RIFF palette file, up to the next ",", and that name is no place for
// option words ("palettized" is no palette option, and "pal/desert.pal" does
// not ask for "rt").
struct TTextureOptions {
  TString fileName;     // the name before "?"
  TString optionText;   // "?" and all after it, or "" without options
  TString paletteName;  // "" when no palette file is named
  uint8_t set = 0;      // flags the options set
  uint8_t cleared = 0;  // flags the options clear ("alpha" takes the choice from the image)

  uint8_t Apply(uint8_t flags) const { return static_cast<uint8_t>((flags & ~cleared) | set); }
};

TTextureOptions ParseTextureOptions(const TString& name);
