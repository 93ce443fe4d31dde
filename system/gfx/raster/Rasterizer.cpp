#include "system/gfx/raster/Rasterizer.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <iterator>

#include "system/gfx/raster/ConvexOutline.h"

namespace sys::gfx {

// value(x, y) = v0 + dx (x - x0) + dy (y - y0). Left unset until built:
// a primitive builds only the planes it reads, and most read none.
// Outside the unnamed namespace: the rasterizer's planes hold it.
struct LinearPlane {
  double x0, y0, v0, dx, dy;
  double At(double x, double y) const { return v0 + dx * (x - x0) + dy * (y - y0); }
};

namespace {

// Per-vertex values that are interpolated, in this order.
enum Attribute { kQ, kZ, kU, kV, kDiffuse, kSpecular = kDiffuse + 4, kAttributeCount = kSpecular + 4 };

// The bounds below are those of the viewport, whole and not negative: a
// value between them is positive, and truncating it takes its floor.

// The smallest integer not below x, kept within [low, high].
int32_t CeilWithin(double x, int32_t low, int32_t high) {
  if (!(x > low)) return low;
  if (x >= high) return high;
  const auto whole = static_cast<int32_t>(x);
  return whole < x ? whole + 1 : whole;
}

// The smallest integer above x, kept within [low, high].
int32_t AboveWithin(double x, int32_t low, int32_t high) {
  if (!(x >= low)) return low;
  if (x >= high) return high;
  return static_cast<int32_t>(x) + 1;
}

bool IsFinite(const TransformedVertex& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z) && std::isfinite(v.rhw) &&
         std::isfinite(v.u) && std::isfinite(v.v);
}

bool ReadsArgument(TextureOp op, TextureArg arg1, TextureArg arg2, TextureArg wanted) {
  switch (op) {
    case TextureOp::Modulate: return arg1 == wanted || arg2 == wanted;
    case TextureOp::SelectArg1: return arg1 == wanted;
    default: return arg2 == wanted;
  }
}

bool StageReads(const TextureStage& stage, TextureArg wanted) {
  return ReadsArgument(stage.colourOp, stage.colourArg1, stage.colourArg2, wanted) ||
         ReadsArgument(stage.alphaOp, stage.alphaArg1, stage.alphaArg2, wanted);
}

bool StageReadsDiffuse(const TextureStage& stage) {
  return StageReads(stage, TextureArg::Diffuse) || StageReads(stage, TextureArg::Current);
}

void VertexValues(const TransformedVertex& v, bool perspective, double (&out)[kAttributeCount]) {
  const double q = perspective ? v.rhw : 1.0;
  out[kQ] = q;
  out[kZ] = v.z;
  out[kU] = v.u * q;
  out[kV] = v.v * q;
  for (int c = 0; c < 4; ++c) {
    out[kDiffuse + c] = ((v.diffuse >> (8 * c)) & 0xFF) * q;
    out[kSpecular + c] = ((v.specular >> (8 * c)) & 0xFF) * q;
  }
}

// The attributes whose planes are read while drawing: those the shader
// interpolates and, for the choice of a mipmap level, 1/w and the texture
// coordinates. Planes of the others are never built.
uint32_t PlanesRead(const DrawSetup& setup) {
  uint32_t read = 0;
  if (setup.perspective) read |= 1u << kQ;
  if (setup.depthTest) read |= 1u << kZ;
  if (setup.textured) read |= 1u << kQ | 1u << kU | 1u << kV;
  if (setup.diffuseVaries) read |= 0xFu << kDiffuse;
  if (setup.specularAdd && setup.specularVaries) read |= 0xFu << kSpecular;
  return read;
}

// Slivers can have enormous gradients; kept finite, a step times a pixel
// index never becomes infinite or NaN.
float Finite(double value) {
  constexpr double kLimit = 1e30;
  if (std::isnan(value)) return 0.0f;
  return static_cast<float>(std::clamp(value, -kLimit, kLimit));
}

Interpolant InterpolantAt(const LinearPlane& plane, double x, double y) {
  return {Finite(plane.At(x, y)), Finite(plane.dx)};
}

}  // namespace

struct Rasterizer::Planes {
  LinearPlane plane[kAttributeCount];  // those of PlanesRead only are set
  uint32_t used = 0;  // bits of the attributes the shader reads
  bool fixedLevel = false;
  LevelChoice level;
};

void Rasterizer::SetTarget(const ColourView& colour, const DepthView& depth) {
  mColour = colour;
  mDepth = depth;
  SetViewport(mViewport);
}

void Rasterizer::SetViewport(const Rect& viewport) {
  int32_t width = mColour.width;
  int32_t height = mColour.height;
  if (mDepth.pixels) {
    width = std::min(width, mDepth.width);
    height = std::min(height, mDepth.height);
  }
  mViewport = viewport;
  mViewport.left = std::clamp(viewport.left, 0, width);
  mViewport.top = std::clamp(viewport.top, 0, height);
  mViewport.right = std::clamp(viewport.right, mViewport.left, width);
  mViewport.bottom = std::clamp(viewport.bottom, mViewport.top, height);
}

bool Rasterizer::PrepareStates(DrawSetup& setup) const {
  if (!mColour.pixels || mViewport.left >= mViewport.right || mViewport.top >= mViewport.bottom) return false;
  setup.states = &mStates;
  setup.target = mColour;
  setup.depth = mDepth;
  setup.depthTest = mStates.depthEnable && mDepth.pixels;
  setup.depthWrite = setup.depthTest && mStates.depthWriteEnable;
  setup.textured = mTexture && mTexture->levelCount > 0 && StageReads(mStates.stage, TextureArg::Texture);
  setup.specularAdd = mStates.specularEnable;
  return true;
}

bool Rasterizer::Prepare(const TransformedVertex* const* vertices, int count, DrawSetup& setup) const {
  if (!PrepareStates(setup)) return false;
  bool perspective = false;
  bool diffuseVaries = false;
  bool specularVaries = false;
  for (int k = 0; k < count; ++k) {
    if (!IsFinite(*vertices[k])) return false;
    perspective |= vertices[k]->rhw != vertices[0]->rhw;
    diffuseVaries |= vertices[k]->diffuse != vertices[0]->diffuse;
    specularVaries |= vertices[k]->specular != vertices[0]->specular;
  }
  if (perspective) {
    for (int k = 0; k < count; ++k) {
      if (!(vertices[k]->rhw > 0)) return false;
    }
  }
  const bool gouraud = mStates.shadeMode == ShadeMode::Gouraud;
  setup.perspective = perspective;
  setup.diffuseVaries = gouraud && diffuseVaries && StageReadsDiffuse(mStates.stage);
  setup.diffuse = vertices[0]->diffuse;
  setup.specularVaries = gouraud && specularVaries;
  setup.specular = vertices[0]->specular;
  return true;
}

Rasterizer::LevelChoice Rasterizer::ChooseLevel(const Planes& planes, double x, double y) const {
  const LinearPlane& q = planes.plane[kQ];
  const LinearPlane& u = planes.plane[kU];
  const LinearPlane& v = planes.plane[kV];
  // Derivatives of u and v in texels of the largest level (q is 1
  // throughout without perspective).
  const double qa = q.At(x, y), ua = u.At(x, y), va = v.At(x, y);
  const double q2 = qa * qa;
  const double w = mTexture->levels[0].width, h = mTexture->levels[0].height;
  const double dsdx = (u.dx * qa - ua * q.dx) / q2 * w, dsdy = (u.dy * qa - ua * q.dy) / q2 * w;
  const double dtdx = (v.dx * qa - va * q.dx) / q2 * h, dtdy = (v.dy * qa - va * q.dy) / q2 * h;
  const double rho2 = std::max(dsdx * dsdx + dtdx * dtdx, dsdy * dsdy + dtdy * dtdy);
  const TextureStage& stage = mStates.stage;
  if (rho2 <= 1.0 || !std::isfinite(rho2)) return {0, stage.magFilter};
  int level = 0;
  if (stage.mipFilter == MipFilter::Point) {
    // The nearest level: log2 of rho, rounded.
    level = std::clamp(static_cast<int>(std::floor(0.5 * std::log2(rho2) + 0.5)), 0, mTexture->levelCount - 1);
  }
  return {level, stage.minFilter};
}

void Rasterizer::Finish(const DrawSetup& setup, Planes& planes) const {
  planes.used = 0;
  if (setup.perspective) planes.used |= 1u << kQ;
  if (setup.depthTest) planes.used |= 1u << kZ;
  if (setup.textured) planes.used |= 1u << kU | 1u << kV;
  if (setup.diffuseVaries) planes.used |= 0xFu << kDiffuse;
  if (setup.specularAdd && setup.specularVaries) planes.used |= 0xFu << kSpecular;
  // Without perspective the derivatives, and so the level, are the same
  // everywhere.
  planes.fixedLevel = setup.textured && !setup.perspective;
  if (planes.fixedLevel) planes.level = ChooseLevel(planes, planes.plane[kU].x0, planes.plane[kU].y0);
}

void Rasterizer::EmitSpan(const DrawSetup& setup, const Planes& planes, int32_t y, int32_t left,
                          int32_t right) const {
  Span span;
  span.x = left;
  span.y = y;
  span.count = right - left;
  const double x = left;
  if (const uint32_t interpolated = planes.used & ~(1u << kU | 1u << kV); interpolated != 0) {
    Interpolant* targets[kAttributeCount] = {&span.q, &span.z, nullptr, nullptr};
    for (int c = 0; c < 4; ++c) {
      targets[kDiffuse + c] = &span.diffuse[c];
      targets[kSpecular + c] = &span.specular[c];
    }
    for (uint32_t used = interpolated; used != 0; used &= used - 1) {
      const int n = std::countr_zero(used);
      *targets[n] = InterpolantAt(planes.plane[n], x, y);
    }
  }
  if (setup.textured) {
    const LevelChoice choice = planes.fixedLevel ? planes.level : ChooseLevel(planes, x, y);
    span.level = &mTexture->levels[choice.level];
    span.filter = choice.filter;
    const LinearPlane& u = planes.plane[kU];
    const LinearPlane& v = planes.plane[kV];
    const double sScale = span.level->width, tScale = span.level->height;
    span.s = {Finite(u.At(x, y) * sScale), Finite(u.dx * sScale)};
    span.t = {Finite(v.At(x, y) * tScale), Finite(v.dx * tScale)};
  }
  mShader(setup, span);
}

bool Rasterizer::TrianglePlanes(const TransformedVertex& a, const TransformedVertex& b, const TransformedVertex& c,
                                const DrawSetup& setup, Planes& planes) const {
  const double x1 = double{b.x} - a.x, y1 = double{b.y} - a.y;
  const double x2 = double{c.x} - a.x, y2 = double{c.y} - a.y;
  const double det = x1 * y2 - x2 * y1;
  if (!(det != 0) || !std::isfinite(det)) return false;
  const uint32_t read = PlanesRead(setup);
  if (read == 0) return true;
  double values[3][kAttributeCount];
  VertexValues(a, setup.perspective, values[0]);
  VertexValues(b, setup.perspective, values[1]);
  VertexValues(c, setup.perspective, values[2]);
  for (uint32_t left = read; left != 0; left &= left - 1) {
    const int n = std::countr_zero(left);
    const double f1 = values[1][n] - values[0][n];
    const double f2 = values[2][n] - values[0][n];
    planes.plane[n] = {a.x, a.y, values[0][n], (f1 * y2 - f2 * y1) / det, (f2 * x1 - f1 * x2) / det};
  }
  return true;
}

void Rasterizer::Fill(const DrawSetup& setup, const Planes& planes, const ConvexOutline& outline) const {
  outline.Scan(mViewport, [&](int32_t y, int32_t left, int32_t right) { EmitSpan(setup, planes, y, left, right); });
}

void Rasterizer::DrawTriangle(const TransformedVertex& a, const TransformedVertex& b, const TransformedVertex& c) {
  const TransformedVertex* vertices[3] = {&a, &b, &c};
  DrawSetup setup;
  Planes planes;
  if (!Prepare(vertices, 3, setup) || !TrianglePlanes(a, b, c, setup, planes)) return;
  Finish(setup, planes);
  Fill(setup, planes, ConvexOutline(vertices, 3));
}

void Rasterizer::DrawQuad(const TransformedVertex& a, const TransformedVertex& b, const TransformedVertex& c,
                          const TransformedVertex& d) {
  const TransformedVertex* corners[4] = {&a, &b, &c, &d};
  auto drawHalves = [&] {
    DrawTriangle(a, b, c);
    DrawTriangle(a, c, d);
  };
  // A quad reaching past the guard band would be clipped to more corners.
  const bool withinBand = std::all_of(std::begin(corners), std::end(corners), [](const TransformedVertex* corner) {
    return ConvexOutline::WithinGuardBand(*corner);
  });
  DrawSetup setup;
  Planes planes, second;
  if (!withinBand || !Prepare(corners, 4, setup) || !TrianglePlanes(a, b, c, setup, planes) ||
      !TrianglePlanes(a, c, d, setup, second)) {
    drawHalves();
    return;
  }
  const ConvexOutline outline(corners, 4);
  if (!outline.IsStrictlyConvex()) {
    drawHalves();
    return;
  }
  Finish(setup, planes);
  // One plane for both halves, or they are drawn as the two triangles.
  for (uint32_t used = planes.used; used != 0; used &= used - 1) {
    const int n = std::countr_zero(used);
    auto same = [](double p, double q) { return std::abs(p - q) <= 1e-12 * (std::abs(p) + std::abs(q)); };
    if (!same(planes.plane[n].dx, second.plane[n].dx) || !same(planes.plane[n].dy, second.plane[n].dy)) {
      drawHalves();
      return;
    }
  }
  // The outline's sides are those of the two triangles and their shared
  // diagonal splits its centres between them, so the quad covers exactly the
  // pixels of its two triangles.
  Fill(setup, planes, outline);
}

void Rasterizer::DrawLine(const TransformedVertex& a, const TransformedVertex& b) {
  const TransformedVertex* vertices[2] = {&a, &b};
  DrawSetup setup;
  if (!Prepare(vertices, 2, setup)) return;
  const double dx = double{b.x} - a.x, dy = double{b.y} - a.y;
  if (dx == 0 && dy == 0) return;
  if (dy == 0 && PlanesRead(setup) == 0) {
    DrawFlatRow(setup, a.x, b.x, a.y);
    return;
  }
  const bool xMajor = std::abs(dx) >= std::abs(dy);

  // Attributes change along the major axis only.
  Planes planes;
  if (const uint32_t read = PlanesRead(setup); read != 0) {
    double values[2][kAttributeCount];
    VertexValues(a, setup.perspective, values[0]);
    VertexValues(b, setup.perspective, values[1]);
    for (uint32_t left = read; left != 0; left &= left - 1) {
      const int n = std::countr_zero(left);
      const double change = values[1][n] - values[0][n];
      planes.plane[n] = {a.x, a.y, values[0][n], xMajor ? change / dx : 0, xMajor ? 0 : change / dy};
    }
  }
  Finish(setup, planes);

  const double start = xMajor ? a.x : a.y, end = xMajor ? b.x : b.y;
  const double minorStart = xMajor ? a.y : a.x;
  const double slope = xMajor ? dy / dx : dx / dy;
  const int32_t low = xMajor ? mViewport.left : mViewport.top;
  const int32_t high = xMajor ? mViewport.right : mViewport.bottom;
  const int32_t minorLow = xMajor ? mViewport.top : mViewport.left;
  const int32_t minorHigh = xMajor ? mViewport.bottom : mViewport.right;
  // Centres in [start, end) when going up the axis, in (end, start] going down.
  const int32_t first = end > start ? CeilWithin(start, low, high) : AboveWithin(end, low, high);
  const int32_t last = end > start ? CeilWithin(end, low, high) : AboveWithin(start, low, high);

  int32_t runBegin = 0, runEnd = 0, runRow = 0;
  for (int32_t major = first; major < last; ++major) {
    const double minor = std::floor(minorStart + (major - start) * slope + 0.5);
    if (minor < minorLow || minor >= minorHigh) continue;
    const auto row = static_cast<int32_t>(minor);
    if (xMajor && runEnd > runBegin && row == runRow && major == runEnd) {
      ++runEnd;
      continue;
    }
    if (runEnd > runBegin) EmitSpan(setup, planes, runRow, runBegin, runEnd);
    if (xMajor) {
      runBegin = major, runEnd = major + 1, runRow = row;
    } else {
      runBegin = row, runEnd = row + 1, runRow = major;
    }
  }
  if (runEnd > runBegin) EmitSpan(setup, planes, runRow, runBegin, runEnd);
}

// The stepping of DrawLine for a line along a row with nothing to
// interpolate, as text is drawn: every pixel lands on the row nearest to
// it, in one run.
void Rasterizer::DrawFlatRow(const DrawSetup& setup, double start, double end, double y) const {
  FlatSpan pixels;
  Planes none;  // nothing is interpolated: none of its planes is read
  if (RowPixels(start, end, y, pixels)) EmitSpan(setup, none, pixels.y, pixels.x, pixels.x + pixels.count);
}

bool Rasterizer::RowPixels(double start, double end, double y, FlatSpan& pixels) const {
  // The nearest row, floor(y + 0.5), is within the viewport's whole bounds
  // just when y + 0.5 is.
  const double centre = y + 0.5;
  if (!(centre >= mViewport.top && centre < mViewport.bottom)) return false;
  const int32_t first = end > start ? CeilWithin(start, mViewport.left, mViewport.right)
                                    : AboveWithin(end, mViewport.left, mViewport.right);
  const int32_t last = end > start ? CeilWithin(end, mViewport.left, mViewport.right)
                                   : AboveWithin(start, mViewport.left, mViewport.right);
  pixels.x = first;
  pixels.y = static_cast<int32_t>(centre);
  pixels.count = last - first;
  return first < last;
}

bool Rasterizer::IsFlatRow(const DrawSetup& setup, const TransformedVertex& a, const TransformedVertex& b) const {
  if (setup.depthTest || setup.textured || a.y != b.y || a.x == b.x || a.rhw != b.rhw) return false;
  if (!IsFinite(a) || !IsFinite(b)) return false;
  // Colours that differ are still flat when flat shading or the stage ignores them.
  const bool gouraud = mStates.shadeMode == ShadeMode::Gouraud;
  if (a.diffuse != b.diffuse && gouraud && StageReadsDiffuse(mStates.stage)) return false;
  return a.specular == b.specular || !gouraud || !setup.specularAdd;
}

void Rasterizer::DrawLineList(const TransformedVertex* vertices, uint32_t count) {
  DrawSetup setup;
  if (!PrepareStates(setup)) return;
  // Flat rows wait here to be shaded together, and are shaded before any
  // other line, so that every line still blends over the ones before it.
  constexpr int32_t kWaiting = 128;
  FlatSpan waiting[kWaiting];
  int32_t waitingCount = 0;
  auto shadeWaiting = [&] {
    if (waitingCount > 0) mFlatShader(setup, waiting, waitingCount);
    waitingCount = 0;
  };
  for (uint32_t k = 0; k + 1 < count; k += 2) {
    const TransformedVertex& a = vertices[k];
    const TransformedVertex& b = vertices[k + 1];
    if (!IsFlatRow(setup, a, b)) {
      shadeWaiting();
      DrawLine(a, b);
      continue;
    }
    FlatSpan& span = waiting[waitingCount];
    if (!RowPixels(a.x, b.x, a.y, span)) continue;
    span.diffuse = a.diffuse;
    span.specular = a.specular;
    if (++waitingCount == kWaiting) shadeWaiting();
  }
  shadeWaiting();
}

}  // namespace sys::gfx
