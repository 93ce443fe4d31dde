#include "platform/crypto/Guid.h"

#include "platform/text/Log.h"
#include "system/os/Random.h"

namespace {

// The fields of a GUID laid over the words, as in memory on a little-endian
// machine: the version is the top four bits of the third field (word 1), the
// variant the top two bits of the fourth field's first byte (word 2, lowest byte).
constexpr uint32_t kVersionMask = 0xF0000000, kVersion4 = 0x40000000;
constexpr uint32_t kVariantMask = 0x000000C0, kVariantRfc = 0x00000080;

}  // namespace

bool CreateGuid(uint32_t (&words)[4]) {
  if (!sys::RandomBytes(words, sizeof words)) {
    for (uint32_t& word : words) word = 0;
    LogPrintf("CreateGuid: the system gave no random bytes");
    return false;
  }
  words[1] = (words[1] & ~kVersionMask) | kVersion4;
  words[2] = (words[2] & ~kVariantMask) | kVariantRfc;
  return true;
}

TString CreateGuidString() {
  uint32_t words[4];
  CreateGuid(words);
  return TString::Format("%08x%08x%08x%08x", words[0], words[1], words[2], words[3]);
}
