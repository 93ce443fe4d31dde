#pragma once

#include <cstdint>
#include <span>
#include <vector>

// A vector font: a whole "MVC4" file held in memory. Each glyph has a record
// of metrics and an outline program (moves, lines and quadratic curves with
// fill colours) that TVqMiniVecDraw draws. Metrics are in font units, the
// file's 1/128 units. The file comes from outside: a record that does not fit
// in the data, or whose program starts outside it, is left out, and a font
// without a usable 'W' line box has no glyphs. Main thread only.
class TVecFont {
 public:
  explicit TVecFont(std::vector<uint8_t> data);

  int32_t GetCount() const { return static_cast<int32_t>(mCodes.size()); }
  // The index of the glyph of `code`, -1 when the font has none.
  int32_t FindGlyph(uint32_t code) const;
  // 0.0 for an index out of range.
  float GetLeftBearing(int32_t index) const;
  float GetWidth(int32_t index) const;
  float GetAdvance(int32_t index) const;
  // Below 1.0 for a glyph that would not fit the line box; 1.0 out of range.
  float GetGlyphScale(int32_t index) const;
  // The glyph's outline program, up to the end of the data; empty out of range.
  std::span<const uint8_t> GetProgram(int32_t index) const;

  float GetAscent() const { return mAscent; }
  float GetDescent() const { return mDescent; }
  uint8_t GetBold() const { return mBold; }
  float GetWeight() const { return mWeight; }
  // The line box's room above the ascent and below the descent.
  float GetExtraAbove() const;
  float GetExtraBelow() const;

 private:
  // The metric at `offset` of glyph `index`'s record, in font units.
  float Metric(int32_t index, uint32_t offset) const;
  // Records that fit in the data, with their programs inside it.
  void ReadRecords();
  // Ascent from 'W', descent from the lowest of the codes below 128.
  void ReadLineBox();
  void ScaleTallGlyphs();

  std::vector<uint8_t> mData;
  std::vector<uint32_t> mCodes;
  std::vector<uint32_t> mRecordOffsets;  // where each kept glyph's record starts
  std::vector<float> mGlyphScales;
  float mAscent = 0.0f;
  float mDescent = 0.0f;
  uint8_t mBold = 0;
  float mWeight = 1.0f;
};
