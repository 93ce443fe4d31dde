#include "media/text/VecScanConverter.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace {

constexpr int32_t kSamples = 4;    // per pixel, each way
constexpr int32_t kFraction = 64;  // parts of a sample's width that a stretch is measured in

// The sample columns or rows whose middle lies at or after `position` (in
// quarter pixels), within [low, high].
int32_t FirstSampleFrom(double position, int32_t low, int32_t high) {
  const double clamped = std::clamp(position, static_cast<double>(low) - 1, static_cast<double>(high) + 1);
  return std::clamp(static_cast<int32_t>(std::ceil(clamped - 0.5)), low, high);
}

int32_t FloorDiv(int32_t value, int32_t divisor) {
  return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

// Stroke colours come first, under the shapes they outline.
int32_t DrawingOrder(uint8_t colour) { return colour >= 254 ? 255 - colour : colour + 2; }

// The layers a sample row is inside, one bit each.
class LayerSet {
 public:
  void Flip(uint8_t layer) { mBits[layer >> 6] ^= uint64_t{1} << (layer & 63); }
  void Set(uint8_t layer, bool inside) {
    const uint64_t bit = uint64_t{1} << (layer & 63);
    mBits[layer >> 6] = inside ? mBits[layer >> 6] | bit : mBits[layer >> 6] & ~bit;
  }
  // -1 when inside none.
  int32_t Topmost() const {
    for (int32_t word = 3; word >= 0; --word) {
      if (mBits[word] != 0) return word * 64 + 63 - std::countl_zero(mBits[word]);
    }
    return -1;
  }

 private:
  uint64_t mBits[4] = {};
};

}  // namespace

void VecScanConverter::SetClip(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  mLeft = left;
  mTop = top;
  mRight = std::max(left, right);
  mBottom = std::max(top, bottom);
  // Two entries beyond the last column take the ends of stretches reaching it.
  for (Coverage& coverage : mCoverage) coverage.differences.assign(mRight - mLeft + 2, 0);
}

void VecScanConverter::AddEdge(float x0, float y0, float x1, float y1, uint8_t layer, uint8_t colour) {
  if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1)) return;
  Edge edge;
  edge.winding = y1 > y0 ? 1 : -1;
  if (y1 < y0) std::swap(x0, x1), std::swap(y0, y1);
  const int32_t top = mTop * kSamples, bottom = mBottom * kSamples;
  edge.rowStart = FirstSampleFrom(y0, top, bottom);
  edge.rowEnd = FirstSampleFrom(y1, top, bottom);
  // Within one sample row, or outside the clip's rows: no sample is crossed.
  if (edge.rowStart >= edge.rowEnd) return;
  edge.x0 = x0;
  edge.y0 = y0;
  edge.dxdy = (static_cast<double>(x1) - x0) / (static_cast<double>(y1) - y0);
  edge.layer = layer;
  edge.colour = colour;
  mEdges.push_back(edge);
}

void VecScanConverter::Convert(VecSpanSink& sink) {
  if (mEdges.empty()) return;
  std::sort(mEdges.begin(), mEdges.end(), [](const Edge& a, const Edge& b) { return a.rowStart < b.rowStart; });
  int32_t lastRow = 0;
  mOneShape = mEdges.front().layer >= kFirstShapeLayer;
  for (const Edge& edge : mEdges) {
    lastRow = std::max(lastRow, edge.rowEnd);
    mOneShape &= edge.layer == mEdges.front().layer && edge.colour == mEdges.front().colour;
  }
  size_t next = 0;
  mActive.clear();
  for (int32_t row = mEdges.front().rowStart; row < lastRow; ++row) {
    while (next < mEdges.size() && mEdges[next].rowStart <= row) mActive.push_back(&mEdges[next++]);
    std::erase_if(mActive, [row](const Edge* edge) { return edge->rowEnd <= row; });
    SweepRow(row);
    if ((row & (kSamples - 1)) == kSamples - 1 || row + 1 == lastRow) EmitPixelRow(FloorDiv(row, kSamples), sink);
  }
  mEdges.clear();
  for (Coverage* coverage : mUsed) mCoverageOf[coverage->colour] = nullptr;
  mUsed.clear();
}

void VecScanConverter::SweepRow(int32_t row) {
  const double y = row + 0.5;
  mCrossings.clear();
  // A glyph's row crosses few edges: an insertion sort is the quickest.
  for (const Edge* edge : mActive) {
    const Crossing crossing{edge->x0 + (y - edge->y0) * edge->dxdy, edge};
    size_t at = mCrossings.size();
    mCrossings.push_back(crossing);
    for (; at > 0 && mCrossings[at - 1].x > crossing.x; --at) mCrossings[at] = mCrossings[at - 1];
    mCrossings[at] = crossing;
  }
  if (mOneShape) {
    // Most glyphs: inside between the first and second crossing, the third and fourth...
    for (size_t i = 0; i + 1 < mCrossings.size(); i += 2) {
      AddStretch(mCrossings[i].x, mCrossings[i + 1].x, mCrossings[i].edge->colour);
    }
    return;
  }

  LayerSet inside;
  int32_t winding[kFirstShapeLayer] = {0, 0};
  uint8_t shapeColour[256];
  for (size_t i = 0; i + 1 < mCrossings.size(); ++i) {
    const Edge& edge = *mCrossings[i].edge;
    if (edge.layer < kFirstShapeLayer) {
      winding[edge.layer] += edge.winding;
      inside.Set(edge.layer, winding[edge.layer] != 0);
    } else {
      inside.Flip(edge.layer);
      shapeColour[edge.layer] = edge.colour;
    }
    const int32_t top = inside.Topmost();
    if (top < 0) continue;
    const uint8_t colour = top < kFirstShapeLayer ? static_cast<uint8_t>(255 - top) : shapeColour[top];
    if (colour != 0) AddStretch(mCrossings[i].x, mCrossings[i + 1].x, colour);
  }
}

// Adds what one sample row covers of [from, to), measured exactly along
// the row: the pixel where it starts gains the part from there to its end,
// the pixel where it ends loses the part from there on.
void VecScanConverter::AddStretch(double from, double to, uint8_t colour) {
  const double left = mLeft * kSamples, right = mRight * kSamples;
  // Both lie at or after the clip's left: rounding is adding a half.
  const auto first = static_cast<int32_t>((std::clamp(from, left, right) - left) * kFraction + 0.5);
  const auto end = static_cast<int32_t>((std::clamp(to, left, right) - left) * kFraction + 0.5);
  if (first >= end) return;
  Coverage& coverage = CoverageOf(colour);
  constexpr int32_t kPixel = kSamples * kFraction;
  const int32_t startPixel = first / kPixel, startPart = first % kPixel;
  const int32_t endPixel = end / kPixel, endPart = end % kPixel;
  coverage.differences[startPixel] += kPixel - startPart;
  coverage.differences[startPixel + 1] += startPart;
  coverage.differences[endPixel] -= kPixel - endPart;
  coverage.differences[endPixel + 1] -= endPart;
  coverage.low = std::min(coverage.low, startPixel);
  coverage.high = std::max(coverage.high, endPixel + 1);
}

VecScanConverter::Coverage& VecScanConverter::CoverageOf(uint8_t colour) {
  if (Coverage* known = mCoverageOf[colour]) return *known;
  if (mUsed.size() == mCoverage.size()) mCoverage.emplace_back().differences.assign(mRight - mLeft + 2, 0);
  Coverage& coverage = mCoverage[mUsed.size()];
  coverage.colour = colour;
  coverage.low = mRight - mLeft + 1;
  coverage.high = -1;
  mCoverageOf[colour] = &coverage;
  auto place = std::find_if(mUsed.begin(), mUsed.end(),
                            [&](const Coverage* used) { return DrawingOrder(used->colour) > DrawingOrder(colour); });
  mUsed.insert(place, &coverage);
  return coverage;
}

void VecScanConverter::EmitPixelRow(int32_t pixelRow, VecSpanSink& sink) {
  const int32_t width = mRight - mLeft;
  for (Coverage* coverage : mUsed) {
    int32_t sum = 0, runStart = coverage->low, runSamples = 0;
    for (int32_t pixel = coverage->low; pixel <= coverage->high; ++pixel) {
      sum += coverage->differences[pixel];
      coverage->differences[pixel] = 0;
      const int32_t samples = (sum + kFraction / 2) / kFraction;
      if (samples == runSamples) continue;
      if (runSamples > 0) sink.OnSpan(mLeft + runStart, mLeft + std::min(pixel, width), pixelRow, coverage->colour, runSamples);
      runStart = pixel;
      runSamples = samples;
    }
    coverage->low = width + 1;
    coverage->high = -1;
  }
}
