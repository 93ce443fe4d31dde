#include "windows/TWindow.h"

#include "platform/TPlatform.h"
#include "windows/TWindowManager.h"

namespace {

TWindowManager* WindowManager() {
  TPlatform* platform = TPlatform::Instance();
  return platform ? platform->GetWindowManager() : nullptr;
}

}  // namespace

TClassId TWindow::ClassId() {
  static const char id = 0;
  return &id;
}

TWindow::TWindow() = default;

bool TWindow::IsKindOf(TClassId id) const { return id == ClassId(); }

TWindow::~TWindow() {
  if (TWindowManager* manager = WindowManager()) manager->WindowDestroyed(this);
}

bool TWindow::Init() { return true; }

void TWindow::Draw() {}

bool TWindow::InvalidateRect(const TRect* rect) {
  TRect area = rect ? *rect : GetClientRect();
  if (mDirty.empty()) {
    mDirty.push_back(area);
    return false;
  }
  if (mDirty.front() == area) return false;
  mDirty.front() = TRect::Union(mDirty.front(), area);
  return true;
}

void TWindow::SetSize(int32_t width, int32_t height) {
  mDirty.clear();
  mRect.right = mRect.left + width;
  mRect.bottom = mRect.top + height;
  Invalidate();
}

void TWindow::Invalidate(const TRect* rect) {
  if (rect && (rect->right == 0 || rect->bottom == 0)) return;
  InvalidateRect(rect);
  mFlags |= kWindowNeedsDrawing;
  TWindowManager* manager = WindowManager();
  if (!manager) return;
  manager->MarkDirty(this);
  TWindow* root = manager->GetRootWindow();
  if (!rect && root && root->GetRect() == mRect) manager->RequestFullRedraw();
}

bool TWindow::DrawTree() {
  if (!(mFlags & kWindowVisible)) return false;
  TPlatform* platform = TPlatform::Instance();
  TRect viewport;
  platform->GetViewport(viewport);
  TRect area = TRect::Intersect(mRect, viewport);
  bool pushed = area.right != 0;
  if (pushed) platform->PushViewport(area.left, area.top, area.right, area.bottom);
  if (mFlags & kWindowNeedsDrawing) {
    Draw();
    mFlags &= ~kWindowNeedsDrawing;
  }
  if (pushed) platform->PopViewport();
  mDirty.clear();
  return true;
}
