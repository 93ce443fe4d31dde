#include "script/lua/NumberText.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <string>

#include "script/lua/Strings.h"

namespace {

bool isspaceunit(unsigned c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

bool isdigitunit(unsigned c) { return c >= '0' && c <= '9'; }

int hexvalue(unsigned c) {
  if (isdigitunit(c)) return static_cast<int>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<int>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<int>(c - 'A' + 10);
  return -1;
}

// Scans a decimal numeral at s (units of type Unit); returns the position after
// it, or s when there is none. Matches exactly what strtod reads of a decimal
// numeral: a sign, digits with one optional point and at least one digit, and
// an exponent only when digits follow its marker.
template <class Unit>
const Unit* scandecimal(const Unit* s) {
  const Unit* p = s;
  if (*p == '+' || *p == '-') p++;
  bool digits = false;
  while (isdigitunit(*p)) p++, digits = true;
  if (*p == '.') {
    p++;
    while (isdigitunit(*p)) p++, digits = true;
  }
  if (!digits) return s;
  if (*p == 'e' || *p == 'E') {
    const Unit* e = p + 1;
    if (*e == '+' || *e == '-') e++;
    if (isdigitunit(*e)) {
      while (isdigitunit(*e)) e++;
      p = e;
    }
  }
  return p;
}

template <class Unit>
bool onlyspaceleft(const Unit* p) {
  while (isspaceunit(*p)) p++;
  return *p == '\0';
}

locale_t clocale() {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return c;
}

// Converts a numeral already checked by scandecimal, ending at end.
bool convertdecimal(const char* start, const char* end, lua_Number* result) {
  char* converted = nullptr;
  const lua_Number n = strtod_l(start, &converted, clocale());
  if (converted != end) return false;
  *result = n;
  return true;
}

// The hexadecimal form of wide text, after its "0x". The prefix itself is a
// numeral, so "0x" and "0x." stand for 0.
bool converthexwide(const lua_WChar* p, lua_Number* result) {
  lua_Number value = 0;
  for (int d; (d = hexvalue(*p)) >= 0; p++) value = value * 16 + d;
  if (*p == '.') {
    p++;
    int shift = 0;
    for (int d; (d = hexvalue(*p)) >= 0; p++) {
      shift -= 4;
      value += std::ldexp(static_cast<lua_Number>(d), shift);
    }
    if (*p == 'p' || *p == 'P') {
      const lua_WChar* e = p + 1;
      const bool negative = *e == '-';
      if (*e == '+' || *e == '-') e++;
      if (isdigitunit(*e)) {
        // Saturates: past a few thousand every result is 0 or infinite anyway.
        constexpr int kExponentCap = 100000;
        int exponent = 0;
        for (; isdigitunit(*e); e++) {
          exponent = std::min(kExponentCap, exponent * 10 + (*e - '0'));
        }
        value = std::ldexp(value, negative ? -exponent : exponent);
        p = e;
      }
    }
  }
  if (!onlyspaceleft(p)) return false;
  *result = value;
  return true;
}

// The value of a digit or letter as a digit of any base up to 36, else 99.
int digitvalue(unsigned char c) {
  if (isdigitunit(c)) return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return 99;
}

}  // namespace

int luaO_str2u32(const char* s, int base, uint32_t* result) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(s);
  while (isspaceunit(*p)) p++;
  const bool negative = *p == '-';
  if (*p == '+' || *p == '-') p++;
  if (base == 16 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && digitvalue(p[2]) < 16) p += 2;
  const unsigned char* digits = p;
  uint64_t value = 0;
  for (; digitvalue(*p) < base; p++) {
    value = std::min<uint64_t>(value * base + digitvalue(*p), uint64_t{1} << 32);
  }
  if (p == digits || !onlyspaceleft(p)) return 0;
  if (value > UINT32_MAX) {
    *result = UINT32_MAX;
  } else {
    *result = negative ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
  }
  return 1;
}

int luaO_str2d(const char* s, lua_Number* result) {
  while (isspaceunit(static_cast<unsigned char>(*s))) s++;
  const char* end = scandecimal(s);
  if (end == s || !onlyspaceleft(end)) return 0;
  return convertdecimal(s, end, result) ? 1 : 0;
}

int luaO_wstr2d(const lua_WChar* s, lua_Number* result) {
  if (s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) return converthexwide(s + 2, result) ? 1 : 0;
  const lua_WChar* end = scandecimal(s);
  if (end == s || !onlyspaceleft(end)) return 0;
  const std::string narrow(s, end);  // only ASCII digits, signs, points and exponents
  return convertdecimal(narrow.c_str(), narrow.c_str() + narrow.size(), result) ? 1 : 0;
}

size_t luaO_number2str(lua_Number n, char (&out)[LUAI_MAXNUMBER2STR]) {
  // Whole numbers below 10^14 are written as "%.14g" writes them, digits
  // only, by the much quicker integer conversion (-0 keeps its sign).
  constexpr lua_Number kWholeDigitsOnly = 1e14;
  const bool whole = n > -kWholeDigitsOnly && n < kWholeDigitsOnly &&
                     n == static_cast<lua_Number>(static_cast<int64_t>(n)) &&
                     (n != 0 || !std::signbit(n));
  // to_chars with a precision formats as printf's "%.14g" in the "C" locale.
  const std::to_chars_result r =
      whole ? std::to_chars(out, out + sizeof out - 1, static_cast<int64_t>(n))
            : std::to_chars(out, out + sizeof out - 1, n, std::chars_format::general, 14);
  *r.ptr = '\0';
  return static_cast<size_t>(r.ptr - out);
}

int luaV_tostring(lua_State* L, TObject* obj) {
  if (!ttisnumber(obj)) return 0;
  char text[LUAI_MAXNUMBER2STR];
  const size_t len = luaO_number2str(nvalue(obj), text);
  setsvalue(obj, luaS_newlstr(L, text, len));
  return 1;
}

int luaV_towstring(lua_State* L, TObject* obj) {
  if (!ttisnumber(obj)) return 0;
  char text[LUAI_MAXNUMBER2STR];
  lua_WChar units[LUAI_MAXNUMBER2STR];
  const size_t len = luaO_number2str(nvalue(obj), text);
  for (size_t i = 0; i < len; i++) units[i] = static_cast<unsigned char>(text[i]);
  setwsvalue(obj, luaS_newlwstr(L, units, len));
  return 1;
}
