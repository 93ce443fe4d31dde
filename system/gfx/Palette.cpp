#include "system/gfx/Palette.h"

#include <algorithm>

namespace sys::gfx {
namespace {

bool Fits(uint32_t first, uint32_t count) { return first <= Palette::kEntries && count <= Palette::kEntries - first; }

}  // namespace

Result Palette::GetEntries(uint32_t first, uint32_t count, uint32_t* out) const {
  if (!out || !Fits(first, count)) return Result::InvalidArgument;
  std::lock_guard guard(mMutex);
  std::copy_n(mEntries.begin() + first, count, out);
  return Result::Ok;
}

Result Palette::SetEntries(uint32_t first, uint32_t count, const uint32_t* entries) {
  if (!entries || !Fits(first, count)) return Result::InvalidArgument;
  std::lock_guard guard(mMutex);
  std::copy_n(entries, count, mEntries.begin() + first);
  return Result::Ok;
}

Palette::Entries Palette::Snapshot() const {
  std::lock_guard guard(mMutex);
  return mEntries;
}

}  // namespace sys::gfx
