#include "system/os/LargePages.h"

#include <sys/mman.h>

#include <cstdint>

namespace sys {

void* MapLargePages(size_t bytes) {
  // Mapped a large page longer than asked, so a boundary lies within the
  // first large page; the slack at either end goes back at once.
  const size_t mapped = bytes + kLargePageBytes;
  void* memory = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (memory == MAP_FAILED) return nullptr;
  const uintptr_t start = reinterpret_cast<uintptr_t>(memory);
  const uintptr_t aligned = (start + kLargePageBytes - 1) & ~(kLargePageBytes - 1);
  if (aligned > start) munmap(memory, aligned - start);
  const uintptr_t end = start + mapped;
  if (end > aligned + bytes) munmap(reinterpret_cast<void*>(aligned + bytes), end - aligned - bytes);
  void* range = reinterpret_cast<void*>(aligned);
  madvise(range, bytes, MADV_HUGEPAGE);
  return range;
}

void UnmapLargePages(void* range, size_t bytes) { munmap(range, bytes); }

void* ResizeLargePages(void* range, size_t oldbytes, size_t newbytes) {
  char* start = static_cast<char*>(range);
  if (newbytes <= oldbytes) {
    if (newbytes < oldbytes) munmap(start + newbytes, oldbytes - newbytes);
    return range;
  }
  if (mremap(range, oldbytes, newbytes, 0) != MAP_FAILED) return range;
  // The new range is mapped first, so the old pages land on a large-page
  // boundary and stay large pages.
  void* moved = MapLargePages(newbytes);
  if (moved == nullptr) return nullptr;
  if (mremap(range, oldbytes, oldbytes, MREMAP_MAYMOVE | MREMAP_FIXED, moved) == MAP_FAILED) {
    munmap(moved, newbytes);
    return nullptr;
  }
  return moved;
}

}  // namespace sys
