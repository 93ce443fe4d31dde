#include "media/text/TVecFont.h"

#include <algorithm>
#include <cstring>

#include "platform/text/Log.h"

namespace {

constexpr uint32_t kHeaderSize = 12;
constexpr uint32_t kRecordSize = 18;
constexpr uint32_t kCodeField = 0;
constexpr uint32_t kBearingField = 4;
constexpr uint32_t kWidthField = 6;
constexpr uint32_t kTopField = 8;
constexpr uint32_t kBottomField = 10;
constexpr uint32_t kAdvanceField = 12;
constexpr uint32_t kProgramField = 14;
constexpr float kUnit = 0.0078125f;  // the file's 1/128 units

// The em's share above the ascent and below the descent; the em is
// (ascent + descent) / 0.8.
constexpr float kEmAbove = 0.15f;
constexpr float kEmBelow = 0.05f;
constexpr float kEmOfLineBox = 0.8f;

uint16_t ReadU16(const uint8_t* bytes) { return static_cast<uint16_t>(bytes[0] | bytes[1] << 8); }

uint32_t ReadU32(const uint8_t* bytes) {
  return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
         static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

}  // namespace

TVecFont::TVecFont(std::vector<uint8_t> data) : mData(std::move(data)) {
  if (mData.size() < kHeaderSize || std::memcmp(mData.data(), "MVC4", 4) != 0) {
    LogPrintf("Vector font: not an MVC4 font (%zu bytes)", mData.size());
    return;
  }
  ReadRecords();
  ReadLineBox();
  ScaleTallGlyphs();
}

void TVecFont::ReadRecords() {
  const uint32_t claimed = ReadU16(mData.data() + 4);
  const uint32_t fitting = static_cast<uint32_t>((mData.size() - kHeaderSize) / kRecordSize);
  if (claimed > fitting) LogPrintf("Vector font: %u glyphs claimed, %u fit in the data", claimed, fitting);
  const uint32_t count = std::min(claimed, fitting);
  mCodes.reserve(count);
  mRecordOffsets.reserve(count);
  uint32_t outside = 0;
  for (uint32_t i = 0; i < count; ++i) {
    const uint32_t record = kHeaderSize + kRecordSize * i;
    if (ReadU32(mData.data() + record + kProgramField) >= mData.size()) {
      ++outside;
      continue;
    }
    mCodes.push_back(ReadU32(mData.data() + record + kCodeField));
    mRecordOffsets.push_back(record);
  }
  if (outside > 0) LogPrintf("Vector font: %u glyphs left out, their outlines lie outside the data", outside);
}

void TVecFont::ReadLineBox() {
  const int32_t w = FindGlyph('W');
  if (w >= 0) mAscent = -Metric(w, kTopField);
  for (int32_t i = 0; i < GetCount(); ++i) {
    if (mCodes[i] < 128 && mCodes[i] != '_') mDescent = std::max(mDescent, Metric(i, kBottomField));
  }
  if (mAscent + mDescent > 0.0f) return;
  // Every size would divide by this line box.
  LogPrintf("Vector font: no line box (ascent %f, descent %f); no glyphs used", mAscent, mDescent);
  mCodes.clear();
  mRecordOffsets.clear();
  mAscent = mDescent = 0.0f;
}

void TVecFont::ScaleTallGlyphs() {
  const float above = mAscent + GetExtraAbove();
  const float below = mDescent + GetExtraBelow();
  mGlyphScales.assign(mCodes.size(), 1.0f);
  for (int32_t i = 0; i < GetCount(); ++i) {
    const float up = above > 0.0f ? -Metric(i, kTopField) / above : 0.0f;
    const float down = below > 0.0f ? Metric(i, kBottomField) / below : 0.0f;
    const float larger = std::max(up, down);
    if (larger > 1.0f) mGlyphScales[i] = 1.0f / larger;
  }
}

int32_t TVecFont::FindGlyph(uint32_t code) const {
  int32_t low = 0;
  int32_t high = GetCount() - 1;
  while (low <= high) {
    const int32_t middle = (low + high) / 2;
    if (mCodes[middle] == code) return middle;
    if (mCodes[middle] < code) {
      low = middle + 1;
    } else {
      high = middle - 1;
    }
  }
  return -1;
}

float TVecFont::Metric(int32_t index, uint32_t offset) const {
  const auto raw = static_cast<int16_t>(ReadU16(mData.data() + mRecordOffsets[index] + offset));
  return raw * kUnit;
}

float TVecFont::GetLeftBearing(int32_t index) const {
  return index >= 0 && index < GetCount() ? Metric(index, kBearingField) : 0.0f;
}

float TVecFont::GetWidth(int32_t index) const {
  return index >= 0 && index < GetCount() ? Metric(index, kWidthField) : 0.0f;
}

float TVecFont::GetAdvance(int32_t index) const {
  return index >= 0 && index < GetCount() ? Metric(index, kAdvanceField) : 0.0f;
}

float TVecFont::GetGlyphScale(int32_t index) const {
  return index >= 0 && index < GetCount() ? mGlyphScales[index] : 1.0f;
}

std::span<const uint8_t> TVecFont::GetProgram(int32_t index) const {
  if (index < 0 || index >= GetCount()) return {};
  const uint32_t start = ReadU32(mData.data() + mRecordOffsets[index] + kProgramField);
  return std::span<const uint8_t>(mData).subspan(start);
}

float TVecFont::GetExtraAbove() const { return kEmAbove * (mAscent + mDescent) / kEmOfLineBox; }

float TVecFont::GetExtraBelow() const { return kEmBelow * (mAscent + mDescent) / kEmOfLineBox; }
