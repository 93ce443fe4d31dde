#pragma once

#include <cstddef>

// Memory backed by large pages (2 MiB) where the system allows them. Filling
// fresh memory costs a page fault per page the first time each page is
// touched; with large pages a program that builds many megabytes of objects
// takes one fault where it took 512, and faults are dear on a virtual machine.
namespace sys {

inline constexpr size_t kLargePageBytes = 2 * 1024 * 1024;

// A new range of `bytes` (a multiple of kLargePageBytes) that starts on a
// large-page boundary, zero-filled, asking for large pages; null when the
// system has no memory for it.
void* MapLargePages(size_t bytes);
// Gives back a range that MapLargePages handed out.
void UnmapLargePages(void* range, size_t bytes);
// Resizes a range that MapLargePages handed out to `newbytes` (a multiple of
// kLargePageBytes), keeping its contents up to the smaller size: in place
// where the addresses after it are free, else moved whole to a new range
// without copying (its pages change address, not place). Null, with the range
// left as it was, when the system has no memory for it.
void* ResizeLargePages(void* range, size_t oldbytes, size_t newbytes);

}  // namespace sys
