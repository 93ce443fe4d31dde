#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>

#include "media/text/TVecTextures.h"
#include "media/display/TVertexList.h"
#include "media/text/VecScanConverter.h"
#include "media/text/VecSpanCache.h"
#include "platform/types/TColor.h"
#include "system/gfx/raster/Vertex.h"

class TTexture;

// The vector renderer: turns glyph outline programs (see TVecFont) into
// anti-aliased spans, one pixel row high, and draws them either on the
// display, as line lists of pre-transformed coloured vertices, or straight
// into the locked pixels of a texture. The platform owns one, made and
// calibrated at its first display set-up. Main thread only.
//
// A text draw sets its colours and styles, begins at a pen position, draws
// glyph after glyph moving the pen, and ends. Each glyph's spans are kept,
// so that the same glyph drawn in the same place again, as text is from
// frame to frame, is replayed rather than scan converted again.
class TVqMiniVecDraw : private VecSpanSink {
 public:
  static constexpr int32_t kBatchVertices = 256;
  // After a calibration that saw nothing, in case the display draws only small batches.
  static constexpr int32_t kSmallBatchVertices = 64;
  static constexpr int32_t kCalibrationTrials = 128;

  // Added to the start x, the end x and the y of every span drawn on the
  // display, so that a span lights exactly its pixels.
  struct Offsets {
    float spanStart = 0.25f;
    float spanEnd = 0.25f;
    float row = 0.25f;
  };
  // A colour as spans draw it: packed 0xAARRGGBB, the alpha scaled for a
  // pixel covered by one to four quarters of a horizontal span, and for 1 to
  // 32 covered samples.
  struct ColourSlot {
    std::array<uint32_t, 4> edgeLevels{};
    std::array<uint32_t, 32> ramp{};
  };
  // Slot 1 holds the colour of the text, glyphs' own colours follow it;
  // the stroke passes draw in slots 255 (first) and 254 (second).
  static constexpr int32_t kTextColourSlot = 1;
  static constexpr int32_t kFirstStrokeSlot = 255;
  static constexpr int32_t kSecondStrokeSlot = 254;

  explicit TVqMiniVecDraw(std::unique_ptr<TVecTextures> textures);
  virtual ~TVqMiniVecDraw();
  TVqMiniVecDraw(const TVqMiniVecDraw&) = delete;
  TVqMiniVecDraw& operator=(const TVqMiniVecDraw&) = delete;

  // `scale` multiplies the colour's alpha. Slots 1 to 255.
  void SetColor(int32_t slot, const TColor& colour, float scale);
  const ColourSlot& GetColourSlot(uint8_t slot) const { return mSlots[slot]; }
  // Into a texture: write each span's colour and alpha as they are, instead
  // of blending them over the texture's colours.
  void SetCopyAlpha(bool on) { mCopyAlpha = on; }
  // A shear of one third to the right at the top.
  void SetItalic(bool on) { mItalic = on; }
  void SetRotation(float cosine, float sine);
  // Widths in pixels of the two stroke passes drawn under the glyphs; 0 for none.
  void SetStrokeWidths(float first, float second);

  // Starts drawing at the pen position (pixels): into `target` when one is
  // given (it stays locked until End), else on the display, within the
  // current viewport. `holder` is kept until End. False when the target
  // cannot be locked, or there is no display to draw on.
  bool Begin(float penX, float penY, const std::shared_ptr<TTexture>& target, std::shared_ptr<const void> holder);
  void SetPen(float x, float y);
  // Draws a glyph's outline program at the pen. `scaleX` and `scaleY` take
  // font units to quarter pixels.
  void DrawOutline(std::span<const uint8_t> program, float scaleX, float scaleY);
  const VecSpanCache& GetSpanCache() const { return mSpanCache; }
  // Draws every pending span on the display.
  void Flush();
  // Flushes, and lets the texture target and the holder go.
  void End();

  // Finds the offsets with which spans light exactly their pixels on this
  // display: draws test spans under 128 trial offsets into a render texture
  // and reads them back. Without an exact trial the offsets fall back to
  // (-0.75, -0.75, 0.25); when most trials showed nothing, the batches
  // become small and the calibration runs once more.
  void Calibrate();
  static Offsets TrialOffsets(int32_t trial);
  const Offsets& GetOffsets() const { return mOffsets; }
  int32_t GetBatchSize() const { return mBatchSize; }

 private:
  struct Point {
    float x, y;
  };
  // Where an outline program is while it is read.
  struct OutlineState {
    Point pen{0, 0};  // font units
    uint8_t shape = VecScanConverter::kFirstShapeLayer;
    uint8_t oneSide = 0, otherSide = 0;
    int32_t coloursDefined = 0;
  };

  static void FillSlot(ColourSlot& target, const TColor& colour, float scale);
  VecGlyphPlacement Placement() const;
  void ReadOutline(std::span<const uint8_t> program);
  void Replay(const VecSpanCache::Glyph& glyph);
  void OnSpan(int32_t left, int32_t right, int32_t row, uint8_t colour, int32_t coverage) override;
  void DrawSpan(int32_t left, int32_t right, int32_t row, uint8_t colour, int32_t coverage);
  void WriteSpan(int32_t left, int32_t right, int32_t row, uint32_t argb);
  void AddSpanVertices(float left, float right, int32_t row, uint32_t argb);
  void DrawBatch();
  void ReleaseTarget();

  // Font units to quarter pixels, before the shear, the rotation and the pen.
  Point Scaled(Point font) const;
  Point Placed(Point scaled) const;
  void AddSegment(const OutlineState& state, Point from, Point to);
  void AddStroke(Point from, Point to, float width, uint8_t pass);
  void DefineGlyphColour(OutlineState& state, const uint8_t* rgb);
  void FillGlyphColour(int32_t slot, const uint8_t* rgb);

  // The trials' best exact one, -1 when none; counts the trials that showed nothing.
  int32_t RunCalibrationTrials(int32_t& blankTrials);
  bool DrawCalibrationTrials(const std::shared_ptr<TTexture>& texture);
  // In quarter pixels, within one pixel, the end included.
  void AddTestSpan(int32_t startQuarter, int32_t endQuarter, int32_t rowQuarter, const ColourSlot& colour);

  std::unique_ptr<TVecTextures> mTextures;
  std::array<ColourSlot, 256> mSlots{};
  TColor mTextColour;  // slot 1 as the caller set it, with its scale
  float mTextScale = 1.0f;
  bool mTextSlotChanged = false;  // a glyph defined its own colour 1

  VecScanConverter mConverter;
  VecSpanCache mSpanCache;
  float mScaleX = 1.0f, mScaleY = 1.0f;
  float mCosine = 1.0f, mSine = 0.0f;
  bool mItalic = false;
  std::array<float, 2> mStrokeWidths{0.0f, 0.0f};
  float mPenX = 0.0f, mPenY = 0.0f;

  std::array<sys::gfx::TransformedVertex, kBatchVertices> mBatch{};
  int32_t mBatchCount = 0;
  int32_t mBatchSize = kBatchVertices;
  TVertexList mVertexList;
  Offsets mOffsets;

  bool mCopyAlpha = false;
  std::shared_ptr<TTexture> mTarget;
  TVecPixels mPixels;
  std::shared_ptr<const void> mHolder;
};
