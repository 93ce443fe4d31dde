#pragma once

#include <cstdint>

#include "platform/types/TRect.h"

class TWindow;

// A visitor over the children of a window (TWindow::ForEachChild).
class TWindowSpider {
 public:
  virtual ~TWindowSpider() = default;
  // False stops the walk.
  virtual bool Visit(TWindow& child) = 0;
};

// Keeps only the flag bits of the mask (the low 16 bits count), over the
// children and, when recursive, over all their descendants.
class TWindowClearFlags : public TWindowSpider {
 public:
  TWindowClearFlags(uint32_t mask, bool recursive) : mMask(mask), mRecursive(recursive) {}
  bool Visit(TWindow& child) override;

 private:
  uint32_t mMask;
  bool mRecursive;
};

// Unlinks each child and hands it to the window manager for deletion (at
// once when there is no window manager).
class ChildrenDelete : public TWindowSpider {
 public:
  explicit ChildrenDelete(TWindow& parent) : mParent(parent) {}
  bool Visit(TWindow& child) override;

 private:
  TWindow& mParent;
};

// Tells the visited windows and all their descendants, which are going, to
// release what they hold only to be shown or played.
class TWindowRelease : public TWindowSpider {
 public:
  bool Visit(TWindow& child) override;
};

// Pushes a dirty area down a subtree. Without a rectangle every visited
// window and all below it need drawing whole. With one (in the coordinates of
// the visited windows' parent) only the windows under it are dirtied, each
// over its part; when some window enlarges its part (a text that is always
// drawn whole), the rectangle grows, the spider reports enlarged and stops,
// and the caller starts over with the whole window.
class TDirtyChildren : public TWindowSpider {
 public:
  TDirtyChildren(TRect* rect, uint32_t pass) : mRect(rect), mPass(pass) {}
  bool Visit(TWindow& child) override;
  bool IsEnlarged() const { return mEnlarged; }

 private:
  bool VisitWhole(TWindow& child);

  TRect* mRect;
  uint32_t mPass;
  bool mEnlarged = false;
};
