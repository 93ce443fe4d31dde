// Colours, the pen, outline programs and the spans they give, and their way
// to the display or into a texture. Calibration is in TVqMiniVecDrawCalibration.cpp.
#include "media/text/TVqMiniVecDraw.h"

#include <algorithm>
#include <cmath>

#include "platform/TPlatform.h"
#include "platform/text/Log.h"
#include "platform/types/TRect.h"

namespace {

constexpr float kOutlineUnit = 0.0078125f;  // outline coordinates are in 1/128 font units
constexpr float kOutlineQuarters = 4.0f;    // quarter pixels per pixel
constexpr int32_t kLineList = 2;
constexpr int32_t kBlendAlpha = 0;
constexpr float kVertexZ = 0.1f;
constexpr float kVertexRhw = 0.5f;
constexpr int32_t kLastGlyphColour = 253;  // the slots above are the strokes'

enum Opcode : uint8_t {
  kNewShape = 1,
  kOneSide = 2,
  kOtherSide = 3,
  kMoveTo = 4,
  kLineTo = 5,
  kCurveTo = 6,
  kGlyphColour = 7,
  kEnd = 8,
};

// Operand bytes of each opcode; any opcode outside 1 to 7 ends the program.
int32_t OperandBytes(uint8_t opcode) {
  static constexpr int32_t kBytes[] = {0, 0, 1, 1, 4, 4, 8, 3};
  return opcode >= kNewShape && opcode < kEnd ? kBytes[opcode] : -1;
}

// The bytes of a program that are read: up to its end opcode, an unknown
// one, or a command cut short by the end of the data. A font's program
// runs on to the end of its file.
std::span<const uint8_t> ReadPart(std::span<const uint8_t> program) {
  size_t at = 0;
  while (at < program.size()) {
    const int32_t operands = OperandBytes(program[at++]);
    if (operands < 0 || program.size() - at < static_cast<size_t>(operands)) break;
    at += operands;
  }
  return program.first(at);
}

float ReadCoordinate(const uint8_t* bytes) { return static_cast<int16_t>(bytes[0] | bytes[1] << 8) * kOutlineUnit; }

uint32_t Channel(float value) { return static_cast<uint32_t>(std::clamp(value, 0.0f, 1.0f) * 255.0f); }

uint32_t Pack(uint32_t alpha, uint32_t rgb) { return alpha << 24 | rgb; }

uint8_t Blend(uint8_t destination, uint32_t colour, uint32_t alpha) {
  return static_cast<uint8_t>((destination * (255 - alpha) + colour * alpha) / 255);
}

}  // namespace

TVqMiniVecDraw::TVqMiniVecDraw(std::unique_ptr<TVecTextures> textures)
    : mTextures(std::move(textures)) {
  mVertexList.InitKind3(mBatch.data(), 0);
}

TVqMiniVecDraw::~TVqMiniVecDraw() { ReleaseTarget(); }

void TVqMiniVecDraw::SetColor(int32_t slot, const TColor& colour, float scale) {
  if (slot < 1 || slot > 255) return;
  if (slot == kTextColourSlot) {
    mTextColour = colour;
    mTextScale = scale;
    mTextSlotChanged = false;
  }
  FillSlot(mSlots[slot], colour, scale);
}

void TVqMiniVecDraw::FillSlot(ColourSlot& target, const TColor& colour, float scale) {
  const uint32_t rgb = Channel(colour.r) << 16 | Channel(colour.g) << 8 | Channel(colour.b);
  const uint32_t alpha = Channel(colour.a * scale);
  static constexpr uint32_t kEdgeLevels[] = {17, 40, 73, 128};
  for (int level = 0; level < 4; ++level) target.edgeLevels[level] = Pack(alpha * kEdgeLevels[level] / 256, rgb);
  for (uint32_t samples = 1; samples <= 32; ++samples) {
    target.ramp[samples - 1] = Pack(alpha * (samples <= 16 ? 16 * samples : 255) / 256, rgb);
  }
}

void TVqMiniVecDraw::SetRotation(float cosine, float sine) {
  mCosine = cosine;
  mSine = sine;
}

void TVqMiniVecDraw::SetStrokeWidths(float first, float second) { mStrokeWidths = {first, second}; }

bool TVqMiniVecDraw::Begin(float penX, float penY, const std::shared_ptr<TTexture>& target,
                           std::shared_ptr<const void> holder) {
  SetPen(penX, penY);
  mHolder = std::move(holder);
  if (target) {
    if (target == mTarget) return true;
    ReleaseTarget();
    if (!mTextures || !mTextures->Lock(*target, mPixels)) {
      LogPrintf("Vector drawing: cannot lock the target texture");
      mConverter.SetClip(0, 0, 0, 0);
      return false;
    }
    mTarget = target;
    mConverter.SetClip(0, 0, mPixels.width, mPixels.height);
    return true;
  }
  ReleaseTarget();
  TPlatform* platform = TPlatform::Instance();
  if (!platform) {
    mConverter.SetClip(0, 0, 0, 0);
    return false;
  }
  TRect viewport;
  platform->GetViewport(viewport);
  mConverter.SetClip(viewport.left, viewport.top, viewport.right, viewport.bottom);
  return true;
}

void TVqMiniVecDraw::SetPen(float x, float y) {
  mPenX = x;
  mPenY = y;
}

void TVqMiniVecDraw::Flush() { DrawBatch(); }

void TVqMiniVecDraw::End() {
  Flush();
  ReleaseTarget();
  mConverter.SetClip(0, 0, 0, 0);
  mHolder.reset();
}

void TVqMiniVecDraw::ReleaseTarget() {
  if (!mTarget) return;
  mTextures->Unlock(*mTarget);
  mTarget.reset();
  mPixels = TVecPixels();
}

void TVqMiniVecDraw::DrawOutline(std::span<const uint8_t> whole, float scaleX, float scaleY) {
  const std::span<const uint8_t> program = ReadPart(whole);
  mScaleX = scaleX;
  mScaleY = scaleY;
  if (mTextSlotChanged) SetColor(kTextColourSlot, mTextColour, mTextScale);
  const VecGlyphPlacement placement = Placement();
  VecSpanCache::Glyph recorded;
  if (mSpanCache.Find(program, placement, recorded)) {
    Replay(recorded);
    return;
  }
  mSpanCache.StartRecording(program, placement);
  ReadOutline(program);
  mConverter.Convert(*this);
  mSpanCache.FinishRecording();
}

VecGlyphPlacement TVqMiniVecDraw::Placement() const {
  return {mScaleX, mScaleY, mPenX, mPenY, mCosine, mSine, mStrokeWidths, mItalic, mConverter.GetClip()};
}

void TVqMiniVecDraw::Replay(const VecSpanCache::Glyph& glyph) {
  int32_t slot = 0;
  for (const std::array<uint8_t, 3>& rgb : glyph.colours) FillGlyphColour(++slot, rgb.data());
  for (const VecSpanCache::Span& span : glyph.spans) {
    DrawSpan(span.left, span.right, span.row, span.colour, span.samples);
  }
}

void TVqMiniVecDraw::ReadOutline(std::span<const uint8_t> program) {
  OutlineState state;
  size_t at = 0;
  while (at < program.size()) {
    const uint8_t opcode = program[at++];
    const int32_t operands = OperandBytes(opcode);
    if (operands < 0 || program.size() - at < static_cast<size_t>(operands)) break;
    const uint8_t* bytes = program.data() + at;
    at += operands;
    switch (opcode) {
      case kNewShape:
        if (state.shape < 255) ++state.shape;
        state.oneSide = state.otherSide = 0;
        break;
      case kOneSide:
        state.oneSide = bytes[0];
        break;
      case kOtherSide:
        state.otherSide = bytes[0];
        break;
      case kMoveTo:
        state.pen = {ReadCoordinate(bytes), ReadCoordinate(bytes + 2)};
        break;
      case kLineTo: {
        const Point to{ReadCoordinate(bytes), ReadCoordinate(bytes + 2)};
        AddSegment(state, state.pen, to);
        state.pen = to;
        break;
      }
      case kCurveTo: {
        const Point control{ReadCoordinate(bytes), ReadCoordinate(bytes + 2)};
        const Point to{ReadCoordinate(bytes + 4), ReadCoordinate(bytes + 6)};
        Point from = state.pen;
        for (float t : {1.0f / 3.0f, 2.0f / 3.0f, 1.0f}) {
          const float s = 1.0f - t;
          const Point on{s * s * state.pen.x + 2 * s * t * control.x + t * t * to.x,
                         s * s * state.pen.y + 2 * s * t * control.y + t * t * to.y};
          AddSegment(state, from, on);
          from = on;
        }
        state.pen = to;
        break;
      }
      case kGlyphColour:
        DefineGlyphColour(state, bytes);
        break;
    }
  }
}

// A glyph's own colours tint the text's colour: a white glyph draws in it.
void TVqMiniVecDraw::DefineGlyphColour(OutlineState& state, const uint8_t* rgb) {
  if (state.coloursDefined >= kLastGlyphColour) return;
  mSpanCache.RecordColour(rgb);
  FillGlyphColour(++state.coloursDefined, rgb);
}

void TVqMiniVecDraw::FillGlyphColour(int32_t slot, const uint8_t* rgb) {
  const TColor tinted(mTextColour.r * rgb[0] / 255.0f, mTextColour.g * rgb[1] / 255.0f,
                      mTextColour.b * rgb[2] / 255.0f, mTextColour.a);
  FillSlot(mSlots[slot], tinted, mTextScale);
  if (slot == kTextColourSlot) mTextSlotChanged = true;
}

TVqMiniVecDraw::Point TVqMiniVecDraw::Scaled(Point font) const { return {font.x * mScaleX, font.y * mScaleY}; }

TVqMiniVecDraw::Point TVqMiniVecDraw::Placed(Point scaled) const {
  float x = scaled.x, y = scaled.y;
  if (mItalic) x -= y / 3.0f;
  if (mSine != 0.0f) {
    const float turnedX = x * mCosine - y * mSine;
    y = x * mSine + y * mCosine;
    x = turnedX;
  }
  return {x + mPenX * kOutlineQuarters, y + mPenY * kOutlineQuarters};
}

void TVqMiniVecDraw::AddSegment(const OutlineState& state, Point from, Point to) {
  const Point start = Scaled(from), end = Scaled(to);
  for (uint8_t pass = 0; pass < 2; ++pass) {
    if (mStrokeWidths[pass] > 0.0f) AddStroke(start, end, mStrokeWidths[pass] * kOutlineQuarters, pass);
  }
  if (state.oneSide == 0 && state.otherSide == 0) return;
  const Point a = Placed(start), b = Placed(end);
  // A sweep from left to right enters the side on the left of an edge
  // running down the target, and the right of one running up.
  const bool down = b.y > a.y;
  uint8_t colour = down ? state.oneSide : state.otherSide;
  if (colour == 0) colour = down ? state.otherSide : state.oneSide;
  mConverter.AddEdge(a.x, a.y, b.x, b.y, state.shape, colour);
}

// The segment widened by `width` on both sides and lengthened by it at both
// ends: a hexagon, always wound the same way, so that the strokes of a pass
// add up into one shape.
void TVqMiniVecDraw::AddStroke(Point from, Point to, float width, uint8_t pass) {
  const float dx = to.x - from.x, dy = to.y - from.y;
  const float length = std::hypot(dx, dy);
  const float ux = length > 0.0f ? dx / length * width : width;
  const float uy = length > 0.0f ? dy / length * width : 0.0f;
  const Point corners[6] = {{from.x - ux, from.y - uy}, {from.x - uy, from.y + ux}, {to.x - uy, to.y + ux},
                            {to.x + ux, to.y + uy},     {to.x + uy, to.y - ux},     {from.x + uy, from.y - ux}};
  for (int corner = 0; corner < 6; ++corner) {
    const Point a = Placed(corners[corner]), b = Placed(corners[(corner + 1) % 6]);
    mConverter.AddEdge(a.x, a.y, b.x, b.y, pass, 0);
  }
}

void TVqMiniVecDraw::OnSpan(int32_t left, int32_t right, int32_t row, uint8_t colour, int32_t coverage) {
  mSpanCache.RecordSpan(left, right, row, colour, coverage);
  DrawSpan(left, right, row, colour, coverage);
}

void TVqMiniVecDraw::DrawSpan(int32_t left, int32_t right, int32_t row, uint8_t colour, int32_t coverage) {
  const uint32_t argb = mSlots[colour].ramp[std::min(coverage, 32) - 1];
  if (mTarget) {
    WriteSpan(left, right, row, argb);
  } else {
    AddSpanVertices(static_cast<float>(left), static_cast<float>(right), row, argb);
  }
}

void TVqMiniVecDraw::WriteSpan(int32_t left, int32_t right, int32_t row, uint32_t argb) {
  if (row < 0 || row >= mPixels.height) return;
  left = std::max(left, 0);
  right = std::min(right, mPixels.width);
  const uint32_t alpha = argb >> 24;
  const uint8_t colour[3] = {static_cast<uint8_t>(argb), static_cast<uint8_t>(argb >> 8),
                             static_cast<uint8_t>(argb >> 16)};
  uint8_t* pixel = mPixels.bits + static_cast<intptr_t>(row) * mPixels.pitch + static_cast<intptr_t>(left) * 4;
  for (int32_t x = left; x < right; ++x, pixel += 4) {
    if (mCopyAlpha) {
      pixel[0] = colour[0], pixel[1] = colour[1], pixel[2] = colour[2], pixel[3] = static_cast<uint8_t>(alpha);
    } else {
      for (int channel = 0; channel < 3; ++channel) pixel[channel] = Blend(pixel[channel], colour[channel], alpha);
    }
  }
}

void TVqMiniVecDraw::AddSpanVertices(float left, float right, int32_t row, uint32_t argb) {
  if (mBatchCount + 2 > mBatchSize) DrawBatch();
  const float y = static_cast<float>(row) + mOffsets.row;
  mBatch[mBatchCount++] = {left + mOffsets.spanStart, y, kVertexZ, kVertexRhw, argb, 0, 0, 0};
  mBatch[mBatchCount++] = {right + mOffsets.spanEnd, y, kVertexZ, kVertexRhw, argb, 0, 0, 0};
  if (mBatchCount == mBatchSize) DrawBatch();
}

void TVqMiniVecDraw::DrawBatch() {
  if (mBatchCount == 0) return;
  if (TPlatform* platform = TPlatform::Instance()) {
    platform->SetTexture(nullptr);
    platform->SetBlendMode(kBlendAlpha);
    mVertexList.SetCount(mBatchCount);
    platform->DrawVertices(kLineList, &mVertexList);
  }
  mBatchCount = 0;
}
