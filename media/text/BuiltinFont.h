#pragma once

#include <cstdint>
#include <span>

// The game's default vector font, built into the program from
// assets/fonts/default.mvec: the font to fall back on when no font file can
// be read.
std::span<const uint8_t> BuiltinFontImage();
