#pragma once

#include <cstddef>
#include <cstdint>

// The small blocks of an interpreter that runs on the default allocator,
// carved from slabs of 64 KiB that each hold blocks of one size class (a
// multiple of 16 bytes). Scripts make small objects (strings, tables,
// closures) by the million and the collector frees them in bursts; the C
// library's allocator spent a large share of such programs' time on them,
// mostly waiting for memory it had handed out long before. A slab that empties
// goes back to the C library, unless it is the one blocks of its class are
// being taken from, so memory follows the objects that live.
class SmallBlocks {
 public:
  static constexpr size_t kLargest = 256;

  SmallBlocks() = default;
  ~SmallBlocks();
  SmallBlocks(const SmallBlocks&) = delete;
  SmallBlocks& operator=(const SmallBlocks&) = delete;

  // A block of `size` bytes (1 to kLargest), aligned to 16 bytes; null when
  // the C library has no memory for a new slab.
  void* Allocate(size_t size);
  // Gives back a block of this class that Allocate handed out.
  void Release(void* block, size_t size);
  // Whether blocks of both sizes are of one class, so one serves for the other.
  static bool SameClass(size_t a, size_t b) { return ClassOf(a) == ClassOf(b); }

  // Slabs held, for tests.
  size_t Slabs() const;

 private:
  struct Slab;
  struct FreeBlock;
  static constexpr size_t kGrain = 16;
  static constexpr size_t kClasses = kLargest / kGrain;

  static size_t ClassOf(size_t size) { return (size - 1) / kGrain; }
  static Slab* SlabOf(void* block);
  Slab* NewSlab(size_t sizeclass);
  void Unlink(Slab* slab, size_t sizeclass);
  void PushFront(Slab* slab, size_t sizeclass);
  void PushBack(Slab* slab, size_t sizeclass);

  // Per class, every slab of that class; those with room come first.
  Slab* mFirst[kClasses] = {};
  Slab* mLast[kClasses] = {};
  size_t mSlabsMade = 0;
};
