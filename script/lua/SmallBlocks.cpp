#include "script/lua/SmallBlocks.h"

#include <sanitizer/asan_interface.h>

#include <cstdlib>
#include <new>

namespace {

constexpr size_t kSlabBytes = 64 * 1024;

}  // namespace

struct SmallBlocks::FreeBlock {
  FreeBlock* next;
};

// The head of a slab; its blocks follow it. They are handed out first from
// `start`, some pages into the slab, to its end, and then from the head up to
// `start`: slabs lie on 64 KiB boundaries, and were every slab's first blocks
// on its first page, those pages would all compete for the same few entries
// of the processor's address-translation cache (a program touching a few
// objects of many sizes ran a tenth slower so).
struct alignas(16) SmallBlocks::Slab {
  Slab* prev;
  Slab* next;
  FreeBlock* free;  // blocks given back
  char* unused;     // the next block never handed out...
  char* limit;      // ...and where that run ends
  char* start;
  uint32_t used;    // blocks handed out
  uint32_t blocksize;

  char* first() { return reinterpret_cast<char*>(this + 1); }
  char* end() { return reinterpret_cast<char*>(this) + kSlabBytes; }
  bool towrap() { return limit == end() && start != first(); }
  bool hasroom() {
    return free != nullptr || unused + blocksize <= limit ||
           (towrap() && first() + blocksize <= start);
  }
  // A block never handed out; there must be room.
  char* carve() {
    if (unused + blocksize > limit) {  // on from the head
      unused = first();
      limit = start;
    }
    char* block = unused;
    unused += blocksize;
    return block;
  }
};

SmallBlocks::~SmallBlocks() {
  for (Slab* first : mFirst) {
    while (Slab* slab = first) {
      first = slab->next;
      ASAN_UNPOISON_MEMORY_REGION(slab, kSlabBytes);
      free(slab);
    }
  }
}

SmallBlocks::Slab* SmallBlocks::SlabOf(void* block) {
  return reinterpret_cast<Slab*>(reinterpret_cast<uintptr_t>(block) & ~(kSlabBytes - 1));
}

SmallBlocks::Slab* SmallBlocks::NewSlab(size_t sizeclass) {
  void* memory = aligned_alloc(kSlabBytes, kSlabBytes);
  if (memory == nullptr) return nullptr;
  Slab* slab = new (memory) Slab{};
  slab->blocksize = static_cast<uint32_t>((sizeclass + 1) * kGrain);
  constexpr size_t kPage = 4096;
  constexpr size_t kStride = 7;  // prime to the pages of a slab: neighbours lie apart
  const size_t page = (mSlabsMade++ * kStride) % (kSlabBytes / kPage);
  slab->start = slab->unused = slab->first() + page * kPage;
  slab->limit = slab->end();
  ASAN_POISON_MEMORY_REGION(slab->first(), slab->end() - slab->first());
  PushFront(slab, sizeclass);
  return slab;
}

void SmallBlocks::Unlink(Slab* slab, size_t sizeclass) {
  (slab->prev != nullptr ? slab->prev->next : mFirst[sizeclass]) = slab->next;
  (slab->next != nullptr ? slab->next->prev : mLast[sizeclass]) = slab->prev;
  slab->prev = slab->next = nullptr;
}

void SmallBlocks::PushFront(Slab* slab, size_t sizeclass) {
  slab->next = mFirst[sizeclass];
  (mFirst[sizeclass] != nullptr ? mFirst[sizeclass]->prev : mLast[sizeclass]) = slab;
  mFirst[sizeclass] = slab;
}

void SmallBlocks::PushBack(Slab* slab, size_t sizeclass) {
  slab->prev = mLast[sizeclass];
  (mLast[sizeclass] != nullptr ? mLast[sizeclass]->next : mFirst[sizeclass]) = slab;
  mLast[sizeclass] = slab;
}

void* SmallBlocks::Allocate(size_t size) {
  const size_t sizeclass = ClassOf(size);
  Slab* slab = mFirst[sizeclass];
  if (slab == nullptr || !slab->hasroom()) {
    slab = NewSlab(sizeclass);
    if (slab == nullptr) return nullptr;
  }
  void* block;
  if (FreeBlock* reused = slab->free) {
    ASAN_UNPOISON_MEMORY_REGION(reused, slab->blocksize);
    slab->free = reused->next;
    block = reused;
  } else {
    block = slab->carve();
    ASAN_UNPOISON_MEMORY_REGION(block, slab->blocksize);
  }
  slab->used++;
  if (!slab->hasroom() && slab->next != nullptr) {
    Unlink(slab, sizeclass);
    PushBack(slab, sizeclass);
  }
  return block;
}

void SmallBlocks::Release(void* block, size_t size) {
  const size_t sizeclass = ClassOf(size);
  Slab* slab = SlabOf(block);
  const bool wasfull = !slab->hasroom();
  FreeBlock* freed = static_cast<FreeBlock*>(block);
  freed->next = slab->free;
  slab->free = freed;
  ASAN_POISON_MEMORY_REGION(block, slab->blocksize);
  slab->used--;
  if (slab->used == 0 && slab != mFirst[sizeclass]) {
    Unlink(slab, sizeclass);
    ASAN_UNPOISON_MEMORY_REGION(slab, kSlabBytes);
    free(slab);
  } else if (wasfull && slab != mFirst[sizeclass]) {
    Unlink(slab, sizeclass);
    PushFront(slab, sizeclass);
  }
}

size_t SmallBlocks::Slabs() const {
  size_t count = 0;
  for (const Slab* first : mFirst) {
    for (const Slab* slab = first; slab != nullptr; slab = slab->next) count++;
  }
  return count;
}
