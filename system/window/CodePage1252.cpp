#include "system/window/CodePage1252.h"

namespace sys {
namespace {

// Code points of the bytes 0x80 to 0x9F; the rest map to themselves.
constexpr uint16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
constexpr uint32_t kReplacement = 0xFFFD;

uint32_t CodePointOf(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte;
}

void AppendUtf8(std::string& out, uint32_t codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

std::string Utf8FromCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) AppendUtf8(out, CodePointOf(static_cast<unsigned char>(c)));
  return out;
}

std::string Cp1252FromUtf8(std::string_view text) {
  std::string out;
  size_t position = 0;
  uint32_t codePoint = 0;
  while (NextCodePoint(text, position, codePoint)) {
    int code = Cp1252FromCodePoint(codePoint);
    out += code < 0 ? '?' : static_cast<char>(code);
  }
  return out;
}

bool NextCodePoint(std::string_view text, size_t& position, uint32_t& codePoint) {
  if (position >= text.size()) return false;
  unsigned char lead = static_cast<unsigned char>(text[position]);
  int length = lead < 0x80 ? 1 : lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
  if (length == 1) {
    codePoint = lead;
    ++position;
    return true;
  }
  uint32_t value = length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
  bool valid = length > 0 && position + length <= text.size();
  for (int i = 1; valid && i < length; ++i) {
    unsigned char next = static_cast<unsigned char>(text[position + i]);
    valid = IsContinuation(next);
    value = (value << 6) | (next & 0x3F);
  }
  static constexpr uint32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
  valid = valid && value >= kSmallest[length] && value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF);
  codePoint = valid ? value : kReplacement;
  position += valid ? length : 1;
  return true;
}

int Cp1252FromCodePoint(uint32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) return static_cast<int>(codePoint);
  for (int index = 0; index < 32; ++index) {
    if (kHighControls[index] == codePoint) return 0x80 + index;
  }
  return -1;
}

}  // namespace sys
