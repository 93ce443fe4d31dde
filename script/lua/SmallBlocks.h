#pragma once

#include <cstddef>
#include <cstdint>

// The small blocks of an interpreter that runs on the default allocator,
// carved from slabs of 64 KiB that each hold blocks of one size class (a
// multiple of 16 bytes). Scripts make small objects (strings, tables,
// closures) by the million and the collector frees them in bursts; the C
// library's allocator spent a large share of such programs' time on them,
// mostly waiting for memory it had handed out long before.
//
// Slabs come from regions of one large page (2 MiB) each, taken from the
// system: a program that builds many megabytes of objects then takes one page
// fault for each 32 slabs where it took 16 per slab, and on a virtual machine
// those faults had cost more than making the objects. A slab that empties goes
// back to its region, unless it is the one blocks of its class are being
// taken from, and a region whose slabs are all back goes back to the system,
// except one kept for the next burst, so memory follows the objects that live.
class SmallBlocks {
 public:
  static constexpr size_t kLargest = 256;

  SmallBlocks() = default;
  ~SmallBlocks();
  SmallBlocks(const SmallBlocks&) = delete;
  SmallBlocks& operator=(const SmallBlocks&) = delete;

  // A block of `size` bytes (1 to kLargest), aligned to 16 bytes; null when
  // the system has no memory for a new slab.
  void* Allocate(size_t size);
  // Gives back a block of this class that Allocate handed out.
  void Release(void* block, size_t size);
  // Whether blocks of both sizes are of one class, so one serves for the other.
  static bool SameClass(size_t a, size_t b) { return ClassOf(a) == ClassOf(b); }

  // Slabs and regions held, for tests.
  size_t Slabs() const;
  size_t Regions() const;

 private:
  struct Slab;
  struct Region;
  struct FreeBlock;
  struct FreeSlab;
  // A list of slabs or regions linked through their prev and next.
  template <class Item>
  struct List {
    Item* first = nullptr;
    Item* last = nullptr;
    void Unlink(Item* item);
    void PushFront(Item* item);
    void PushBack(Item* item);
  };
  static constexpr size_t kGrain = 16;
  static constexpr size_t kClasses = kLargest / kGrain;

  static size_t ClassOf(size_t size) { return (size - 1) / kGrain; }
  static Slab* SlabOf(void* block);
  Slab* NewSlab(size_t sizeclass);
  void* TakeSlabMemory(Region** region);
  void GiveBackSlab(Slab* slab);

  // Per class, every slab of that class; those with room come first.
  List<Slab> mSlabs[kClasses];
  // Every region; those with a slab to spare come first.
  List<Region> mRegions;
  Region* mSpare = nullptr;  // a region with every slab back, kept for the next burst
  size_t mSlabsMade = 0;
};
