#include "platform/xml/XmlEntities.h"

#include <cstring>

namespace {

struct NamedEntity {
  const char* name;  // after the "&", with its ";"
  char character;
};

constexpr NamedEntity kNamedEntities[] = {
    {"amp;", '&'}, {"lt;", '<'}, {"gt;", '>'}, {"quot;", '"'}, {"apos;", '\''},
};

// Decodes the entity at text[at] (an "&"); gives its length, 0 when there is none.
size_t DecodeEntityAt(const char* text, size_t length, size_t at, char* character) {
  const char* rest = text + at + 1;
  size_t left = length - at - 1;
  for (const NamedEntity& entity : kNamedEntities) {
    size_t nameLength = std::strlen(entity.name);
    if (left >= nameLength && std::memcmp(rest, entity.name, nameLength) == 0) {
      *character = entity.character;
      return nameLength + 1;
    }
  }
  if (left < 3 || rest[0] != '#') return 0;
  unsigned value = 0;
  size_t digits = 0;
  while (digits + 1 < left && rest[1 + digits] >= '0' && rest[1 + digits] <= '9' && digits < 9) {
    value = value * 10 + static_cast<unsigned>(rest[1 + digits] - '0');
    ++digits;
  }
  if (digits == 0 || digits + 1 >= left || rest[1 + digits] != ';') return 0;
  *character = static_cast<char>(value & 0xff);
  return digits + 3;
}

// Whether text[i], a printable character, would not read back as itself
// unless written as a character reference.
bool MustEscape(const char* text, size_t length, size_t i, XmlField field) {
  const char c = text[i];
  switch (field) {
    case XmlField::kQuotedValue:
      return false;
    case XmlField::kWord:
      return c == ' ' || c == '=' || (c == '/' && (i == 0 || i + 1 == length)) ||
             (c == '?' && length == 1);
    case XmlField::kText:
      return c == '=' || (c == ' ' && (i == 0 || i + 1 == length || text[i - 1] == ' ' ||
                                       text[i + 1] == ' '));
  }
  return false;
}

}  // namespace

std::string DecodeXmlEntities(const char* text, size_t length, bool* firstDecoded) {
  std::string decoded;
  decoded.reserve(length);
  if (firstDecoded) *firstDecoded = false;
  for (size_t at = 0; at < length;) {
    char character = 0;
    size_t entityLength = text[at] == '&' ? DecodeEntityAt(text, length, at, &character) : 0;
    if (entityLength == 0) {
      decoded += text[at++];
      continue;
    }
    if (at == 0 && firstDecoded) *firstDecoded = true;
    decoded += character;
    at += entityLength;
  }
  return decoded;
}

void AppendXmlEscaped(std::string* out, const char* text, size_t length, XmlField field) {
  for (size_t i = 0; i < length; ++i) {
    auto byte = static_cast<unsigned char>(text[i]);
    switch (byte) {
      case '&': *out += "&amp;"; break;
      case '<': *out += "&lt;"; break;
      case '>': *out += "&gt;"; break;
      case '"': *out += "&quot;"; break;
      case '\'': *out += "&apos;"; break;
      default:
        if (byte < 32 || byte >= 128 || MustEscape(text, length, i, field)) {
          *out += "&#" + std::to_string(byte) + ";";
        } else {
          *out += static_cast<char>(byte);
        }
    }
  }
}
