#pragma once

#include <memory>

#include "windows/core/TWindow.h"

class TTexture;

// A window that shows a texture at a scale and an alpha, drawing again only
// the dirty pieces of itself. It holds its texture: the texture cache keeps
// weak references only, so the texture would otherwise go with the caller's.
class TImage : public TWindow {
 public:
  static TClassId ClassId();

  explicit TImage(bool snapshotMember = false);

  bool IsKindOf(TClassId id) const override;
  void Draw() override;
  // The texture and the mask go.
  void ReleaseBeforeDeletion() override;

  // Sizes the window to the texture times the scale, rounded and clamped as
  // placed extents are; a null texture leaves the size alone and draws
  // nothing. A scale that is not a positive finite number counts as 1
  // (logged).
  void SetTexture(std::shared_ptr<TTexture> texture, std::shared_ptr<TTexture> mask, float scale);
  void SetAlpha(float alpha) { mAlpha = alpha; }
  // The next draw covers the whole client area, whatever is dirty.
  void SetDrawWhole() { mDrawWhole = true; }

  const std::shared_ptr<TTexture>& GetTexture() const { return mTexture; }
  const std::shared_ptr<TTexture>& GetMask() const { return mMask; }
  float GetScale() const { return mScale; }
  float GetAlpha() const { return mAlpha; }

 private:
  void DrawPiece(const TVec2& origin, const TRect& piece);

  std::shared_ptr<TTexture> mTexture;
  std::shared_ptr<TTexture> mMask;
  float mScale = 1.0f;
  float mAlpha = 1.0f;
  bool mDrawWhole = false;
};
