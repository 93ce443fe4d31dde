#pragma once

#include <array>
#include <cstdint>

// The Blowfish block cipher: 64-bit blocks as two 32-bit halves, 16 rounds,
// keyed with its standard schedule (P-array and S-boxes start as the digits
// of pi; the key bytes are cycled over the P-array, then a zero block is
// enciphered over and over to fill P-array and S-boxes).
class TBlowfish {
 public:
  // key must hold at least one byte; bytes past the 72nd have no effect.
  TBlowfish(const uint8_t* key, int length);

  void EncipherBlock(uint32_t& left, uint32_t& right) const;
  void DecipherBlock(uint32_t& left, uint32_t& right) const;

  // The block as eight bytes: the first four are the left half, big-endian.
  void EncipherBlock(uint8_t* block) const;
  void DecipherBlock(uint8_t* block) const;

 private:
  static constexpr int kRounds = 16;

  uint32_t Mix(uint32_t half) const;
  void MixKeyIntoPArray(const uint8_t* key, int length);
  void FillFromCipherStream();

  std::array<uint32_t, kRounds + 2> mPArray;
  std::array<std::array<uint32_t, 256>, 4> mSBoxes;
};
