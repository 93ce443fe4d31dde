#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "tests/support/rules/LevelRig.h"

// What the level fuzzer plays: the bytes of a level's four files and a play,
// each file ended by a NUL byte. A missing part is empty.
struct LevelFuzzInput {
  LevelFileBytes files;
  std::string play;
};

std::string JoinLevelFuzzInput(const LevelFuzzInput& input);
LevelFuzzInput SplitLevelFuzzInput(std::string_view bytes);

// A play is a byte that picks the world (odd: a Zen level, even: a Journey
// level), then moves of three bytes: the kind, then two values.
enum class LevelFuzzMove : uint8_t {
  Drag,         // ring (mod the ring count), signed slots in sixteenths
  DoubleClick,  // ring, slot (each mod the tower's count)
  Wait,         // updates, high byte then low byte
};
constexpr int kLevelFuzzMoveKinds = 3;

std::string LevelFuzzMoveBytes(LevelFuzzMove kind, uint8_t first, uint8_t second);
