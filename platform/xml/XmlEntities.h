#pragma once

#include <string>

// The XML character entities the program reads and writes: the five
// predefined ones ("&amp;", "&lt;", "&gt;", "&quot;", "&apos;") and decimal
// character references ("&#233;"), which stand for one byte.

// Decodes the entities in text; anything else, including an unknown or
// unterminated entity, stays as written. firstDecoded (optional) tells
// whether the first character came from an entity.
std::string DecodeXmlEntities(const char* text, size_t length, bool* firstDecoded = nullptr);

// Where a text is written, which decides what else must be escaped for the
// reader to give it back unchanged.
enum class XmlField {
  kQuotedValue,  // between double quotes: read as written
  kWord,         // a name or a value without quotes, which the reader takes
                 // for one word: no blank or "=" inside, no "/" at its start
                 // or end (an end tag, an empty-element tag), not "?" alone
  kText,         // element text, whose words the reader joins with single
                 // blanks: no "=" (a token of its own) and no blank but single
                 // blanks between two other characters
};

// Appends text with "&", "<", ">", the double quote and the apostrophe
// written as predefined entities and every byte below 32 or from 128 up as
// a decimal character reference; so are the characters the field needs
// escaped besides.
void AppendXmlEscaped(std::string* out, const char* text, size_t length,
                      XmlField field = XmlField::kQuotedValue);
