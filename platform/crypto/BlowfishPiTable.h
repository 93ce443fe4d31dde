#pragma once

#include <cstdint>

// The fractional part of pi in hexadecimal, 32 bits a word: Blowfish's initial
// P-array (the first 18 words) and S-boxes (the next 4 x 256 words).
constexpr int kBlowfishPiWordCount = 18 + 4 * 256;
extern const uint32_t kBlowfishPiWords[kBlowfishPiWordCount];
