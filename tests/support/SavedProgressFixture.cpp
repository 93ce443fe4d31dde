#include "tests/support/SavedProgressFixture.h"

#include <utility>

void PutLittleEndianWord(std::vector<uint8_t>& bytes, size_t offset, uint32_t word) {
  for (size_t i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(word >> (8 * i));
}

std::vector<uint8_t> HandWorkedWorldData() {
  std::vector<uint8_t> bytes(1840, 0);
  const std::pair<size_t, uint32_t> words[] = {
      // World 1 at 0: state 3, progress 1.0f, completed {1, 2, 4},
      // previously {1, 2}, last completed 4, spare -1.
      {0, 3}, {4, 0x3F800000}, {8, 3}, {12, 1}, {16, 2}, {20, 4},
      {92, 2}, {96, 1}, {100, 2}, {176, 4}, {180, 0xFFFFFFFF},
      // World 2 at 184: state 2, progress 1.0f, completed {1 .. 5},
      // previously {1 .. 4}, last completed 5, spare 7.
      {184, 2}, {188, 0x3F800000}, {192, 5}, {196, 1}, {200, 2}, {204, 3}, {208, 4}, {212, 5},
      {276, 4}, {280, 1}, {284, 2}, {288, 3}, {292, 4}, {360, 5}, {364, 7},
  };
  for (auto [offset, word] : words) PutLittleEndianWord(bytes, offset, word);
  for (size_t world = 2; world < 10; ++world) PutLittleEndianWord(bytes, world * 184 + 180, 0xFFFFFFFF);
  return bytes;
}

std::vector<uint8_t> MappingIdsEntry(const std::vector<uint32_t>& ids) {
  std::vector<uint8_t> bytes(84, 0);
  PutLittleEndianWord(bytes, 0, static_cast<uint32_t>(ids.size()));
  for (size_t i = 0; i < ids.size() && i < 20; ++i) PutLittleEndianWord(bytes, 4 + 4 * i, ids[i]);
  return bytes;
}

std::vector<uint8_t> LastPlayingLevelEntry(uint32_t world, uint32_t level) {
  std::vector<uint8_t> bytes(8, 0);
  PutLittleEndianWord(bytes, 0, world);
  PutLittleEndianWord(bytes, 4, level);
  return bytes;
}
