#include "windows/kinds/TImage.h"

#include <algorithm>
#include <cmath>

#include "media/texture/TTexture.h"
#include "platform/TPlatform.h"
#include "platform/text/Log.h"
#include "windows/core/WindowCoordinates.h"

namespace {

// Scales come from scripts: one that is not a positive finite number would
// make sizes of nothing or of any number, and draws divide by it.
float UsableScale(float scale) {
  if (std::isfinite(scale) && scale > 0) return scale;
  // A NaN's sign differs from machine to machine; the line does not.
  const double shown = std::isnan(scale) ? std::fabs(scale) : scale;
  LogPrintf("TImage: scale %g is not a positive number; 1 is used", shown);
  return 1.0f;
}

// A value worked out in floating point, clamped as placed coordinates are
// before it becomes an integer, so that no scale can take it out of range.
int32_t ClampedCoordinate(double value) {
  const double bound = static_cast<double>(kMaxPlacedCoordinate);
  return static_cast<int32_t>(std::clamp(value, -bound, bound));
}

// The integer part of size x scale + 0.5, as an extent.
int32_t ScaledExtent(int32_t size, float scale) {
  return ClampExtent(ClampedCoordinate(static_cast<double>(size) * scale + 0.5));
}

}  // namespace

TClassId TImage::ClassId() {
  static const char id = 0;
  return &id;
}

TImage::TImage(bool snapshotMember) {
  if (snapshotMember) AddFlags(kWindowSnapshotMember);
}

bool TImage::IsKindOf(TClassId id) const { return id == ClassId() || TWindow::IsKindOf(id); }

void TImage::SetTexture(std::shared_ptr<TTexture> texture, std::shared_ptr<TTexture> mask, float scale) {
  mTexture = std::move(texture);
  mMask = std::move(mask);
  mScale = UsableScale(scale);
  if (!mTexture) return;
  SetSize(ScaledExtent(mTexture->GetWidth(), mScale), ScaledExtent(mTexture->GetHeight(), mScale));
}

void TImage::ReleaseBeforeDeletion() {
  mTexture.reset();
  mMask.reset();
}

void TImage::Draw() {
  TPlatform* platform = TPlatform::Instance();
  if (!mTexture || !platform || !platform->Begin2d()) return;
  const TVec2 origin = LocalToScreen(TVec2(0, 0));
  const std::vector<TRect>& dirty = GetDirtyRects();
  if (!mDrawWhole && !dirty.empty()) {
    for (const TRect& piece : dirty) DrawPiece(origin, piece);
  } else {
    DrawPiece(origin, GetClientRect());
  }
  platform->End2d();
}

// At scale 1 the clipped draw puts the piece in place; it draws at the
// picture's own size, so any other scale goes through the full draw, the
// source piece taken back to picture pixels.
void TImage::DrawPiece(const TVec2& origin, const TRect& piece) {
  mDrawWhole = false;
  const float x = origin.x + static_cast<float>(piece.left);
  const float y = origin.y + static_cast<float>(piece.top);
  if (mScale == 1.0f) {
    mTexture->DrawClipped(x, y, mAlpha, mScale, &piece);
    return;
  }
  const TRect source(ClampedCoordinate(static_cast<float>(piece.left) / mScale),
                     ClampedCoordinate(static_cast<float>(piece.top) / mScale),
                     ClampedCoordinate(static_cast<float>(piece.right) / mScale + 0.5f),
                     ClampedCoordinate(static_cast<float>(piece.bottom) / mScale + 0.5f));
  const TVec2 position(x, y);
  const TVec2 topLeft(0, 0);
  mTexture->Draw(&position, mAlpha, mScale, mScale, 0.0f, &topLeft, nullptr, 0, &source);
}
