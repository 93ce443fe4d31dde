#include "tests/support/rules/LevelFuzzInput.h"

namespace {

constexpr char kEnd = '\0';

// The part up to the next NUL byte, which it takes off the bytes.
std::string TakePart(std::string_view& bytes) {
  size_t end = bytes.find(kEnd);
  std::string part(bytes.substr(0, end));
  bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
  return part;
}

}  // namespace

std::string JoinLevelFuzzInput(const LevelFuzzInput& input) {
  const LevelFileBytes& files = input.files;
  std::string bytes;
  for (const std::string* part : {&files.level, &files.scores, &files.powerUps, &files.pieceTable}) {
    bytes += *part;
    bytes += kEnd;
  }
  return bytes + input.play;
}

LevelFuzzInput SplitLevelFuzzInput(std::string_view bytes) {
  LevelFuzzInput input;
  LevelFileBytes& files = input.files;
  for (std::string* part : {&files.level, &files.scores, &files.powerUps, &files.pieceTable}) {
    *part = TakePart(bytes);
  }
  input.play = std::string(bytes);
  return input;
}

std::string LevelFuzzMoveBytes(LevelFuzzMove kind, uint8_t first, uint8_t second) {
  return {static_cast<char>(kind), static_cast<char>(first), static_cast<char>(second)};
}
