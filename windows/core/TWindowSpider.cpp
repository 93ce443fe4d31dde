#include "windows/core/TWindowSpider.h"

#include <memory>

#include "windows/core/TWindow.h"
#include "windows/core/TWindowManager.h"

namespace {

bool Overlaps(const TRect& a, const TRect& b) {
  TRect overlap = TRect::Intersect(a, b);
  return overlap.right > overlap.left && overlap.bottom > overlap.top;
}

}  // namespace

bool TWindowClearFlags::Visit(TWindow& child) {
  child.ClearFlags(~mMask & 0xFFFFu);
  if (mRecursive) child.ForEachChild(*this);
  return true;
}

bool ChildrenDelete::Visit(TWindow& child) {
  std::unique_ptr<TWindow> removed = mParent.RemoveChild(&child);
  if (TWindowManager* manager = PlatformWindowManager()) manager->DeferDelete(std::move(removed));
  return true;
}

bool TWindowRelease::Visit(TWindow& child) {
  child.ReleaseBeforeDeletion();
  child.ForEachChild(*this);
  return true;
}

bool TDirtyChildren::Visit(TWindow& child) {
  if (!mRect) return VisitWhole(child);
  if (!Overlaps(*mRect, child.GetRect())) return true;
  TRect part = child.ParentToLocal(TRect::Intersect(*mRect, child.GetRect()));
  child.InvalidationStep(&part, true, false);
  TDirtyChildren below(&part, mPass);
  child.ForEachChild(below);
  if (!below.IsEnlarged()) child.MarkPropagated(mPass, part);
  TRect merged = TRect::Union(*mRect, child.RectToParent(part));
  if (merged == *mRect && !below.IsEnlarged()) return true;
  *mRect = merged;
  mEnlarged = true;
  return false;
}

bool TDirtyChildren::VisitWhole(TWindow& child) {
  child.InvalidationStep(nullptr, true, false);
  child.ForEachChild(*this);
  child.MarkPropagated(mPass, child.GetClientRect());
  return true;
}
