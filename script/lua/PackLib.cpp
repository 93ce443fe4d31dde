// string.pack and string.unpack: numbers, truth values and byte or wide
// strings as bytes of fixed sizes ('i', 'I', 'l' and 'L' are 4 bytes on every
// host), in either byte order, with fixed-width fields.

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "script/lua/Auxlib.h"
#include "script/lua/FormatArguments.h"
#include "script/lua/Lualib.h"
#include "script/lua/Object.h"

namespace {

constexpr int kPackFormatArg = 1;
constexpr int kUnpackDataArg = 1;
constexpr int kUnpackFormatArg = 2;
constexpr int kUnpackInitArg = 3;

// Counts and widths saturate here: no format needs more.
constexpr size_t kMaxCount = INT32_MAX;

constexpr size_t kWideUnitSize = sizeof(lua_WChar);

// Bytes of a length field or a number in the byte order in force: the host
// is little-endian, so only big-endian order swaps.
struct ByteOrder {
  bool big = false;

  // Sets the order for '<', '=' or '>'; false for any other character.
  bool Select(char c) {
    if (c != '<' && c != '=' && c != '>') return false;
    big = c == '>';
    return true;
  }
  size_t Index(size_t i, size_t size) const { return big ? size - 1 - i : i; }
};

// Reads a format from left to right.
class FormatReader {
 public:
  FormatReader(const char* format, size_t len) : mP(format), mEnd(format + len) {}

  bool AtEnd() const { return mP >= mEnd; }
  char Next() { return *mP++; }
  bool Peek(char c) const { return mP < mEnd && *mP == c; }
  bool PeekDigit() const { return mP < mEnd && *mP >= '0' && *mP <= '9'; }
  // A decimal number, 0 when there are no digits.
  size_t Number() {
    size_t n = 0;
    while (PeekDigit()) {
      n = n * 10 + static_cast<size_t>(Next() - '0');
      if (n > kMaxCount) n = kMaxCount;
    }
    return n;
  }
  // The next item's letter: blanks and commas are passed over, byte-order
  // marks set *order, and a 'w' before the letter makes the item wide. False
  // at the end of the format; a 'w' that ends the format ends it too.
  bool NextItem(ByteOrder* order, char* code, bool* wide) {
    while (!AtEnd()) {
      char c = Next();
      *wide = c == 'w';
      if (*wide) {
        if (AtEnd()) return false;
        c = Next();
      }
      if (c == ' ' || c == ',' || order->Select(c)) continue;
      *code = c;
      return true;
    }
    return false;
  }
  // An item's repeat count: absent or 0 means 1.
  size_t Count() {
    const size_t n = Number();
    return n == 0 ? 1 : n;
  }

 private:
  const char* mP;
  const char* mEnd;
};

[[noreturn]] void badcode(lua_State* L, int arg, char code) {
  luaL_argerror(L, arg, lua_pushfstring(L, "bad code `%c'", code));
}

// --- pack ----------------------------------------------------------------------------

class Packer {
 public:
  explicit Packer(lua_State* L) { luaL_buffinit(L, &mBuffer); }

  ByteOrder& Order() { return mOrder; }

  void AddByte(unsigned char c) {
    luaL_putchar(&mBuffer, static_cast<char>(c));
    mWritten++;
  }
  void AddBytes(const char* bytes, size_t count) {
    luaL_addlstring(&mBuffer, bytes, count);
    mWritten += count;
  }
  // The low `size` bytes of value.
  void AddInteger(uint64_t value, size_t size) {
    unsigned char bytes[8];
    for (size_t i = 0; i < size; i++) {
      bytes[mOrder.Index(i, size)] = static_cast<unsigned char>(value >> (8 * i));
    }
    AddBytes(reinterpret_cast<const char*>(bytes), size);
  }
  void AddUnits(const lua_WChar* units, size_t count) {
    for (size_t i = 0; i < count; i++) AddInteger(units[i], kWideUnitSize);
  }

  // '@': closes the open field, filling it up to its width, then opens a new
  // one when a width follows. Widths count from the field's opening.
  void Field(FormatReader* format) {
    if (mFieldOpen) {
      const size_t written = mWritten - mFieldStart;
      if (written < mFieldWidth) AddFill(mFieldWidth - written);
      mFieldOpen = false;
    }
    if (!format->PeekDigit()) return;
    mFieldWidth = format->Number();
    mFill = 0;
    if (format->Peek(':')) {
      format->Next();
      mFill = static_cast<unsigned char>(format->Number());
    }
    mFieldOpen = true;
    mFieldStart = mWritten;
  }

  void PushResult() { luaL_pushresult(&mBuffer); }

 private:
  // `count` fill bytes, a block at a time: fields can be millions wide.
  void AddFill(size_t count) {
    char block[LUAL_BUFFERSIZE];
    memset(block, mFill, sizeof block);
    for (size_t n; count > 0; count -= n) {
      n = std::min(count, sizeof block);
      AddBytes(block, n);
    }
  }

  luaL_Buffer mBuffer;
  ByteOrder mOrder;
  size_t mWritten = 0;  // bytes added so far, across the buffer's flushes
  bool mFieldOpen = false;
  size_t mFieldStart = 0;
  size_t mFieldWidth = 0;
  unsigned char mFill = 0;
};

// Bytes of the length field of a counted string item, 0 for other letters.
size_t lengthfieldsize(char code) {
  switch (code) {
    case 'p': return 1;
    case 'P': return 2;
    case 'a': return 4;
    default: return 0;
  }
}

bool isstringcode(char code) {
  return code == 'A' || code == 'z' || lengthfieldsize(code) != 0;
}

// A string item: its text, then a zero for 'z'; its length first for 'p',
// 'P' and 'a', counted in units when wide. A length that does not fit its
// field is an argument error.
void packstring(lua_State* L, Packer* packer, FormatArguments* args, char code, bool wide) {
  const int arg = args->Next(wide ? "wstring" : "string");
  size_t len;
  const lua_WChar* units = nullptr;
  const char* bytes = nullptr;
  if (wide) {
    units = luaL_checkwstring(L, arg, &len);
  } else {
    bytes = luaL_checklstring(L, arg, &len);
  }
  const size_t fieldsize = lengthfieldsize(code);
  if (fieldsize != 0) {
    const uint64_t limit = (uint64_t{1} << (8 * fieldsize)) - 1;
    if (len > limit) luaL_argerror(L, arg, lua_pushfstring(L, "string too long for `%c'", code));
    packer->AddInteger(len, fieldsize);
  }
  if (wide) {
    packer->AddUnits(units, len);
  } else {
    packer->AddBytes(bytes, len);
  }
  if (code == 'z') {
    const lua_WChar zero = 0;
    if (wide) {
      packer->AddUnits(&zero, 1);
    } else {
      packer->AddByte(0);
    }
  }
}

// The bytes of a number item; false for a letter that is none.
bool packnumber(lua_State* L, Packer* packer, FormatArguments* args, char code) {
  switch (code) {
    case 'b': case 'c':
      packer->AddInteger(luaO_num2bits(luaL_checknumber(L, args->Next("number"))), 1);
      return true;
    case 'h': case 'H':
      packer->AddInteger(luaO_num2bits(luaL_checknumber(L, args->Next("number"))), 2);
      return true;
    case 'i': case 'I': case 'l': case 'L':
      packer->AddInteger(luaO_num2bits(luaL_checknumber(L, args->Next("number"))), 4);
      return true;
    case 'f': {
      const float f = static_cast<float>(luaL_checknumber(L, args->Next("number")));
      uint32_t bits;
      memcpy(&bits, &f, sizeof bits);
      packer->AddInteger(bits, sizeof bits);
      return true;
    }
    case 'd': case 'n': {
      const lua_Number n = luaL_checknumber(L, args->Next("number"));
      uint64_t bits;
      memcpy(&bits, &n, sizeof bits);
      packer->AddInteger(bits, sizeof bits);
      return true;
    }
    case 'B': {
      const int arg = args->Next("boolean");
      luaL_argcheck(L, lua_isboolean(L, arg), arg, "expected a boolean");
      packer->AddByte(lua_toboolean(L, arg) ? 1 : 0);
      return true;
    }
    default:
      return false;
  }
}

int str_pack(lua_State* L) {
  size_t len;
  const char* f = luaL_checklstring(L, kPackFormatArg, &len);
  FormatReader format(f, len);
  FormatArguments args(L, kPackFormatArg + 1);
  Packer packer(L);
  char code;
  bool wide;
  while (format.NextItem(&packer.Order(), &code, &wide)) {
    if (code == '@') {
      packer.Field(&format);
      continue;
    }
    for (size_t n = format.Count(); n > 0; n--) {
      if (isstringcode(code)) {
        packstring(L, &packer, &args, code, wide);
      } else if (!packnumber(L, &packer, &args, code)) {
        badcode(L, kPackFormatArg, code);
      }
    }
  }
  packer.PushResult();
  return 1;
}

// --- unpack ----------------------------------------------------------------------------

class Unpacker {
 public:
  Unpacker(lua_State* L, const char* data, size_t len, size_t pos)
      : mL(L), mData(reinterpret_cast<const unsigned char*>(data)), mLen(len), mPos(pos) {}

  ByteOrder& Order() { return mOrder; }
  size_t Position() const { return mPos; }
  size_t Remaining() const { return mPos < mLen ? mLen - mPos : 0; }

  // The next `size` bytes as an unsigned integer in the byte order in force.
  uint64_t Integer(size_t size) const {
    uint64_t value = 0;
    for (size_t i = 0; i < size; i++) {
      value |= static_cast<uint64_t>(mData[mPos + mOrder.Index(i, size)]) << (8 * i);
    }
    return value;
  }

  // Pushes one number or truth value; false when it does not fit.
  bool Number(char code) {
    const size_t size = NumberSize(code);
    if (size > Remaining()) return false;
    const uint64_t bits = Integer(size);
    mPos += size;
    switch (code) {
      case 'c': lua_pushnumber(mL, static_cast<int8_t>(bits)); break;
      case 'h': lua_pushnumber(mL, static_cast<int16_t>(bits)); break;
      case 'i': case 'l': lua_pushnumber(mL, static_cast<int32_t>(bits)); break;
      case 'B': lua_pushboolean(mL, bits != 0); break;
      case 'f': {
        const uint32_t b32 = static_cast<uint32_t>(bits);
        float f;
        memcpy(&f, &b32, sizeof f);
        lua_pushnumber(mL, f);
        break;
      }
      case 'd': case 'n': {
        lua_Number n;
        memcpy(&n, &bits, sizeof n);
        lua_pushnumber(mL, n);
        break;
      }
      default: lua_pushnumber(mL, static_cast<lua_Number>(bits)); break;  // b H I L
    }
    return true;
  }

  // Pushes `count` characters (bytes or units) from the position on; false
  // when they do not fit. `skip` more characters are passed over after them.
  bool Text(uint64_t count, bool wide, size_t skip) {
    const uint64_t unit = wide ? kWideUnitSize : 1;
    if (count + skip > Remaining() / unit) return false;
    const char* start = reinterpret_cast<const char*>(mData + mPos);
    if (wide) {
      PushUnits(count);
    } else {
      lua_pushlstring(mL, start, count);
    }
    mPos += (count + skip) * unit;
    return true;
  }

  // The characters before the next zero character: its count, or -1 when
  // there is none before the end of the data.
  int64_t CountToZero(bool wide) const {
    if (Remaining() == 0) return -1;  // the position may lie past the data
    if (!wide) {
      const void* zero = memchr(mData + mPos, 0, Remaining());
      return zero != nullptr ? static_cast<const unsigned char*>(zero) - (mData + mPos) : -1;
    }
    Unpacker probe = *this;
    for (int64_t n = 0; probe.Remaining() >= kWideUnitSize; n++, probe.mPos += kWideUnitSize) {
      if (probe.Integer(kWideUnitSize) == 0) return n;
    }
    return -1;
  }

  // Moves past a length field that was read.
  void Skip(size_t bytes) { mPos += bytes; }

 private:
  static size_t NumberSize(char code) {
    switch (code) {
      case 'h': case 'H': return 2;
      case 'i': case 'I': case 'l': case 'L': case 'f': return 4;
      case 'd': case 'n': return 8;
      default: return 1;  // b c B
    }
  }

  void PushUnits(uint64_t count) {
    luaL_Buffer b;
    luaL_wbuffinit(mL, &b);
    Unpacker reader = *this;
    for (uint64_t i = 0; i < count; i++, reader.mPos += kWideUnitSize) {
      const lua_WChar unit = static_cast<lua_WChar>(reader.Integer(kWideUnitSize));
      luaL_addlwstring(&b, &unit, 1);
    }
    luaL_pushresult(&b);
  }

  lua_State* mL;
  const unsigned char* mData;
  size_t mLen;
  size_t mPos;
  ByteOrder mOrder;
};

bool isnumbercode(char code) { return code != '\0' && strchr("bchHiIlLfdnB", code) != nullptr; }

// Reads one string item; false when it does not fit. 'A' takes `count`
// characters; 'z' reads to the next zero character; 'p', 'P' and 'a' read
// their length first.
bool unpackstring(Unpacker* unpacker, char code, bool wide, size_t count) {
  if (code == 'A') return unpacker->Text(count, wide, 0);
  if (code == 'z') {
    const int64_t len = unpacker->CountToZero(wide);
    return len >= 0 && unpacker->Text(static_cast<uint64_t>(len), wide, 1);
  }
  const size_t fieldsize = lengthfieldsize(code);
  if (fieldsize > unpacker->Remaining()) return false;
  const uint64_t len = unpacker->Integer(fieldsize);
  Unpacker text = *unpacker;
  text.Skip(fieldsize);
  if (!text.Text(len, wide, 0)) return false;
  unpacker->Skip(fieldsize + static_cast<size_t>(len) * (wide ? kWideUnitSize : 1));
  return true;
}

int str_unpack(lua_State* L) {
  size_t len, flen;
  const char* data = luaL_checklstring(L, kUnpackDataArg, &len);
  const char* f = luaL_checklstring(L, kUnpackFormatArg, &flen);
  const int init = luaL_optint(L, kUnpackInitArg, 1);
  luaL_argcheck(L, init >= 1, kUnpackInitArg, "out of range");
  FormatReader format(f, flen);
  Unpacker unpacker(L, data, len, static_cast<size_t>(init) - 1);
  lua_pushnil(L);  // the position's slot, set at the end
  const int first = lua_gettop(L);
  bool fits = true;
  char code;
  bool wide;
  while (fits && format.NextItem(&unpacker.Order(), &code, &wide)) {
    if (code == 'A') {
      fits = unpackstring(&unpacker, code, wide, format.Count());
    } else if (isstringcode(code)) {
      for (size_t n = format.Count(); n > 0 && fits; n--) {
        fits = unpackstring(&unpacker, code, wide, 0);
      }
    } else if (isnumbercode(code)) {
      for (size_t n = format.Count(); n > 0 && fits; n--) fits = unpacker.Number(code);
    } else {
      badcode(L, kUnpackFormatArg, code);
    }
  }
  // A string item that did not fit has pushed nothing.
  lua_pushnumber(L, static_cast<lua_Number>(unpacker.Position() + 1));
  lua_replace(L, first);
  return lua_gettop(L) - first + 1;
}

const luaL_reg packlib[] = {
    {"pack", str_pack},
    {"unpack", str_unpack},
    {nullptr, nullptr},
};

}  // namespace

int luaopen_pack(lua_State* L) {
  luaL_openlib(L, "string", packlib, 0);
  return 1;
}
