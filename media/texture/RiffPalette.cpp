#include "media/texture/RiffPalette.h"

#include <cstring>

#include "media/texture/TDecodedImage.h"
#include "platform/file/TFile.h"

namespace {

constexpr int32_t kHeaderBytes = 24;  // tag, sizes and types, version, count
constexpr int32_t kChunkSizeAt = 16;
constexpr uint32_t kChunkHeaderBytes = 8;  // the version and the count count in n
constexpr int32_t kEntryBytes = 4;

uint32_t LittleEndian32(const uint8_t* bytes) {
  return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

}  // namespace

bool ReadRiffPalette(TFile* file, std::vector<TRiffPaletteEntry>& entries) {
  entries.clear();
  uint8_t header[kHeaderBytes];
  const int32_t headerRead = FileRead(file, header, kHeaderBytes);
  if (headerRead < 4 || std::memcmp(header, "RIFF", 4) != 0) return false;
  if (headerRead < kHeaderBytes) return true;
  const uint32_t chunkSize = LittleEndian32(header + kChunkSizeAt);
  uint32_t count = chunkSize < kChunkHeaderBytes ? 0 : (chunkSize - kChunkHeaderBytes) / kEntryBytes;
  if (count > kPaletteEntries) count = kPaletteEntries;
  uint8_t bytes[kPaletteEntries * kEntryBytes];
  const int32_t got = FileRead(file, bytes, static_cast<int32_t>(count) * kEntryBytes);
  for (int32_t at = 0; at + kEntryBytes <= got; at += kEntryBytes) {
    entries.push_back({bytes[at], bytes[at + 1], bytes[at + 2], bytes[at + 3]});
  }
  return true;
}
