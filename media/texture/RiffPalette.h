#pragma once

#include <cstdint>
#include <vector>

class TFile;

// One colour of a Windows RIFF palette file, in the file's order.
struct TRiffPaletteEntry {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  uint8_t flags = 0;
};

// Reads a RIFF palette from the start of an open file: "RIFF", the file size,
// the form and chunk types, the chunk size n, the palette version and entry
// count (all ignored but n), then (n - 8) / 4 entries of which at most 256
// are kept. Only entries the file holds in full are kept, and a chunk size
// below 8 gives none. False, keeping no entries, when the file does not start
// with "RIFF".
bool ReadRiffPalette(TFile* file, std::vector<TRiffPaletteEntry>& entries);
