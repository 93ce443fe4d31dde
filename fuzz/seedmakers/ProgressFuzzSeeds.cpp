// Makes the seeds of ProgressFuzz from the stored progress entries the tests
// use (tests/support/SavedProgressFixture.h), whole and with the faults the
// tests give them:
//   ProgressFuzzSeeds fuzz/seeds
// Each seed is written as <seeds>/ProgressFuzz/<name>; findings kept beside
// them are left alone.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/SavedProgressFixture.h"
#include "tests/support/TempFolder.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;
using Entry = std::optional<Bytes>;

// The fuzzer's input: three 16-bit little-endian sizes (0xFFFF for a
// missing entry), then the entries.
std::string Input(const Entry& worldData, const Entry& mappingIds, const Entry& lastPlayingLevel) {
  std::string input;
  for (const Entry* entry : {&worldData, &mappingIds, &lastPlayingLevel}) {
    uint16_t size = *entry ? static_cast<uint16_t>((*entry)->size()) : 0xFFFF;
    input += static_cast<char>(size & 0xFF);
    input += static_cast<char>(size >> 8);
  }
  for (const Entry* entry : {&worldData, &mappingIds, &lastPlayingLevel}) {
    if (*entry) input.append((*entry)->begin(), (*entry)->end());
  }
  return input;
}

Bytes WithWord(Bytes bytes, size_t offset, uint32_t word) {
  PutLittleEndianWord(bytes, offset, word);
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <seeds folder>\n", argv[0]);
    return 2;
  }
  const Bytes world = HandWorkedWorldData();
  const Bytes ids = MappingIdsEntry({4, 9, 2});
  const Bytes last = LastPlayingLevelEntry(2, 5);
  Bytes shortWorld = world;
  shortWorld.pop_back();
  const std::pair<const char*, std::string> seeds[] = {
      {"hand-worked", Input(world, ids, last)},
      {"fresh-player", Input(std::nullopt, std::nullopt, std::nullopt)},
      {"short-world-data", Input(shortWorld, ids, last)},
      {"count-21", Input(WithWord(world, 8, 21), MappingIdsEntry(std::vector<uint32_t>(21, 1)), last)},
      {"level-6", Input(WithWord(world, 184 + 96, 6), ids, LastPlayingLevelEntry(1, 6))},
      {"game-end-level", Input(world, MappingIdsEntry({}), LastPlayingLevelEntry(99, 1))},
  };
  fs::path folder = fs::path(argv[1]) / "ProgressFuzz";
  fs::create_directories(folder);
  for (const auto& [name, bytes] : seeds) {
    if (!WriteWholeFile((folder / name).string(), bytes)) {
      std::fprintf(stderr, "cannot write %s\n", (folder / name).c_str());
      return 1;
    }
  }
  return 0;
}
