#include "platform/crypto/TBlowfish.h"

#include <cstddef>
#include <utility>

#include "platform/crypto/BlowfishPiTable.h"

namespace {

uint32_t ReadBigEndian(const uint8_t* bytes) {
  return uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 | bytes[3];
}

void WriteBigEndian(uint32_t word, uint8_t* bytes) {
  bytes[0] = static_cast<uint8_t>(word >> 24);
  bytes[1] = static_cast<uint8_t>(word >> 16);
  bytes[2] = static_cast<uint8_t>(word >> 8);
  bytes[3] = static_cast<uint8_t>(word);
}

}  // namespace

TBlowfish::TBlowfish(const uint8_t* key, int length) {
  const uint32_t* digits = kBlowfishPiWords;
  for (uint32_t& word : mPArray) word = *digits++;
  for (auto& box : mSBoxes) {
    for (uint32_t& word : box) word = *digits++;
  }
  MixKeyIntoPArray(key, length);
  FillFromCipherStream();
}

uint32_t TBlowfish::Mix(uint32_t half) const {
  uint32_t sum = mSBoxes[0][half >> 24] + mSBoxes[1][(half >> 16) & 0xFF];
  return (sum ^ mSBoxes[2][(half >> 8) & 0xFF]) + mSBoxes[3][half & 0xFF];
}

void TBlowfish::EncipherBlock(uint32_t& left, uint32_t& right) const {
  for (int round = 0; round < kRounds; ++round) {
    left ^= mPArray[round];
    right ^= Mix(left);
    std::swap(left, right);
  }
  std::swap(left, right);
  right ^= mPArray[kRounds];
  left ^= mPArray[kRounds + 1];
}

void TBlowfish::DecipherBlock(uint32_t& left, uint32_t& right) const {
  for (int round = kRounds + 1; round > 1; --round) {
    left ^= mPArray[round];
    right ^= Mix(left);
    std::swap(left, right);
  }
  std::swap(left, right);
  right ^= mPArray[1];
  left ^= mPArray[0];
}

void TBlowfish::EncipherBlock(uint8_t* block) const {
  uint32_t left = ReadBigEndian(block), right = ReadBigEndian(block + 4);
  EncipherBlock(left, right);
  WriteBigEndian(left, block);
  WriteBigEndian(right, block + 4);
}

void TBlowfish::DecipherBlock(uint8_t* block) const {
  uint32_t left = ReadBigEndian(block), right = ReadBigEndian(block + 4);
  DecipherBlock(left, right);
  WriteBigEndian(left, block);
  WriteBigEndian(right, block + 4);
}

void TBlowfish::MixKeyIntoPArray(const uint8_t* key, int length) {
  int next = 0;
  for (uint32_t& word : mPArray) {
    uint32_t keyWord = 0;
    for (int i = 0; i < 4; ++i) {
      keyWord = keyWord << 8 | key[next];
      next = (next + 1) % length;
    }
    word ^= keyWord;
  }
}

void TBlowfish::FillFromCipherStream() {
  uint32_t left = 0, right = 0;
  auto fill = [&](auto& words) {
    for (std::size_t i = 0; i < words.size(); i += 2) {
      EncipherBlock(left, right);
      words[i] = left;
      words[i + 1] = right;
    }
  };
  fill(mPArray);
  for (auto& box : mSBoxes) fill(box);
}
