#include "windows/kinds/TImage.h"

#include "media/texture/TTexture.h"
#include "platform/TPlatform.h"

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
  mScale = scale;
  if (!mTexture) return;
  SetSize(static_cast<int32_t>(static_cast<float>(mTexture->GetWidth()) * scale + 0.5f),
          static_cast<int32_t>(static_cast<float>(mTexture->GetHeight()) * scale + 0.5f));
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
  const TRect source(static_cast<int32_t>(static_cast<float>(piece.left) / mScale),
                     static_cast<int32_t>(static_cast<float>(piece.top) / mScale),
                     static_cast<int32_t>(static_cast<float>(piece.right) / mScale + 0.5f),
                     static_cast<int32_t>(static_cast<float>(piece.bottom) / mScale + 0.5f));
  const TVec2 position(x, y);
  const TVec2 topLeft(0, 0);
  mTexture->Draw(&position, mAlpha, mScale, mScale, 0.0f, &topLeft, nullptr, 0, &source);
}
