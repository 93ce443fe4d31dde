#pragma once

#include "script/lua/Object.h"

// Conversions between numbers and text, byte or wide. They accept exactly the
// syntax below, whatever the C library or the locale would accept:
// - byte text: optional white space, an optional sign, decimal digits with an
//   optional point (at least one digit), an optional exponent (e or E, an
//   optional sign, digits), optional white space. No hexadecimal, no "inf",
//   no "nan".
// - wide text: the same without leading white space (and converted by the
//   same routine, so L"1.1" and "1.1" give the same number), or "0x"/"0X",
//   hexadecimal digits, an optional point with more of them, and only after a
//   point an optional binary exponent (p or P, an optional sign, decimal
//   digits); at least one hexadecimal digit, no sign before "0x". Trailing
//   white space is units below 256 only.
// Numbers are written with "%.14g" as in the "C" locale.

// Byte text (zero-terminated) to number: 1 and the number in *result, or 0.
int luaO_str2d(const char* s, lua_Number* result);
// Wide text (zero-terminated units) to number: 1 and the number, or 0.
int luaO_wstr2d(const lua_WChar* s, lua_Number* result);
// Byte text (zero-terminated) as an unsigned 32-bit integer in base 2..36, as
// the C library's strtoul reads it where unsigned long has 32 bits: optional
// white space, an optional sign (a minus negates modulo 2^32), "0x" or "0X"
// before hexadecimal digits in base 16, the digits (letters in either case),
// saturating at 4294967295. Only white space may follow. 1 and the value in
// *result, or 0 when no digit was read or anything else follows.
int luaO_str2u32(const char* s, int base, uint32_t* result);
// Writes n with "%.14g" into out (terminated); returns the length.
size_t luaO_number2str(lua_Number n, char (&out)[LUAI_MAXNUMBER2STR]);

// A number value becomes, in place, its "%.14g" text as a byte string
// (luaV_tostring) or as a wide string of one unit per character
// (luaV_towstring). Other values are left alone and the result is 0.
int luaV_tostring(lua_State* L, TObject* obj);
int luaV_towstring(lua_State* L, TObject* obj);
