#include "platform/xml/Zxml.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/text/Log.h"

namespace {

constexpr size_t kHeaderSize = 12;

uint32_t ReadUint32(const unsigned char* bytes) {
  return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

}  // namespace

bool IsZxml(const void* data, size_t length) { return length >= 4 && std::memcmp(data, "ZXML", 4) == 0; }

bool InflateZxml(const void* data, size_t length, std::string* text) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  if (!IsZxml(data, length) || length < kHeaderSize) {
    LogPrintf("ZXML data of %zu bytes has no complete header", length);
    return false;
  }
  size_t compressed = std::min<size_t>(ReadUint32(bytes + 4), length - kHeaderSize);
  size_t expected = ReadUint32(bytes + 8);
  if (expected > kZxmlTextLimit) {
    LogPrintf("ZXML text of %zu bytes is over the limit of %zu bytes", expected, kZxmlTextLimit);
    return false;
  }
  text->assign(expected, '\0');
  uLongf produced = expected;
  int result =
      uncompress(reinterpret_cast<Bytef*>(text->data()), &produced, bytes + kHeaderSize, compressed);
  if (result != Z_OK) {
    LogPrintf("ZXML data could not be inflated (zlib error %d)", result);
    text->clear();
    return false;
  }
  text->resize(produced);
  return true;
}
