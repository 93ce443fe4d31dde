// Texture data: the textured quad, its clipped form, and copies between surfaces.
#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>

#include "media/display/DisplayRules.h"
#include "media/display/TDxDisplayHandler.h"
#include "media/texture/TDxTextureData.h"
#include "media/texture/TTexture.h"
#include "platform/text/Log.h"
#include "system/gfx/Surface.h"

using sys::gfx::Result;
using sys::gfx::TransformedVertex;

namespace {

// Quads reaching far off the target are cut back to these lines, so that
// no coordinate the device works with grows without bound.
constexpr float kGuardLow = -800.0f;
constexpr float kGuardHigh = 2000.0f;
constexpr float kQuadDepth = 0.1f;
constexpr float kQuadRhw = 0.5f;
constexpr uint32_t kOpaqueBlackSpecular = 0xFF000000u;

// Once a fast copy failed, every later copy of the run is a plain one.
std::atomic<bool> gPlainCopies{false};

// A channel of 0 to 1 as a byte; beyond either end it stays at that end.
uint32_t ChannelByte(float value) {
  if (!(value > 0.0f)) return 0;
  if (value >= 1.0f) return 255;
  return static_cast<uint32_t>(value * 255.0f);
}

// Cuts the span [low, high] to the guard lines, moving the texture
// coordinates of a cut edge in proportion.
void CutToGuard(float& low, float& high, float& lowCoord, float& highCoord) {
  const float from = low, to = high, first = lowCoord, last = highCoord;
  if (from < kGuardLow && to > 0.0f) {
    low = kGuardLow;
    lowCoord = first + (last - first) * (kGuardLow - from) / (to - from);
  }
  if (to > kGuardHigh && from < kGuardHigh) {
    high = kGuardHigh;
    highCoord = first + (last - first) * (kGuardHigh - from) / (to - from);
  }
}

std::shared_ptr<sys::gfx::Surface> CurrentTarget(TDxDisplayHandlerData& data) {
  return data.mRenderTargets.empty() ? data.mBackBuffer : data.mRenderTargets.front()->surface;
}

}  // namespace

void TDxTextureData::Draw(const TVec2* position, float alpha, float scaleX, float scaleY, float rotation,
                          const TVec2* centre, const TColor* colour, int32_t flip, const TCornerTransform* corners,
                          const TRect* source) {
  TDxDisplayHandler* display = InstalledDxDisplay();
  if (!display || !display->GetData().mDevice || !mSurface || !position) return;
  TDxDisplayHandlerData& data = display->GetData();
  sys::gfx::Device3d& device = *data.mDevice;
  const TRect area = source ? *source : TRect(0, 0, mWidth, mHeight);
  const bool shapeOnly = alpha < 0.0f;
  alpha = std::fabs(alpha);

  const float width = static_cast<float>(area.Width()) * scaleX;
  const float height = static_cast<float>(area.Height()) * scaleY;
  const float anchorX = centre ? centre->x * scaleX : width / 2.0f;
  const float anchorY = centre ? centre->y * scaleY : height / 2.0f;
  // The display draws from the origin (0, 0).
  float left = position->x - anchorX;
  float top = position->y - anchorY;
  float right = left + width;
  float bottom = top + height;
  const float offset = data.mPixelOffset;
  // Flips and turns go round the anchor, or the quad's middle without one.
  const float pivotX = (centre ? position->x : (left + right) / 2.0f) + offset;
  const float pivotY = (centre ? position->y : (top + bottom) / 2.0f) + offset;
  float u0 = static_cast<float>(area.left) / static_cast<float>(mSurfaceWidth);
  float u1 = static_cast<float>(area.right) / static_cast<float>(mSurfaceWidth);
  float v0 = static_cast<float>(area.top) / static_cast<float>(mSurfaceHeight);
  float v1 = static_cast<float>(area.bottom) / static_cast<float>(mSurfaceHeight);
  CutToGuard(left, right, u0, u1);
  CutToGuard(top, bottom, v0, v1);

  const TColor white(1.0f, 1.0f, 1.0f, 1.0f);
  const TColor& tint = colour ? *colour : white;
  const uint32_t diffuse = ChannelByte(alpha) << 24 | ChannelByte(tint.r) << 16 | ChannelByte(tint.g) << 8 |
                           ChannelByte(tint.b);
  std::array<TransformedVertex, 4> quad = {
      TransformedVertex{left, top, kQuadDepth, kQuadRhw, diffuse, kOpaqueBlackSpecular, u0, v0},
      TransformedVertex{right, top, kQuadDepth, kQuadRhw, diffuse, kOpaqueBlackSpecular, u1, v0},
      TransformedVertex{right, bottom, kQuadDepth, kQuadRhw, diffuse, kOpaqueBlackSpecular, u1, v1},
      TransformedVertex{left, bottom, kQuadDepth, kQuadRhw, diffuse, kOpaqueBlackSpecular, u0, v1},
  };
  for (TransformedVertex& corner : quad) {
    corner.x += offset;
    corner.y += offset;
  }
  if (corners) {
    const float x0 = quad[0].x, y0 = quad[0].y;
    for (size_t k = 1; k < quad.size(); ++k) {
      const float dx = quad[k].x - x0, dy = quad[k].y - y0;
      quad[k].x = x0 + corners->a * dx + corners->c * dy;
      quad[k].y = y0 + corners->d * dy + corners->b * dx;
    }
  }
  const float cosine = std::cos(rotation), sine = std::sin(rotation);
  float scale = 1.0f;
  const bool scaled = DrawsScaled(scale);
  for (TransformedVertex& corner : quad) {
    if (flip & 2) corner.y = 2.0f * pivotY - corner.y;
    if (flip & 1) corner.x = 2.0f * pivotX - corner.x;
    if (rotation != 0.0f) {
      const float dx = corner.x - pivotX, dy = corner.y - pivotY;
      corner.x = pivotX + cosine * dx - sine * dy;
      corner.y = pivotY + sine * dx + cosine * dy;
    }
    if (scaled) {
      corner.x *= scale;
      corner.y *= scale;
    }
  }

  device.States().stage.colourOp = shapeOnly ? sys::gfx::TextureOp::SelectArg2 : sys::gfx::TextureOp::Modulate;
  if (device.GetTexture() != mSurface) {
    if (Result bound = device.SetTexture(mSurface); bound != Result::Ok) {
      CheckVideoMemory(bound);
      return;
    }
  }
  CheckVideoMemory(device.DrawPrimitive(sys::gfx::PrimitiveType::TriangleFan, sys::gfx::VertexLayout::Transformed,
                                        quad.data(), static_cast<uint32_t>(quad.size())));
}

// The whole surface drawn at its own size inside a viewport of the image
// (or of the clip, moved to the position), cut to the render target and
// the viewport in force.
void TDxTextureData::DrawClipped(float x, float y, float alpha, float scale, const TRect* clip) {
  TDxDisplayHandler* display = InstalledDxDisplay();
  if (!display || !display->GetData().mDevice || !mSurface) return;
  TDxDisplayHandlerData& data = display->GetData();
  TRect view;
  TVec2 at(x, y);
  if (clip) {
    const int32_t dx = static_cast<int32_t>(x - static_cast<float>(clip->left));
    const int32_t dy = static_cast<int32_t>(y - static_cast<float>(clip->top));
    view = TRect(clip->left + dx, clip->top + dy, clip->right + dx, clip->bottom + dy);
    at = TVec2(x - static_cast<float>(clip->left), y - static_cast<float>(clip->top));
  } else {
    view = TRect(static_cast<int32_t>(x), static_cast<int32_t>(y),
                 static_cast<int32_t>(x + static_cast<float>(mWidth) * scale),
                 static_cast<int32_t>(y + static_cast<float>(mHeight) * scale));
  }
  const TRect target = data.mRenderTargets.empty() ? data.mDisplayRect : data.mRenderTargets.front()->rect;
  view.right = std::min(view.right, target.Width());
  view.bottom = std::min(view.bottom, target.Height());
  TRect current;
  display->GetViewport(current.left, current.top, current.right, current.bottom);
  view = TRect::Intersect(view, current);
  // An empty viewport would be refused and leave the one in force unclipped.
  if (view.Width() <= 0 || view.Height() <= 0) return;
  display->PushViewport(view.left, view.top, view.right, view.bottom);
  const TVec2 corner(0.0f, 0.0f);
  const TColor white(1.0f, 1.0f, 1.0f, 1.0f);
  const TRect whole(0, 0, mSurfaceWidth, mSurfaceHeight);
  Draw(&at, alpha, 1.0f, 1.0f, 0.0f, &corner, &white, 0, nullptr, &whole);
  display->PopViewport();
}

void TDxTextureData::Blit(int32_t x, int32_t y, const TRect* source, const std::shared_ptr<TTexture>& destination) {
  TDxDisplayHandler* display = InstalledDxDisplay();
  if (!display || !mSurface) return;
  float scale = 1.0f;
  if (!destination && DrawsScaled(scale)) {
    DrawClipped(static_cast<float>(x), static_cast<float>(y), 1.0f, 1.0f, source);
    return;
  }
  TTextureData* destinationData = destination ? destination->GetData() : nullptr;
  std::shared_ptr<sys::gfx::Surface> target =
      destination ? (destinationData ? destinationData->GetSurface() : nullptr) : CurrentTarget(display->GetData());
  if (!target) return;
  const TRect area = source ? *source : TRect(0, 0, mWidth, mHeight);
  if (area.Width() <= 0 || area.Height() <= 0) return;
  if ((mFlags & kPalettized) && mCurrentPalette && !target->Format().IsPaletteIndexed()) {
    BlitThroughPalette(*target, x, y, area);
    return;
  }
  const sys::gfx::Rect from{area.left, area.top, area.right, area.bottom};
  Result copied = Result::Failed;
  if (!gPlainCopies.load()) {
    copied = target->BlitFast(x, y, *mSurface, &from, sys::gfx::kBlitWait);
    if (copied == Result::Ok) return;
    if (copied != Result::SurfaceLost) {
      CheckVideoMemory(copied);
      LogPrintf("TDxTextureData::Blit: fast copy failed (%s); plain copies from now on", sys::gfx::ResultName(copied));
      gPlainCopies.store(true);
    }
  }
  if (copied != Result::SurfaceLost) {
    const sys::gfx::Rect to{x, y, x + from.Width(), y + from.Height()};
    copied = target->Blit(&to, *mSurface, &from, sys::gfx::kBlitWait);
    CheckVideoMemory(copied);
  }
  if (copied == Result::SurfaceLost) display->MarkBroken();
}
