#include "media/text/MarkupText.h"

#include <cstring>

namespace {

struct TagName {
  const char* name;
  TMarkupTag tag;
};

// The order matters: names are prefixes of the tag text, the first one wins.
constexpr TagName kTagNames[] = {
    {"br", TMarkupTag::LineBreak},   {"/p", TMarkupTag::EndParagraph},   {"a", TMarkupTag::Link},
    {"/a", TMarkupTag::EndLink},     {"b", TMarkupTag::Bold},            {"/b", TMarkupTag::EndBold},
    {"i", TMarkupTag::Italic},       {"/i", TMarkupTag::EndItalic},      {"u", TMarkupTag::Underline},
    {"/u", TMarkupTag::EndUnderline}, {"cursor", TMarkupTag::Cursor},    {"center", TMarkupTag::Center},
    {"/center", TMarkupTag::EndCenter}, {"left", TMarkupTag::Left},      {"/left", TMarkupTag::EndLeft},
    {"right", TMarkupTag::Right},    {"/right", TMarkupTag::EndRight},   {"font", TMarkupTag::Font},
    {"/font", TMarkupTag::EndFont},  {"outline", TMarkupTag::Outline},   {"/outline", TMarkupTag::EndOutline},
    {"tab", TMarkupTag::Tab},
};

bool IsQuote(char c) { return c == '"' || c == '\''; }

// The first double quote from `from` on, else the first single quote; null when neither.
const char* FindQuote(const char* from) {
  if (const char* quote = std::strchr(from, '"')) return quote;
  return std::strchr(from, '\'');
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// As "%x" reads: blanks, an optional "0x", then hexadecimal digits; the low
// 32 bits of a longer number.
uint32_t ReadHex(const char* text) {
  while (*text == ' ') ++text;
  if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X') && HexDigit(text[2]) >= 0) text += 2;
  uint32_t value = 0;
  for (int digit; (digit = HexDigit(*text)) >= 0; ++text) value = value << 4 | static_cast<uint32_t>(digit);
  return value;
}

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

int32_t ReadTag(const char* text, int32_t length, int32_t at, TTagBuffer& tag) {
  tag.length = 0;
  tag.text[0] = '\0';
  bool quoted = false;
  for (int32_t i = at; i < length && tag.length < TTagBuffer::kCapacity; ++i) {
    const char c = text[i];
    if (IsQuote(c)) quoted = !quoted;
    if (c == ' ' && !quoted) continue;
    tag.text[tag.length++] = c;
    if (c == '>') {
      tag.text[tag.length] = '\0';
      return i + 1 - at;
    }
  }
  tag.length = 0;
  tag.text[0] = '\0';
  return 0;
}

TMarkupTag IdentifyTag(const TTagBuffer& tag) {
  const char* name = tag.text + (tag.length > 0 ? 1 : 0);
  for (const TagName& candidate : kTagNames) {
    if (std::strncmp(name, candidate.name, std::strlen(candidate.name)) == 0) return candidate.tag;
  }
  return TMarkupTag::Unknown;
}

bool GetTagAttribute(const TTagBuffer& tag, const char* name, TString& value) {
  const char* found = std::strstr(tag.text, name);
  if (!found) return false;
  const char* open = FindQuote(found + std::strlen(name));
  if (!open) return false;
  const char* close = FindQuote(open + 1);
  if (!close) return false;
  value = TString(open + 1, static_cast<int>(close - open - 1));
  return true;
}

int32_t ReadMarkupNumber(const TString& value) {
  const char* text = value.CStr();
  while (*text == ' ') ++text;
  int32_t number = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    number = number * 10 + (*text - '0');
    if (number >= kMarkupNumberLimit) return kMarkupNumberLimit;
  }
  return number;
}

TColor ReadMarkupColour(const TString& value) {
  const char* text = value.CStr();
  if (*text == '#') ++text;
  const uint32_t rgb = ReadHex(text);
  return TColor(static_cast<float>(rgb >> 16 & 0xFF) / 255.0f, static_cast<float>(rgb >> 8 & 0xFF) / 255.0f,
                static_cast<float>(rgb & 0xFF) / 255.0f, 1.0f);
}

uint32_t DecodeUtf8Char(const char* text, int32_t length, int32_t at, int32_t& bytes) {
  const auto* s = reinterpret_cast<const unsigned char*>(text) + at;
  const unsigned char lead = s[0];
  bytes = 1;
  int32_t trailing = 0;
  uint32_t code = lead;
  if (lead >= 0xC0 && lead < 0xE0) {
    trailing = 1, code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead < 0xF0) {
    trailing = 2, code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead < 0xF8) {
    trailing = 3, code = lead & 0x07;
  }
  if (trailing == 0 || length - at <= trailing) return lead;
  for (int32_t i = 1; i <= trailing; ++i) {
    if (!IsContinuation(s[i])) return lead;
    code = code << 6 | (s[i] & 0x3F);
  }
  bytes = trailing + 1;
  return code;
}

TString EscapeMarkup(const TString& text) {
  TString escaped;
  escaped.Reserve(text.Length() * 2);
  for (int index = 0; index < text.Length(); ++index) {
    const char c = text.CharAt(index);
    if (c == '<' || c == '\\') escaped += '\\';
    escaped += c;
  }
  return escaped;
}
