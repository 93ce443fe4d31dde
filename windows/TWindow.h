#pragma once

#include <cstdint>
#include <vector>

#include "platform/types/TClassId.h"
#include "platform/types/TRect.h"

// Flag bits of a window.
enum TWindowFlag : uint32_t {
  kWindowDialogBoundary = 0x1,        // a modal window: drawn by the window manager, not its parent
  kWindowFocusable = 0x2,             // a press inside it makes it the focus window
  kWindowSnapshotMember = 0x4,        // drawn into the snapshot of the lower modal layers
  kWindowNoUpwardInvalidation = 0x8,  // its invalidations stay with it
  kWindowVisible = 0x100,
  kWindowNeedsDrawing = 0x800,  // invalidated since its Draw last ran
};

// A node of the window tree on which every screen is built: a rectangle in
// its parent's coordinates, flag bits, and the area invalidated since it was
// last drawn. Drawing is driven by the window manager's frame; a window draws
// itself in screen coordinates within the viewport pushed around it. The
// root of the tree has no parent, so its rectangle is its screen rectangle.
class TWindow {
 public:
  static TClassId ClassId();

  TWindow();
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  // True for the identifier of the window's class and of each of its bases.
  virtual bool IsKindOf(TClassId id) const;
  virtual ~TWindow();
  virtual bool Init();
  virtual void Draw();
  // Merges a rectangle in window coordinates (null: the whole window) into
  // the dirty list, which holds at most one rectangle; true when the merge
  // changed a rectangle that was already there.
  virtual bool InvalidateRect(const TRect* rect);

  const TRect& GetRect() const { return mRect; }
  int32_t GetWidth() const { return mRect.Width(); }
  int32_t GetHeight() const { return mRect.Height(); }
  TRect GetClientRect() const { return TRect(0, 0, GetWidth(), GetHeight()); }
  uint32_t GetFlags() const { return mFlags; }
  const std::vector<TRect>& GetDirtyRects() const { return mDirty; }

  // Drops the dirty area, resizes keeping the top-left corner and dirties the whole new area.
  void SetSize(int32_t width, int32_t height);
  // Marks a rectangle (null: the whole window) for drawing in the next frame;
  // a rectangle whose right or bottom edge is 0 is ignored.
  void Invalidate(const TRect* rect = nullptr);
  // Draws the window when it needs drawing, inside its part of the current
  // viewport, and empties its dirty list; false for a hidden window.
  bool DrawTree();

 protected:
  void AddFlags(uint32_t flags) { mFlags |= flags; }

 private:
  TRect mRect;
  uint32_t mFlags = kWindowVisible;
  std::vector<TRect> mDirty;
};
