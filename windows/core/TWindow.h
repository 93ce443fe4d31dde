#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/text/TString.h"
#include "platform/types/TClassId.h"
#include "platform/types/TEvent.h"
#include "platform/types/TRect.h"
#include "platform/types/TVec2.h"

class TMessage;
class TModalWindow;
class TWindowAnim;
class TWindowManager;
class TWindowSpider;
class TWindowTask;
class TWindow;

// Reaches a window for as long as it lives: reads null once the window is
// gone. Held by what may outlive the window, such as Lua functions bound to it.
using TWindowLink = std::shared_ptr<TWindow* const>;

// Flag bits of a window.
enum TWindowFlag : uint32_t {
  kWindowDialogBoundary = 0x1,        // a modal window: drawn by the window manager, not its parent
  kWindowFocusable = 0x2,             // a press inside it makes it the focus window
  kWindowSnapshotMember = 0x4,        // drawn into the snapshot of the lower modal layers
  kWindowNoUpwardInvalidation = 0x8,  // its invalidations stay with it
  kWindowVisible = 0x100,
  kWindowInSnapshot = 0x400,    // drawn into the snapshot this frame
  kWindowNeedsDrawing = 0x800,  // invalidated since its Draw last ran
};

// Trees built from scripts go at most this many levels below the root (which
// is level 0): the walks over the tree recurse once per level.
constexpr int32_t kMaxWindowDepth = 256;

// How DrawTree walks: the whole tree, only the snapshot members into the
// snapshot, or the top layer over the snapshot without what went into it.
enum TDrawMode : int32_t {
  kDrawAll = 0,
  kDrawSnapshot = 1,
  kDrawOverSnapshot = 2,
};

// A node of the window tree on which every screen is built. A window owns its
// children and keeps its rectangle in its parent's coordinates; the frontmost
// child is hit first and drawn last. Invalidations collect in one dirty
// rectangle per window and climb to the ancestors; the window manager pushes
// them down to the children before it draws. A window draws itself in screen
// coordinates within the viewport pushed around it. Main thread only.
class TWindow {
 public:
  static TClassId ClassId();

  TWindow();
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  // True for the identifier of the window's class and of each of its bases.
  virtual bool IsKindOf(TClassId id) const;
  // Cuts the ties to its tasks, dirties its parent over its place, deletes
  // its children and tells the window manager that it is gone.
  virtual ~TWindow();
  virtual bool Init();
  // Called by scripted creation once the window is built.
  virtual void OnCreated();
  virtual void PostCreate();
  virtual void Draw();
  // Links the child in front of the others, growing this window's right and
  // bottom edges to take it in, and runs its Init when asked. On success the
  // window owns the child (the pointer is emptied); when Init fails the child
  // is unlinked again and stays with the caller.
  virtual bool AddChild(std::unique_ptr<TWindow>& child, bool runInit);
  // Unlinks a child, dirtying this window where it was, and hands it back;
  // null when it is not a child of this window.
  virtual std::unique_ptr<TWindow> RemoveChild(TWindow* child);
  virtual void Rescale(float scale, int32_t unused);
  // True takes the message (the deliverer deletes it).
  virtual bool HandleMessage(TMessage& message);
  // Called on every tick of the window's animation task; false ends it.
  virtual bool Refresh();
  // Input, with points in the window's own coordinates; true when handled.
  virtual bool OnMouseDown(int32_t x, int32_t y);
  virtual bool OnMouseButton(int32_t button, int32_t x, int32_t y);
  virtual bool OnMouseUp(int32_t x, int32_t y);
  virtual bool OnMouseMove(int32_t x, int32_t y);
  virtual void OnCaptureLost();
  virtual bool OnChar(uint8_t character);
  virtual bool OnKeyDown(uint8_t key, uint32_t modifiers);
  virtual bool OnKeyUp(uint8_t key);
  // The pointer rested over the window.
  virtual bool OnMouseLeave(int32_t x, int32_t y);
  virtual void OnFocus(TWindow* previous);
  // The window has left the tree for good and waits for the window
  // manager's next deletion pass, which may come only after another screen
  // was built in its place: what it holds only to be shown or played
  // (pictures, a level) it lets go of now, so that the two screens are never
  // held at once.
  virtual void ReleaseBeforeDeletion();
  // Merges a rectangle in window coordinates (null: the whole window) into
  // the dirty list, which holds at most one rectangle; true when the merge
  // changed a rectangle that was already there. An override may enlarge the
  // rectangle in place: the enlarged area climbs to the ancestors.
  virtual bool InvalidateRect(TRect* rect);

  const TString& GetName() const { return mName; }
  void SetName(const TString& name) { mName = name; }
  uint32_t GetSerial() const { return mSerial; }
  uint32_t GetFlags() const { return mFlags; }
  void AddFlags(uint32_t flags) { mFlags |= flags; }
  void ClearFlags(uint32_t flags) { mFlags &= ~flags; }
  bool IsVisible() const { return (mFlags & kWindowVisible) != 0; }

  TWindow* GetParent() const { return mParent; }
  // Front to back.
  std::vector<TWindow*> GetChildren() const;
  bool HasChild(const TWindow* child) const;
  // True for this window and every window below it.
  bool Encloses(const TWindow* window) const;
  // The number of ancestors.
  int32_t GetDepth() const;

  const TRect& GetRect() const { return mRect; }
  int32_t GetWidth() const { return mRect.Width(); }
  int32_t GetHeight() const { return mRect.Height(); }
  TRect GetClientRect() const { return TRect(0, 0, GetWidth(), GetHeight()); }
  TRect GetScreenRect() const;
  TVec2 LocalToParent(const TVec2& point) const;
  TVec2 ParentToLocal(const TVec2& point) const;
  TRect RectToParent(const TRect& rect) const;
  TRect ParentToLocal(const TRect& rect) const;
  TVec2 ScreenToLocal(const TVec2& point) const;
  TVec2 LocalToScreen(const TVec2& point) const;
  TRect LocalToScreen(const TRect& rect) const;
  // Moves the window keeping its size, dirtying the old and the new place.
  void SetPosition(int32_t x, int32_t y);
  // Dirties the old place in the parent, drops the dirty area, resizes
  // keeping the top-left corner and dirties the whole new area.
  void SetSize(int32_t width, int32_t height);

  // The frontmost visible child whose rectangle holds the point (edges
  // included), or this window when none does.
  TWindow* ChildAt(const TVec2& point);
  // Descends through ChildAt at most depth levels (-1: to the deepest
  // window), converting the point into each window found on the way.
  TWindow* FindWindowAt(TVec2& point, int32_t depth = -1);
  // This window when the name is its own, else the first match among the
  // children from the front, depth levels down at most (-1: all levels).
  TWindow* FindChild(const TString& name, int32_t depth = -1);
  // Visits the children front to back (or back to front) until a visit
  // returns false. The walk goes over the children as they were when it
  // began, skipping those that a visit unlinked.
  void ForEachChild(TWindowSpider& spider, bool backwards = false);
  // Unlinks every child and hands it to the window manager for deletion.
  void DeleteChildren();

  // Gives the window an event whose point is in its own coordinates. A left
  // press also moves the focus to the nearest focusable window on the way
  // up, unless focusDone says that happened. What the window does not
  // handle falls through to the visible windows behind it at the point
  // (mouse events), then bubbles to the parent; a dialog reports an
  // unhandled left release or key press to the scripts as raw input.
  void HandleEvent(const TEvent& event, bool focusDone);
  // Offers the message to this window and its ancestors up to the nearest
  // dialog, then to that dialog's focus child, then to the scripts; deleted
  // by whoever takes it, or when it climbs off the top of the tree.
  void SendMessage(std::unique_ptr<TMessage> message);

  // Marks a rectangle (null: the whole window) for drawing in the next frame;
  // a rectangle whose right or bottom edge is 0 is ignored.
  void Invalidate(const TRect* rect = nullptr);
  // One invalidation step: the window's own dirty area, the window manager's
  // dirty set and full-redraw request, and the climb to the parent (origin
  // false: the call comes from a child; force: climb even when nothing
  // changed). True when an override enlarged the rectangle, which then holds
  // the enlarged area.
  bool InvalidationStep(TRect* rect, bool origin, bool force);
  // Pushes the dirty area of a window that needs drawing down to the children
  // under it, so they are drawn again too. Returns false when the area had
  // already been pushed down in this pass (nothing was done).
  bool PropagateDirty(uint32_t pass);
  // Draws the window when it needs drawing, then its children from the back,
  // leaving out modal children (the window manager draws those), all inside
  // the window's part of the current viewport; empties the dirty list.
  // False for a window the mode leaves out.
  bool DrawTree(TDrawMode mode = kDrawAll);
  const std::vector<TRect>& GetDirtyRects() const { return mDirty; }

  // The animation task, made on first use and run by the nearest enclosing
  // modal window.
  TWindowAnim* GetAnim();
  void StartAnim(uint32_t delay, bool repeat, bool restartFromNow, bool catchUp);
  // Hands a task of this window to the nearest enclosing modal window's task
  // list; without one the window keeps it (unrun) until it is linked under
  // one, or deletes it with itself.
  void AddModalTask(std::unique_ptr<TWindowTask> task);
  // This window or its first ancestor that is a dialog boundary, when that
  // one is a modal window; null otherwise.
  TModalWindow* GetEnclosingModal();

  // The window's link, made on first use and cut as the window goes.
  TWindowLink GetLink();

 private:
  friend class TDirtyChildren;
  friend class TWindowManager;
  friend class TWindowTask;

  bool DispatchEvent(const TEvent& event);
  void PassEventOn(const TEvent& event, bool focusDone);
  void ReportRawInput(const TEvent& event);
  void Tie(TWindowTask* task);
  void Untie(TWindowTask* task);
  void DetachTasks();
  void ListUnlistedTasks();
  bool DrawTreeAt(TDrawMode mode, int32_t parentLeft, int32_t parentTop);
  bool AdmitsDrawing(TDrawMode mode);
  bool WasPropagated(uint32_t pass) const;
  // Records that this area of the window was pushed down to its children.
  void MarkPropagated(uint32_t pass, const TRect& area);

  TWindow* mParent = nullptr;
  // Back to front: the last child is the frontmost.
  std::vector<std::unique_ptr<TWindow>> mChildren;
  // Counts changes to the children, so that walks know when to check them.
  uint32_t mChildrenVersion = 0;
  TRect mRect;
  TString mName;
  uint32_t mFlags = kWindowVisible;
  uint32_t mSerial;
  std::vector<TRect> mDirty;
  TWindowAnim* mAnim = nullptr;
  // Every task working for this window, wherever it is listed.
  std::vector<TWindowTask*> mTasks;
  // Tasks of this window that no task list holds yet.
  std::vector<std::unique_ptr<TWindowTask>> mUnlistedTasks;
  // The dirty area last pushed down to the children, and in which pass.
  uint32_t mPropagatedPass = 0;
  TRect mPropagatedRect;
  // Kept by the window manager, so that marking a window dirty costs no lookup.
  bool mInDirtySet = false;
  std::shared_ptr<TWindow*> mLink;
};
