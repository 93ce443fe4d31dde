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

// The head of a slab; its blocks follow, from `firstblock` on.
struct alignas(16) SmallBlocks::Slab {
  Slab* prev;
  Slab* next;
  FreeBlock* free;  // blocks given back
  char* unused;     // the part never handed out runs from here to the end
  uint32_t used;    // blocks handed out
  uint32_t blocksize;

  char* end() { return reinterpret_cast<char*>(this) + kSlabBytes; }
  bool hasroom() { return free != nullptr || unused + blocksize <= end(); }
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
  slab->unused = reinterpret_cast<char*>(slab + 1);
  ASAN_POISON_MEMORY_REGION(slab->unused, slab->end() - slab->unused);
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
    block = slab->unused;
    slab->unused += slab->blocksize;
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
