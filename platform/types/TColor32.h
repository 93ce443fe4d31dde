#pragma once

#include <cstdint>

#include "platform/types/TColor.h"

// A colour packed in 32 bits: alpha in the top byte, then red, green, blue.
class TColor32 {
 public:
  TColor32() = default;
  explicit TColor32(uint32_t packed) : mValue(packed) {}
  TColor32(uint8_t r, uint8_t g, uint8_t b, uint8_t a)
      : mValue(uint32_t{a} << 24 | uint32_t{r} << 16 | uint32_t{g} << 8 | b) {}
  // Each channel times 255, truncated; channels outside 0..1 are held at the
  // nearest end rather than spilling into their neighbours.
  explicit TColor32(const TColor& color);

  uint32_t GetValue() const { return mValue; }
  uint8_t GetAlpha() const { return mValue >> 24; }
  uint8_t GetRed() const { return mValue >> 16; }
  uint8_t GetGreen() const { return mValue >> 8; }
  uint8_t GetBlue() const { return mValue; }
  bool operator==(const TColor32&) const = default;

 private:
  uint32_t mValue = 0;
};
