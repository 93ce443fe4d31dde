#include "script/lua/SmallBlocks.h"

#include <sanitizer/asan_interface.h>

#include <new>

#include "system/os/LargePages.h"

namespace {

constexpr size_t kSlabBytes = 64 * 1024;
constexpr size_t kRegionBytes = sys::kLargePageBytes;
constexpr uint32_t kSlabsPerRegion = kRegionBytes / kSlabBytes;

}  // namespace

struct SmallBlocks::FreeBlock {
  FreeBlock* next;
};

struct SmallBlocks::FreeSlab {
  FreeSlab* next;
};

// A large page cut into slabs: first handed out in address order, then those
// given back.
struct SmallBlocks::Region {
  Region* prev = nullptr;
  Region* next = nullptr;
  char* base = nullptr;
  FreeSlab* free = nullptr;  // slabs given back
  uint32_t carved = 0;       // slabs handed out from the base up
  uint32_t inuse = 0;        // slabs not given back

  bool hasroom() const { return free != nullptr || carved < kSlabsPerRegion; }
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
  Region* region;
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

template <class Item>
void SmallBlocks::List<Item>::Unlink(Item* item) {
  (item->prev != nullptr ? item->prev->next : first) = item->next;
  (item->next != nullptr ? item->next->prev : last) = item->prev;
  item->prev = item->next = nullptr;
}

template <class Item>
void SmallBlocks::List<Item>::PushFront(Item* item) {
  item->next = first;
  (first != nullptr ? first->prev : last) = item;
  first = item;
}

template <class Item>
void SmallBlocks::List<Item>::PushBack(Item* item) {
  item->prev = last;
  (last != nullptr ? last->next : first) = item;
  last = item;
}

SmallBlocks::~SmallBlocks() {
  while (Region* region = mRegions.first) {
    mRegions.Unlink(region);
    ASAN_UNPOISON_MEMORY_REGION(region->base, kRegionBytes);
    sys::UnmapLargePages(region->base, kRegionBytes);
    delete region;
  }
}

SmallBlocks::Slab* SmallBlocks::SlabOf(void* block) {
  return reinterpret_cast<Slab*>(reinterpret_cast<uintptr_t>(block) & ~(kSlabBytes - 1));
}

// Memory for one slab from the first region with room, or from a new one.
void* SmallBlocks::TakeSlabMemory(Region** taken) {
  Region* region = mRegions.first;
  if (region == nullptr || !region->hasroom()) {
    void* base = sys::MapLargePages(kRegionBytes);
    if (base == nullptr) return nullptr;
    region = new (std::nothrow) Region;
    if (region == nullptr) {
      sys::UnmapLargePages(base, kRegionBytes);
      return nullptr;
    }
    region->base = static_cast<char*>(base);
    mRegions.PushFront(region);
  }
  void* memory;
  if (FreeSlab* reused = region->free) {
    region->free = reused->next;
    memory = reused;
  } else {
    memory = region->base + region->carved++ * kSlabBytes;
  }
  region->inuse++;
  if (region == mSpare) mSpare = nullptr;
  if (!region->hasroom() && region->next != nullptr) {
    mRegions.Unlink(region);
    mRegions.PushBack(region);
  }
  *taken = region;
  return memory;
}

void SmallBlocks::GiveBackSlab(Slab* slab) {
  Region* region = slab->region;
  ASAN_UNPOISON_MEMORY_REGION(slab, kSlabBytes);
  const bool wasfull = !region->hasroom();
  FreeSlab* freed = reinterpret_cast<FreeSlab*>(slab);
  freed->next = region->free;
  region->free = freed;
  region->inuse--;
  if (region->inuse == 0 && mSpare != nullptr) {
    mRegions.Unlink(region);
    sys::UnmapLargePages(region->base, kRegionBytes);
    delete region;
    return;
  }
  if (region->inuse == 0) mSpare = region;
  if (wasfull && region != mRegions.first) {
    mRegions.Unlink(region);
    mRegions.PushFront(region);
  }
}

SmallBlocks::Slab* SmallBlocks::NewSlab(size_t sizeclass) {
  Region* region = nullptr;
  void* memory = TakeSlabMemory(&region);
  if (memory == nullptr) return nullptr;
  Slab* slab = new (memory) Slab{};
  slab->region = region;
  slab->blocksize = static_cast<uint32_t>((sizeclass + 1) * kGrain);
  constexpr size_t kPage = 4096;
  constexpr size_t kStride = 7;  // prime to the pages of a slab: neighbours lie apart
  const size_t page = (mSlabsMade++ * kStride) % (kSlabBytes / kPage);
  slab->start = slab->unused = slab->first() + page * kPage;
  slab->limit = slab->end();
  ASAN_POISON_MEMORY_REGION(slab->first(), slab->end() - slab->first());
  mSlabs[sizeclass].PushFront(slab);
  return slab;
}

void* SmallBlocks::Allocate(size_t size) {
  const size_t sizeclass = ClassOf(size);
  Slab* slab = mSlabs[sizeclass].first;
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
    mSlabs[sizeclass].Unlink(slab);
    mSlabs[sizeclass].PushBack(slab);
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
  if (slab->used == 0 && slab != mSlabs[sizeclass].first) {
    mSlabs[sizeclass].Unlink(slab);
    GiveBackSlab(slab);
  } else if (wasfull && slab != mSlabs[sizeclass].first) {
    mSlabs[sizeclass].Unlink(slab);
    mSlabs[sizeclass].PushFront(slab);
  }
}

size_t SmallBlocks::Slabs() const {
  size_t count = 0;
  for (const List<Slab>& slabs : mSlabs) {
    for (const Slab* slab = slabs.first; slab != nullptr; slab = slab->next) count++;
  }
  return count;
}

size_t SmallBlocks::Regions() const {
  size_t count = 0;
  for (const Region* region = mRegions.first; region != nullptr; region = region->next) count++;
  return count;
}
