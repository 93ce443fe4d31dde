#include "windows/TScreen.h"

#include <algorithm>

#include "platform/TPlatform.h"

TClassId TScreen::ClassId() {
  static const char id = 0;
  return &id;
}

TScreen::TScreen() { AddFlags(kWindowSnapshotMember | kWindowNoUpwardInvalidation); }

bool TScreen::IsKindOf(TClassId id) const { return id == ClassId() || TModalWindow::IsKindOf(id); }

void TScreen::Draw() {
  if (!mClearBackground) return;
  TRect area = DrawArea();
  area.left = std::max(area.left, 0);
  area.top = std::max(area.top, 0);
  area.right = std::min(area.right, GetRect().right);
  area.bottom = std::min(area.bottom, GetRect().bottom);
  TPlatform::Instance()->DrawRect(area.left, area.top, area.right, area.bottom, mBackground, nullptr);
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
