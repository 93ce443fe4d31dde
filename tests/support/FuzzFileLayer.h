#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/support/TestFileLayer.h"

// For fuzzing programs: a file layer over a temporary tree of its own, with
// the log written beside it, made on first use and kept for the whole run.
const TestFileLayer& FuzzFileLayer();

// Writes the bytes as the asset name and indexes the assets afresh.
void WriteFuzzAsset(const std::string& name, const std::string& bytes);

// A fuzzer's input as text.
inline std::string FuzzText(const uint8_t* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}
