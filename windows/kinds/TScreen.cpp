#include "windows/kinds/TScreen.h"

#include <algorithm>

#include "media/texture/TTexture.h"
#include "platform/TPlatform.h"
#include "windows/core/TWindowManager.h"

TClassId TScreen::ClassId() {
  static const char id = 0;
  return &id;
}

TScreen::TScreen() { AddFlags(kWindowSnapshotMember | kWindowNoUpwardInvalidation); }

bool TScreen::IsKindOf(TClassId id) const { return id == ClassId() || TModalWindow::IsKindOf(id); }

// The backdrop is copied to the place it is shown, its own pixels of the
// area, inside 2D drawing, which its copy needs.
void TScreen::Draw() {
  TPlatform& platform = *TPlatform::Instance();
  TRect area = DrawArea();
  area.left = std::max(area.left, 0);
  area.top = std::max(area.top, 0);
  area.right = std::min(area.right, GetRect().right);
  area.bottom = std::min(area.bottom, GetRect().bottom);
  if (mClearBackground) platform.DrawRect(area.left, area.top, area.right, area.bottom, mBackground, nullptr);
  TWindowManager* manager = platform.GetWindowManager();
  std::shared_ptr<TTexture> backdrop = manager ? manager->GetSnapshot() : nullptr;
  if (!backdrop) return;
  const bool began = platform.Begin2d();
  backdrop->Blit(area.left, area.top, &area, nullptr);
  if (began) platform.End2d();
}

// The dirty rectangle when it has an area, else the whole viewport.
TRect TScreen::DrawArea() const {
  const std::vector<TRect>& dirty = GetDirtyRects();
  if (!dirty.empty() && dirty.front().right != dirty.front().left && dirty.front().bottom != dirty.front().top) {
    return dirty.front();
  }
  TRect viewport;
  TPlatform::Instance()->GetViewport(viewport);
  return TRect(0, 0, viewport.Width(), viewport.Height());
}
