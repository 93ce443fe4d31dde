#include "tests/support/ZxmlWriter.h"

#include <zlib.h>

#include "tests/support/PackWriter.h"

std::string MakeZxml(const std::string& text) {
  uLongf length = compressBound(text.size());
  std::string compressed(length, '\0');
  compress(reinterpret_cast<Bytef*>(compressed.data()), &length,
           reinterpret_cast<const Bytef*>(text.data()), text.size());
  compressed.resize(length);
  std::string container = "ZXML";
  PackWriter::AppendInt32(&container, static_cast<int32_t>(length));
  PackWriter::AppendInt32(&container, static_cast<int32_t>(text.size()));
  return container + compressed;
}

void SetZxmlLengths(std::string* container, uint32_t compressedLength, uint32_t textLength) {
  std::string lengths;
  PackWriter::AppendInt32(&lengths, static_cast<int32_t>(compressedLength));
  PackWriter::AppendInt32(&lengths, static_cast<int32_t>(textLength));
  container->replace(4, 8, lengths);
}

uint32_t ZxmlCompressedLength(const std::string& container) {
  return static_cast<uint32_t>(container.size() - 12);
}
