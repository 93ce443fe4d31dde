#pragma once

#include <cstdint>

#include "system/gfx/Rect.h"
#include "system/gfx/raster/RasterViews.h"
#include "system/gfx/raster/RenderStates.h"
#include "system/gfx/raster/Span.h"
#include "system/gfx/raster/Vertex.h"

namespace sys::gfx {

class ConvexOutline;

// Turns vertices already on the target into pixels.
//
// Conventions: pixel (i, j) has its centre at (i, j). A triangle covers the
// centres inside it; a centre on an edge belongs to it when the edge is a
// top or a left edge, so triangles sharing an edge never both draw a pixel
// and never both miss it. Which centres those are is decided exactly, with
// the corners snapped to 1/256 of a pixel (ConvexOutline); attributes are
// interpolated from the corners as given. A line lights, along its major
// axis, the pixels whose centre lies in the half-open span [start, end) from
// its first vertex towards its second; on the minor axis the pixel nearest
// to the line (a tie goes down or right). Texel i of a side of W texels
// covers u in [i/W, (i+1)/W). Nothing is written outside the target and the
// viewport.
//
// Attributes are interpolated with perspective through 1/w unless all
// vertices share one 1/w. Flat shading takes the first vertex's colours.
class Rasterizer {
 public:
  enum class Path : uint8_t { Plain, Simd };

  // The depth view may have no pixels; then nothing is depth tested.
  void SetTarget(const ColourView& colour, const DepthView& depth);
  // The rectangle drawing is clipped to, kept within the target.
  void SetViewport(const Rect& viewport);
  const Rect& Viewport() const { return mViewport; }
  // Null when no texture is bound: the stage then reads opaque white.
  void SetTexture(const TextureView* texture) { mTexture = texture; }
  void SetStates(const RenderStates& states) { mStates = states; }
  const RenderStates& States() const { return mStates; }
  void SetPath(Path path) {
    mShader = path == Path::Plain ? ShadeSpanPlain : ShadeSpanSimd;
    mFlatShader = path == Path::Plain ? ShadeFlatSpansPlain : ShadeFlatSpansSimd;
  }

  void DrawTriangle(const TransformedVertex& a, const TransformedVertex& b, const TransformedVertex& c);
  // A fan of two triangles, a b c and a c d, drawn as one shape when it is
  // convex and its attributes lie in one plane: the same pixels, fewer and
  // longer spans.
  void DrawQuad(const TransformedVertex& a, const TransformedVertex& b, const TransformedVertex& c,
                const TransformedVertex& d);
  void DrawLine(const TransformedVertex& a, const TransformedVertex& b);
  // The lines of a list, vertices in pairs: the pixels of DrawLine for each
  // pair in turn. What stays the same over the list is worked out once, and
  // lines along a row with nothing to interpolate, as text is drawn, go
  // straight to the shader.
  void DrawLineList(const TransformedVertex* vertices, uint32_t count);

 private:
  struct Planes;
  // The mipmap level sampled and the filter for it.
  struct LevelChoice {
    int level = 0;
    TextureFilter filter = TextureFilter::Point;
  };

  bool Prepare(const TransformedVertex* const* vertices, int count, DrawSetup& setup) const;
  // The part of Prepare that the states, the target and the texture decide.
  bool PrepareStates(DrawSetup& setup) const;
  // Whether DrawLine would draw the line as a flat row with `setup`'s
  // states: along a row, finite, with nothing to interpolate.
  bool IsFlatRow(const DrawSetup& setup, const TransformedVertex& a, const TransformedVertex& b) const;
  // False for a triangle without area.
  bool TrianglePlanes(const TransformedVertex& a, const TransformedVertex& b, const TransformedVertex& c,
                      const DrawSetup& setup, Planes& planes) const;
  LevelChoice ChooseLevel(const Planes& planes, double x, double y) const;
  // Notes what the shader reads and, without perspective, the level.
  void Finish(const DrawSetup& setup, Planes& planes) const;
  void Fill(const DrawSetup& setup, const Planes& planes, const ConvexOutline& outline) const;
  void EmitSpan(const DrawSetup& setup, const Planes& planes, int32_t y, int32_t left, int32_t right) const;
  void DrawFlatRow(const DrawSetup& setup, double start, double end, double y) const;
  // The pixels DrawLine lights for a line from `start` to `end` along the
  // row at `y`, with nothing to interpolate; false when there are none.
  bool RowPixels(double start, double end, double y, FlatSpan& pixels) const;

  ColourView mColour;
  DepthView mDepth;
  Rect mViewport;
  const TextureView* mTexture = nullptr;
  RenderStates mStates;
  SpanShader mShader = ShadeSpanSimd;
  FlatSpanShader mFlatShader = ShadeFlatSpansSimd;
};

}  // namespace sys::gfx
