#include "tests/support/JpegLayout.h"

#include <cstdint>

namespace {

int ByteAt(const std::string& bytes, size_t at) { return at < bytes.size() ? static_cast<uint8_t>(bytes[at]) : 0; }
int Word(const std::string& bytes, size_t at) { return ByteAt(bytes, at) << 8 | ByteAt(bytes, at + 1); }

// Adobe's APP14 marker names the colour transform: 0 means the samples are
// stored as they came (RGB for three components), 1 means YCbCr.
bool AdobeSaysUntransformed(const std::string& bytes, size_t segment, int length) {
  return length >= 12 && bytes.compare(segment, 5, "Adobe") == 0 && ByteAt(bytes, segment + 11) == 0;
}

}  // namespace

JpegLayout ReadJpegLayout(const std::string& bytes) {
  JpegLayout layout;
  bool componentIdsYcbcr = false;
  bool adobeUntransformed = false;
  size_t at = 2;  // past the start of image
  while (at + 4 <= bytes.size() && ByteAt(bytes, at) == 0xFF) {
    const int marker = ByteAt(bytes, at + 1);
    if (marker == 0xD9) break;
    const int length = Word(bytes, at + 2);
    const size_t segment = at + 4;
    if (marker == 0xC0 || marker == 0xC2) {
      layout.baseline = marker == 0xC0;
      layout.progressive = marker == 0xC2;
      layout.height = Word(bytes, segment + 1);
      layout.width = Word(bytes, segment + 3);
      layout.components = ByteAt(bytes, segment + 5);
      componentIdsYcbcr = layout.components == 3 && ByteAt(bytes, segment + 6) == 1 &&
                          ByteAt(bytes, segment + 9) == 2 && ByteAt(bytes, segment + 12) == 3;
    } else if (marker == 0xE0 && bytes.compare(segment, 5, std::string("JFIF\0", 5)) == 0) {
      layout.jfif = true;
    } else if (marker == 0xEE) {
      adobeUntransformed = AdobeSaysUntransformed(bytes, segment, length);
    }
    at += 2 + length;
    if (marker == 0xDA) {
      ++layout.scans;
      // Entropy-coded data runs to the next marker that is not a stuffed
      // 0xFF 0x00 or a restart marker.
      while (at + 1 < bytes.size() &&
             !(ByteAt(bytes, at) == 0xFF && ByteAt(bytes, at + 1) != 0 && (ByteAt(bytes, at + 1) < 0xD0 || ByteAt(bytes, at + 1) > 0xD7))) {
        ++at;
      }
    }
  }
  layout.ycbcr = componentIdsYcbcr && !adobeUntransformed;
  return layout;
}
