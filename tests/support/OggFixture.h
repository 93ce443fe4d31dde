#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <vorbis/vorbisfile.h>

// Ogg Vorbis files made by the library's encoder: a tone that glides and a
// little noise, so every stretch of it differs from the others.
std::string EncodeOgg(int channels, int rate, double seconds, uint32_t seed = 1);
// The samples the library itself decodes from the bytes, interleaved.
std::vector<int16_t> DecodeOgg(const std::string& bytes);
// Mono at any rate as the mixer plays it: stereo at 44,100 Hz, linearly
// interpolated at full volume.
std::vector<int16_t> AsMixed(const std::vector<int16_t>& samples, int channels, int rate);
// Bytes in memory as libvorbisfile reads them.
struct OggMemory {
  const std::string* bytes;
  size_t position = 0;
};
// Opens the bytes for the library to decode; false when they are no Ogg Vorbis.
bool OpenOggInMemory(OggMemory& memory, OggVorbis_File& file);
