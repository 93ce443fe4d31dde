#pragma once

#include <bit>
#include <cstdint>

#include "script/lua/Limits.h"
#include "script/lua/OpCodes.h"

// The stored form of a precompiled chunk, shared by the writer (Dump.h) and
// the reader (Undump.h). It describes the file, not this host: counts and
// lengths are 32-bit whatever the host's int and size_t, so chunks move
// between 32-bit and 64-bit machines. Scalars are in the writer's byte order,
// which the header names.
//
// Header: the signature, the version byte, the byte-order byte, the eight size
// bytes of CHUNK_SIZES in their order, the test number. Then the main function:
// source (string; absent when it equals the enclosing function's), line
// defined (int), upvalue count, parameter count, vararg flag and register
// count (a byte each), line information, local variables, upvalue names,
// constants, nested functions and code, each led by an int count. A constant
// is its type tag as one byte (nil, number, string or wstring), then the value.
//
// A string is a size_t count of bytes including a terminating zero, then the
// bytes; 0 stands for no string. A wide string is a size_t count of 16-bit
// units including a terminating zero unit, then the units.

inline constexpr char LUA_SIGNATURE[] = "\x1bLua";
inline constexpr int LUA_SIGNATURE_SIZE = 4;
// High nibble major, low nibble minor.
inline constexpr int VERSION = 0x50;

// Stored widths, in bytes.
typedef int32_t chunk_int;
typedef uint32_t chunk_size;

struct ChunkSize {
  const char* name;  // as messages name it
  int value;
};

inline constexpr ChunkSize CHUNK_SIZES[] = {{"int", sizeof(chunk_int)},
                                            {"size_t", sizeof(chunk_size)},
                                            {"Instruction", sizeof(Instruction)},
                                            {"OP", SIZE_OP},
                                            {"A", SIZE_A},
                                            {"B", SIZE_B},
                                            {"C", SIZE_C},
                                            {"number", sizeof(double)}};

// Its integer part tells whether numbers are stored as this reader expects.
inline constexpr double TEST_NUMBER = 3.14159265358979323846E7;

// The byte-order byte of this machine: the first byte in memory of the int 1.
constexpr int luaU_endianness() { return std::endian::native == std::endian::little ? 1 : 0; }
