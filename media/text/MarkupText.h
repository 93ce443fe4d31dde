#pragma once

#include <cstdint>

#include "platform/text/TString.h"
#include "platform/types/TColor.h"

// Reading marked-up text: its characters (UTF-8) and its tags, such as
// <font size='20' color='#ff0000'> or <a id='next'>. The text comes from
// outside (scripts, data files): every read stays inside the text and the
// tag buffer, whatever the bytes.

// The tags, in the order their names are tried: a tag is the first whose
// name begins the text after '<' (so <bold> acts as <b>).
enum class TMarkupTag {
  Unknown,
  LineBreak,     // "br"
  EndParagraph,  // "/p"
  Link,          // "a"
  EndLink,       // "/a"
  Bold,
  EndBold,
  Italic,
  EndItalic,
  Underline,
  EndUnderline,
  Cursor,
  Center,
  EndCenter,
  Left,
  EndLeft,
  Right,
  EndRight,
  Font,
  EndFont,
  Outline,
  EndOutline,
  Tab,
};

// A tag as read: '<' up to and including '>', the blanks outside quotes
// dropped, zero-terminated.
struct TTagBuffer {
  static constexpr int32_t kCapacity = 128;
  char text[kCapacity + 1] = {};
  int32_t length = 0;
};

// Reads the tag starting at text[at], which must be '<'. Returns how many
// characters of the text it takes, or 0 when there is no tag: when the text
// ends before a '>', or no '>' comes within the buffer's capacity (the '<'
// is then plain text).
int32_t ReadTag(const char* text, int32_t length, int32_t at, TTagBuffer& tag);
TMarkupTag IdentifyTag(const TTagBuffer& tag);

// The value of the first attribute `name` in the tag: the text between the
// quotes that follow the name. False when the name is not there or no quoted
// value follows it.
bool GetTagAttribute(const TTagBuffer& tag, const char* name, TString& value);
// A decimal number: leading blanks skipped, up to the first non-digit, 0 when
// none. Numbers above kMarkupNumberLimit read as the limit.
constexpr int32_t kMarkupNumberLimit = 65535;
int32_t ReadMarkupNumber(const TString& value);
// "rrggbb" in hexadecimal, with or without a leading '#'; always opaque.
TColor ReadMarkupColour(const TString& value);

// The character at text[at] as a code point, and its length in bytes (1 to
// 4). A byte that does not start a whole, well-formed sequence within the
// text reads alone, as the code of that byte.
uint32_t DecodeUtf8Char(const char* text, int32_t length, int32_t at, int32_t& bytes);

// Plain text as mark-up that shows it as it is, for texts that come from
// players or servers: a backslash before every '<' (which would start a
// tag) and every '\' (which would make the next character plain).
TString EscapeMarkup(const TString& text);
