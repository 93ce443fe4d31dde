#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>

// Basic types and limits of the interpreter. Sizes in memory follow the host;
// the limits below are the ones scripts and stored chunks can observe.

typedef unsigned char lu_byte;
// Byte counts of the collector.
typedef size_t lu_mem;
// String and key hashes: unsigned 32-bit arithmetic on every host.
typedef uint32_t lu_hash;
// One virtual-machine instruction word.
typedef uint32_t Instruction;

// Largest block the memory entry hands out (exclusive) and largest count of
// characters or items anywhere.
inline constexpr size_t MAX_SIZET = 4294967293u;
inline constexpr int MAX_INT = INT_MAX - 2;
inline constexpr lu_mem MAX_LUMEM = SIZE_MAX - 2;

// Tables: at most 2^MAXBITS array slots and 2^MAXBITS hash nodes.
inline constexpr int MAXBITS = 24;
inline constexpr int MAXASIZE = 1 << MAXBITS;

// Smallest size of a growable text buffer and of a grown vector.
inline constexpr size_t LUA_MINBUFFER = 32;
inline constexpr int MINSIZEARRAY = 4;
// Room for a number formatted with "%.14g".
inline constexpr int LUAI_MAXNUMBER2STR = 32;

// Stack and calls.
inline constexpr int BASIC_STACK_SIZE = 40;  // 2 x LUA_MINSTACK
inline constexpr int EXTRA_STACK = 5;        // slots above stack_last for pushes in flight
inline constexpr int BASIC_CI_SIZE = 8;
inline constexpr int LUA_MAXCALLS = 4096;
inline constexpr int LUA_MAXCCALLS = 200;
inline constexpr int LUA_MAXCSTACK = 2048;
// Redirections through "__index" or "__newindex" before "loop in gettable".
inline constexpr int MAXTAGLOOP = 100;
// Initial number of string-table chains.
inline constexpr int MINSTRTABSIZE = 32;
