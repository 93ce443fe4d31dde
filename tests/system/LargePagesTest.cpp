#include "system/os/LargePages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

namespace {

constexpr size_t kPage = sys::kLargePageBytes;

// Writes a byte pattern that differs from offset to offset within each page.
void Stamp(unsigned char* range, size_t bytes) {
  for (size_t i = 0; i < bytes; i += 4093) range[i] = static_cast<unsigned char>(i / 4093);
}

bool StillStamped(const unsigned char* range, size_t bytes) {
  for (size_t i = 0; i < bytes; i += 4093) {
    if (range[i] != static_cast<unsigned char>(i / 4093)) return false;
  }
  return true;
}

TEST(LargePages, RangesStartOnALargePageAndAreZeroFilled) {
  auto* range = static_cast<unsigned char*>(sys::MapLargePages(2 * kPage));
  ASSERT_NE(range, nullptr);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(range) % kPage, 0u);
  EXPECT_EQ(range[0], 0);
  EXPECT_EQ(range[2 * kPage - 1], 0);
  sys::UnmapLargePages(range, 2 * kPage);
}

TEST(LargePages, AResizedRangeKeepsItsContents) {
  auto* range = static_cast<unsigned char*>(sys::MapLargePages(kPage));
  ASSERT_NE(range, nullptr);
  Stamp(range, kPage);
  // Another range mapped meanwhile may stand in the way of growing in place.
  void* neighbour = sys::MapLargePages(kPage);
  ASSERT_NE(neighbour, nullptr);
  size_t bytes = kPage;
  for (size_t next : {3 * kPage, 8 * kPage, 2 * kPage, 5 * kPage}) {
    range = static_cast<unsigned char*>(sys::ResizeLargePages(range, bytes, next));
    ASSERT_NE(range, nullptr) << next;
    EXPECT_EQ(reinterpret_cast<uintptr_t>(range) % kPage, 0u) << next;
    EXPECT_TRUE(StillStamped(range, std::min(bytes, next))) << next;
    EXPECT_EQ(range[next - 1], 0) << "grown bytes are zero, " << next;
    Stamp(range, next);
    bytes = next;
  }
  sys::UnmapLargePages(range, bytes);
  sys::UnmapLargePages(neighbour, kPage);
}

}  // namespace
