#pragma once

#include <cstddef>

// Where the C library's heap puts big blocks. Left to itself it raises the
// size from which a block gets pages of its own each time such a block is
// freed, so once the first screen's pictures are let go, later pictures,
// decoded images and sound buffers come from the shared heap: what a
// finished screen frees stays with the process, in holes the next screen's
// pictures rarely fit, and the process grows as screens come and go. With
// the size fixed, every big block has pages of its own that go back to the
// system the moment it is freed.
namespace sys {

inline constexpr size_t kBigBlockBytes = 128 * 1024;

// From now on, blocks of kBigBlockBytes or more get pages of their own.
// Under a memory checker that brings its own heap this changes nothing.
void GiveBigBlocksPagesOfTheirOwn();

}  // namespace sys
