#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <vector>

// Where the scan converter hands its spans: pixels [left, right) of a row,
// covering `coverage` of 16 (more where layers of one colour overlap), in
// colour slot `colour`.
class VecSpanSink {
 public:
  virtual void OnSpan(int32_t left, int32_t right, int32_t row, uint8_t colour, int32_t coverage) = 0;

 protected:
  ~VecSpanSink() = default;
};

// Turns the edges of one glyph into anti-aliased spans. Positions are in
// quarter pixels, y growing downwards; pixel (x, y) covers the quarter
// pixels 4x to 4x + 3 both ways. Each pixel row is swept along four sample
// rows, through the middles of its quarter rows; along a sample row what
// lies inside is measured exactly, so that a pixel's coverage counts
// sixteenths of its area.
//
// Edges belong to layers. Layers 0 and 1 are the two stroke passes: inside
// where the winding count of their edges is not zero, in colour slot 255 for
// the first pass and 254 for the second. Layers 2 up are the glyph's shapes:
// each edge crossed toggles inside and outside, and inside a shape takes the
// colour of the last edge crossed. Where layers overlap the topmost decides.
// Nothing outside the clip is ever handed out, wherever the edges lie.
class VecScanConverter {
 public:
  static constexpr uint8_t kFirstShapeLayer = 2;

  // In pixels; an empty clip hands out nothing.
  void SetClip(int32_t left, int32_t top, int32_t right, int32_t bottom);
  // Left, top, right, bottom; right and bottom never below left and top.
  std::array<int32_t, 4> GetClip() const { return {mLeft, mTop, mRight, mBottom}; }
  // `colour` is the colour of a shape's inside after this edge, for the sweep
  // that crosses it from left to right; stroke layers ignore it.
  void AddEdge(float x0, float y0, float x1, float y1, uint8_t layer, uint8_t colour);
  bool IsEmpty() const { return mEdges.empty(); }
  // Hands out the spans of the edges added since the last call, row by row
  // from the top, and forgets the edges.
  void Convert(VecSpanSink& sink);

 private:
  struct Edge {
    double x0, y0, dxdy;
    int32_t rowStart, rowEnd;  // sample rows crossed: [rowStart, rowEnd)
    int32_t winding;           // +1 running down, -1 running up
    uint8_t layer, colour;
  };
  struct Crossing {
    double x;
    const Edge* edge;
  };
  // The difference buffer of one colour over the clip's columns: a running
  // sum along it gives each pixel's coverage.
  struct Coverage {
    uint8_t colour = 0;
    std::vector<int32_t> differences;
    int32_t low = 0, high = -1;  // touched entries
  };

  void SweepRow(int32_t row);
  void AddStretch(double from, double to, uint8_t colour);
  Coverage& CoverageOf(uint8_t colour);
  void EmitPixelRow(int32_t pixelRow, VecSpanSink& sink);

  int32_t mLeft = 0, mTop = 0, mRight = 0, mBottom = 0;
  std::vector<Edge> mEdges;
  std::vector<const Edge*> mActive;
  std::vector<Crossing> mCrossings;
  std::deque<Coverage> mCoverage;  // reused from glyph to glyph; the first ones are in use
  std::vector<Coverage*> mUsed;     // this glyph's colours, lowest layer's first
  std::array<Coverage*, 256> mCoverageOf{};
  bool mOneShape = false;  // all edges of the glyph in one shape, in one colour
};
