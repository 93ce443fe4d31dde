#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Converts a TrueType font into an "MVC4" vector font: each glyph's outline
// becomes a program of moves, lines and quadratic curves in the font's own
// units, y growing downwards; each outer contour with the holes inside it is
// one shape filled in colour 1. The same font gives the same bytes.

// The characters the game's fonts hold: printable ASCII, Latin-1 and
// Latin Extended-A from the no-break space on, the typographic quotes,
// dashes, the ellipsis and the euro sign.
std::vector<uint32_t> GameFontCodes();

// False with a message when the font cannot be read, holds a cubic outline,
// or lacks 'W'. Characters the font lacks are left out.
bool ConvertToMvec(const std::string& fontPath, const std::vector<uint32_t>& codes, std::vector<uint8_t>& out,
                   std::string& error);
