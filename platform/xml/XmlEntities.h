#pragma once

#include <string>

// The XML character entities the program reads and writes: the five
// predefined ones ("&amp;", "&lt;", "&gt;", "&quot;", "&apos;") and decimal
// character references ("&#233;"), which stand for one byte.

// Decodes the entities in text; anything else, including an unknown or
// unterminated entity, stays as written. firstDecoded (optional) tells
// whether the first character came from an entity.
std::string DecodeXmlEntities(const char* text, size_t length, bool* firstDecoded = nullptr);

// Appends text with "&", "<", ">", the double quote and the apostrophe
// written as predefined entities and every byte below 32 or from 128 up as
// a decimal character reference.
void AppendXmlEscaped(std::string* out, const char* text, size_t length);
