#include "media/text/VecSpanCache.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

namespace {

bool FitsSixteenBits(int32_t value) {
  return value >= std::numeric_limits<int16_t>::min() && value <= std::numeric_limits<int16_t>::max();
}

}  // namespace

size_t VecSpanCache::KeyHash::operator()(const Key& key) const {
  uint64_t hash = 0x9E3779B97F4A7C15u;
  for (uint32_t word : key) {
    hash = (hash ^ word) * 0xFF51AFD7ED558CCDu;
    hash ^= hash >> 32;
  }
  return static_cast<size_t>(hash);
}

VecSpanCache::Key VecSpanCache::MakeKey(std::span<const uint8_t> program, const VecGlyphPlacement& placement) {
  const auto address = reinterpret_cast<uint64_t>(program.data());
  const auto size = static_cast<uint64_t>(program.size());
  const VecGlyphPlacement& p = placement;
  return {static_cast<uint32_t>(address),
          static_cast<uint32_t>(address >> 32),
          static_cast<uint32_t>(size),
          static_cast<uint32_t>(size >> 32),
          std::bit_cast<uint32_t>(p.scaleX),
          std::bit_cast<uint32_t>(p.scaleY),
          std::bit_cast<uint32_t>(p.penX),
          std::bit_cast<uint32_t>(p.penY),
          std::bit_cast<uint32_t>(p.cosine),
          std::bit_cast<uint32_t>(p.sine),
          std::bit_cast<uint32_t>(p.strokeWidths[0]),
          std::bit_cast<uint32_t>(p.strokeWidths[1]),
          p.italic ? 1u : 0u,
          std::bit_cast<uint32_t>(p.clip[0]),
          std::bit_cast<uint32_t>(p.clip[1]),
          std::bit_cast<uint32_t>(p.clip[2]),
          std::bit_cast<uint32_t>(p.clip[3])};
}

bool VecSpanCache::Find(std::span<const uint8_t> program, const VecGlyphPlacement& placement, Glyph& glyph) const {
  const auto found = mGlyphs.find(MakeKey(program, placement));
  if (found == mGlyphs.end()) return false;
  const Stored& stored = found->second;
  // Another program may have come to lie where a kept one was.
  if (!std::equal(program.begin(), program.end(), mPrograms.begin() + static_cast<ptrdiff_t>(stored.programAt))) {
    return false;
  }
  glyph.colours = std::span(mColours).subspan(stored.firstColour, stored.colourCount);
  glyph.spans = std::span(mSpans).subspan(stored.firstSpan, stored.spanCount);
  return true;
}

void VecSpanCache::StartRecording(std::span<const uint8_t> program, const VecGlyphPlacement& placement) {
  mRecording = std::all_of(placement.clip.begin(), placement.clip.end(), FitsSixteenBits) &&
               program.size() <= kMaxProgramBytes;
  if (!mRecording) return;
  if (mGlyphs.size() >= kMaxGlyphs || mPrograms.size() + program.size() > kMaxProgramBytes) Forget();
  mOverflowed = false;
  mRecordingKey = MakeKey(program, placement);
  mRecorded = {mPrograms.size(), program.size(), mColours.size(), 0, mSpans.size(), 0};
  mPrograms.insert(mPrograms.end(), program.begin(), program.end());
}

void VecSpanCache::RecordColour(const uint8_t* rgb) {
  if (!mRecording || mOverflowed) return;
  if (mColours.size() == kMaxColours) {
    mOverflowed = true;
    return;
  }
  mColours.push_back({rgb[0], rgb[1], rgb[2]});
  ++mRecorded.colourCount;
}

void VecSpanCache::RecordSpan(int32_t left, int32_t right, int32_t row, uint8_t colour, int32_t samples) {
  if (!mRecording || mOverflowed) return;
  if (mSpans.size() == kMaxSpans) {
    mOverflowed = true;
    return;
  }
  mSpans.push_back({static_cast<int16_t>(left), static_cast<int16_t>(right), static_cast<int16_t>(row), colour,
                    static_cast<uint8_t>(std::min(samples, 32))});
  ++mRecorded.spanCount;
}

void VecSpanCache::FinishRecording() {
  if (!mRecording) return;
  mRecording = false;
  if (mOverflowed) {
    // Room for it next time, unless it alone passes the bound.
    Forget();
    return;
  }
  mGlyphs[mRecordingKey] = mRecorded;
}

void VecSpanCache::Forget() {
  mGlyphs.clear();
  mPrograms.clear();
  mColours.clear();
  mSpans.clear();
}
