#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

// Everything a glyph's spans follow from besides its outline program: the
// scales, the styles, the pen and the clip.
struct VecGlyphPlacement {
  float scaleX = 1.0f, scaleY = 1.0f;
  float penX = 0.0f, penY = 0.0f;
  float cosine = 1.0f, sine = 0.0f;
  std::array<float, 2> strokeWidths{0.0f, 0.0f};
  bool italic = false;
  std::array<int32_t, 4> clip{};  // left, top, right, bottom, in pixels
};

// The spans of glyphs drawn before, so that a glyph drawn again is replayed
// instead of read and scan converted again: recorded while a glyph is drawn
// for the first time, with the glyph colours its program defined.
//
// A glyph is found again only under the same program bytes and exactly the
// same placement, bit for bit, so that a replay gives the very pixels a new
// drawing would. The pen is part of that: the float sums that place a
// glyph's points round differently at another position, even a whole pixel
// away, and a coverage can tip to the next step.
//
// What it keeps is bounded: a recording that would pass a bound forgets
// every glyph first.
class VecSpanCache {
 public:
  static constexpr size_t kBlockSpans = 8192;
  static constexpr size_t kMaxSpans = 32 * kBlockSpans;
  static constexpr size_t kMaxGlyphs = 8192;
  static constexpr size_t kMaxColours = 65536;
  static constexpr size_t kMaxProgramBytes = 1 << 20;

  // Pixels [left, right) of a row in colour slot `colour`, covering
  // `samples` (1 to 32).
  struct Span {
    int16_t left, right, row;
    uint8_t colour, samples;
  };
  struct Glyph {
    std::span<const std::array<uint8_t, 3>> colours;  // red, green, blue of glyph colours 1, 2...
    std::span<const Span> spans;
  };

  // False when no glyph drawn by `program` at `placement` is kept.
  bool Find(std::span<const uint8_t> program, const VecGlyphPlacement& placement, Glyph& glyph) const;

  // Records what follows as the glyph of `program` at `placement`; a
  // placement whose clip reaches beyond 16-bit positions records nothing.
  void StartRecording(std::span<const uint8_t> program, const VecGlyphPlacement& placement);
  bool IsRecording() const { return mRecording; }
  void RecordColour(const uint8_t* rgb);
  // `samples` above 32 count as 32.
  void RecordSpan(int32_t left, int32_t right, int32_t row, uint8_t colour, int32_t samples);
  // Keeps the recording, unless it passed a bound.
  void FinishRecording();

  size_t GetGlyphCount() const { return mGlyphs.size(); }
  size_t GetSpanCount() const { return mSpans.size(); }

 private:
  // The program's address and size and the placement's bits.
  using Key = std::array<uint32_t, 17>;
  struct KeyHash {
    size_t operator()(const Key& key) const;
  };
  struct Stored {
    size_t programAt, programSize;
    size_t firstColour, colourCount;
    size_t firstSpan, spanCount;
  };

  static Key MakeKey(std::span<const uint8_t> program, const VecGlyphPlacement& placement);
  void Forget();

  std::unordered_map<Key, Stored, KeyHash> mGlyphs;
  std::vector<uint8_t> mPrograms;  // each kept glyph's program, to tell it from another at the same address
  std::vector<std::array<uint8_t, 3>> mColours;
  std::vector<Span> mSpans;

  bool mRecording = false;
  bool mOverflowed = false;
  Key mRecordingKey{};
  Stored mRecorded{};
};
