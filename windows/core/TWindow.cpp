#include "windows/core/TWindow.h"

#include <algorithm>

#include "platform/TPlatform.h"
#include "windows/core/TMessage.h"
#include "windows/kinds/TModalWindow.h"
#include "windows/core/TWindowManager.h"
#include "windows/core/TWindowSpider.h"
#include "windows/core/TWindowTask.h"

namespace {

uint32_t NextSerial() {
  static uint32_t serial = 0;
  return serial++;
}

TRect Offset(const TRect& rect, int32_t x, int32_t y) {
  return TRect(rect.left + x, rect.top + y, rect.right + x, rect.bottom + y);
}

bool IsMouseEvent(int32_t type) {
  switch (type) {
    case kEventLeftDown:
    case kEventOtherButton:
    case kEventLeftUp:
    case kEventMouseMove:
    case kEventHover:
      return true;
    default:
      return false;
  }
}

}  // namespace

TClassId TWindow::ClassId() {
  static const char id = 0;
  return &id;
}

TWindow::TWindow() : mSerial(NextSerial()) {}

bool TWindow::IsKindOf(TClassId id) const { return id == ClassId(); }

// The children go while they still name this window as their parent, so
// each dirties it over its place.
TWindow::~TWindow() {
  if (mLink) *mLink = nullptr;
  DetachTasks();
  if (mParent) mParent->Invalidate(&mRect);
  std::vector<std::unique_ptr<TWindow>> children = std::move(mChildren);
  mChildren.clear();
  children.clear();
  mDirty.clear();
  if (TWindowManager* manager = PlatformWindowManager()) manager->WindowDestroyed(this);
}

bool TWindow::Init() { return true; }
void TWindow::OnCreated() {}
void TWindow::PostCreate() {}
void TWindow::Draw() {}
void TWindow::Rescale(float, int32_t) {}
bool TWindow::HandleMessage(TMessage&) { return false; }
bool TWindow::Refresh() { return false; }
bool TWindow::OnMouseDown(int32_t, int32_t) { return false; }
bool TWindow::OnMouseButton(int32_t, int32_t, int32_t) { return false; }
bool TWindow::OnMouseUp(int32_t, int32_t) { return false; }
bool TWindow::OnMouseMove(int32_t, int32_t) { return false; }
void TWindow::OnCaptureLost() {}
bool TWindow::OnChar(uint8_t) { return false; }
bool TWindow::OnKeyDown(uint8_t, uint32_t) { return false; }
bool TWindow::OnKeyUp(uint8_t) { return false; }
bool TWindow::OnMouseLeave(int32_t, int32_t) { return false; }
void TWindow::OnFocus(TWindow*) {}

void TWindow::ReleaseBeforeDeletion() {}

bool TWindow::InvalidateRect(TRect* rect) {
  TRect area = rect ? *rect : GetClientRect();
  if (mDirty.empty()) {
    mDirty.push_back(area);
    return false;
  }
  if (mDirty.front() == area) return false;
  mDirty.front() = TRect::Union(mDirty.front(), area);
  return true;
}

// ---- Children.

bool TWindow::AddChild(std::unique_ptr<TWindow>& child, bool runInit) {
  TWindow* added = child.get();
  if (!added) return false;
  added->mParent = this;
  mChildren.push_back(std::move(child));
  ++mChildrenVersion;
  mRect.right = std::max(mRect.right, added->mRect.right);
  mRect.bottom = std::max(mRect.bottom, added->mRect.bottom);
  added->ListUnlistedTasks();
  if (!runInit || added->Init()) return true;
  auto held = std::find_if(mChildren.begin(), mChildren.end(), [added](const auto& owned) { return owned.get() == added; });
  if (held != mChildren.end()) {
    child = std::move(*held);
    mChildren.erase(held);
    ++mChildrenVersion;
  }
  added->mParent = nullptr;
  return false;
}

std::unique_ptr<TWindow> TWindow::RemoveChild(TWindow* child) {
  if (!child) return nullptr;
  std::unique_ptr<TWindow> removed;
  auto held = std::find_if(mChildren.begin(), mChildren.end(), [child](const auto& owned) { return owned.get() == child; });
  if (held != mChildren.end()) {
    Invalidate(&child->mRect);
    removed = std::move(*held);
    mChildren.erase(held);
    ++mChildrenVersion;
  }
  if (child->mParent == this) child->mParent = nullptr;
  return removed;
}

std::vector<TWindow*> TWindow::GetChildren() const {
  std::vector<TWindow*> children;
  children.reserve(mChildren.size());
  for (auto child = mChildren.rbegin(); child != mChildren.rend(); ++child) children.push_back(child->get());
  return children;
}

bool TWindow::HasChild(const TWindow* child) const {
  return std::any_of(mChildren.begin(), mChildren.end(), [child](const auto& owned) { return owned.get() == child; });
}

bool TWindow::Encloses(const TWindow* window) const {
  for (; window; window = window->mParent) {
    if (window == this) return true;
  }
  return false;
}

int32_t TWindow::GetDepth() const {
  int32_t depth = 0;
  for (const TWindow* ancestor = mParent; ancestor; ancestor = ancestor->mParent) ++depth;
  return depth;
}

// Walks run every frame over the whole tree: a copy of a few children stays
// on the stack.
void TWindow::ForEachChild(TWindowSpider& spider, bool backwards) {
  constexpr size_t kCopiedOnStack = 16;
  size_t count = mChildren.size();
  TWindow* onStack[kCopiedOnStack];
  std::vector<TWindow*> onHeap;
  TWindow** children = onStack;
  if (count > kCopiedOnStack) {
    onHeap.resize(count);
    children = onHeap.data();
  }
  for (size_t index = 0; index < count; ++index) {
    children[index] = mChildren[backwards ? index : count - 1 - index].get();
  }
  uint32_t version = mChildrenVersion;
  for (size_t index = 0; index < count; ++index) {
    TWindow* child = children[index];
    // Only a change to the children can have unlinked (or deleted) one.
    if (mChildrenVersion != version && !HasChild(child)) continue;
    if (!spider.Visit(*child)) return;
  }
}

void TWindow::DeleteChildren() {
  ChildrenDelete spider(*this);
  ForEachChild(spider);
}

TWindow* TWindow::ChildAt(const TVec2& point) {
  for (auto child = mChildren.rbegin(); child != mChildren.rend(); ++child) {
    if ((*child)->IsVisible() && (*child)->mRect.Contains(point)) return child->get();
  }
  return this;
}

TWindow* TWindow::FindWindowAt(TVec2& point, int32_t depth) {
  TWindow* window = this;
  for (int32_t level = 0; depth < 0 || level < depth; ++level) {
    TWindow* child = window->ChildAt(point);
    if (child == window) break;
    point = child->ParentToLocal(point);
    window = child;
  }
  return window;
}

TWindow* TWindow::FindChild(const TString& name, int32_t depth) {
  if (mName == name) return this;
  if (depth == 0) return nullptr;
  int32_t below = depth < 0 ? depth : depth - 1;
  for (auto child = mChildren.rbegin(); child != mChildren.rend(); ++child) {
    if (TWindow* found = (*child)->FindChild(name, below)) return found;
  }
  return nullptr;
}

// ---- Events and messages.

void TWindow::HandleEvent(const TEvent& event, bool focusDone) {
  bool handled = DispatchEvent(event);
  if (event.type == kEventLeftDown && !focusDone) {
    for (TWindow* window = this; window; window = window->mParent) {
      if (!(window->mFlags & kWindowFocusable)) continue;
      if (TWindowManager* manager = PlatformWindowManager()) manager->SetFocus(window);
      focusDone = true;
      break;
    }
  }
  if (handled) return;
  if (mFlags & kWindowDialogBoundary) {
    ReportRawInput(event);
  } else {
    PassEventOn(event, focusDone);
  }
}

bool TWindow::DispatchEvent(const TEvent& event) {
  auto byte = [](int32_t value) { return static_cast<uint8_t>(value); };
  switch (event.type) {
    case kEventLeftDown: return OnMouseDown(event.x, event.y);
    case kEventOtherButton: return OnMouseButton(event.value, event.x, event.y);
    case kEventLeftUp: return OnMouseUp(event.x, event.y);
    case kEventMouseMove: return OnMouseMove(event.x, event.y);
    case kEventHover: return OnMouseLeave(event.x, event.y);
    case kEventKeyDown: return OnKeyDown(byte(event.value), event.modifiers);
    case kEventKeyUp: return OnKeyUp(byte(event.value));
    case kEventCharacter: return OnChar(byte(event.value));
    default: return false;
  }
}

// An unhandled click falls through to the windows beneath it before it
// bubbles to the parent. Other events have no point to fall through at.
void TWindow::PassEventOn(const TEvent& event, bool focusDone) {
  bool mouse = IsMouseEvent(event.type);
  TEvent inParent = event;
  if (mouse) {
    inParent.x += mRect.left;
    inParent.y += mRect.top;
  }
  TWindow* parent = mParent;
  if (!parent) return;
  if (mouse) {
    TVec2 point(static_cast<float>(inParent.x), static_cast<float>(inParent.y));
    std::vector<TWindow*> siblings = parent->GetChildren();
    auto behind = std::find(siblings.begin(), siblings.end(), this);
    if (behind != siblings.end()) ++behind;
    for (; behind != siblings.end(); ++behind) {
      TWindow* sibling = *behind;
      if (!sibling->IsVisible() || !sibling->mRect.Contains(point)) continue;
      TVec2 local = sibling->ParentToLocal(point);
      TWindow* target = sibling->FindWindowAt(local);
      TEvent inTarget = event;
      inTarget.x = static_cast<int32_t>(local.x);
      inTarget.y = static_cast<int32_t>(local.y);
      target->HandleEvent(inTarget, focusDone);
      return;
    }
  }
  parent->HandleEvent(inParent, focusDone);
}

// A dialog tells the scripts about input that none of its windows took:
// left releases and key presses.
void TWindow::ReportRawInput(const TEvent& event) {
  TWindowManager* manager = PlatformWindowManager();
  if (!manager) return;
  if (event.type == kEventLeftUp) {
    manager->PostMessage(std::make_unique<TMessage>(kMessageRawInput, "mouse:up", nullptr));
  } else if (event.type == kEventKeyDown) {
    manager->PostMessage(
        std::make_unique<TMessage>(kMessageRawInput, TString("raw:") + static_cast<char>(event.value), nullptr));
  }
}

void TWindow::SendMessage(std::unique_ptr<TMessage> message) {
  for (TWindow* window = this; window; window = window->mParent) {
    if (window->HandleMessage(*message)) return;
    if (!(window->mFlags & kWindowDialogBoundary)) continue;
    // A boundary of another kind has no focus child to ask.
    TModalWindow* dialog = TModalWindow::Cast(window);
    TWindow* focusChild = dialog ? dialog->GetFocusChild() : nullptr;
    if (focusChild && focusChild->HandleMessage(*message)) return;
    if (TWindowManager* manager = PlatformWindowManager()) manager->SendToScript(std::move(message));
    return;
  }
}

// ---- Coordinates.

TRect TWindow::GetScreenRect() const {
  TRect rect = mRect;
  for (const TWindow* ancestor = mParent; ancestor; ancestor = ancestor->mParent) {
    rect = Offset(rect, ancestor->mRect.left, ancestor->mRect.top);
  }
  return rect;
}

TVec2 TWindow::LocalToParent(const TVec2& point) const {
  return TVec2(point.x + static_cast<float>(mRect.left), point.y + static_cast<float>(mRect.top));
}

TVec2 TWindow::ParentToLocal(const TVec2& point) const {
  return TVec2(point.x - static_cast<float>(mRect.left), point.y - static_cast<float>(mRect.top));
}

TRect TWindow::RectToParent(const TRect& rect) const { return Offset(rect, mRect.left, mRect.top); }

TRect TWindow::ParentToLocal(const TRect& rect) const { return Offset(rect, -mRect.left, -mRect.top); }

TVec2 TWindow::ScreenToLocal(const TVec2& point) const {
  TRect screen = GetScreenRect();
  return TVec2(point.x - static_cast<float>(screen.left), point.y - static_cast<float>(screen.top));
}

TVec2 TWindow::LocalToScreen(const TVec2& point) const {
  TRect screen = GetScreenRect();
  return TVec2(point.x + static_cast<float>(screen.left), point.y + static_cast<float>(screen.top));
}

TRect TWindow::LocalToScreen(const TRect& rect) const {
  TRect screen = GetScreenRect();
  return Offset(rect, screen.left, screen.top);
}

void TWindow::SetPosition(int32_t x, int32_t y) {
  Invalidate();
  mRect = TRect(x, y, x + GetWidth(), y + GetHeight());
  Invalidate();
}

void TWindow::SetSize(int32_t width, int32_t height) {
  if (mParent) {
    TRect old = mRect;
    mParent->Invalidate(&old);
  }
  mDirty.clear();
  mRect.right = mRect.left + width;
  mRect.bottom = mRect.top + height;
  Invalidate();
}

// ---- Invalidation.

void TWindow::Invalidate(const TRect* rect) {
  if (!rect) {
    InvalidationStep(nullptr, true, true);
    return;
  }
  if (rect->right == 0 || rect->bottom == 0) return;
  TRect area = *rect;
  InvalidationStep(&area, true, true);
}

bool TWindow::InvalidationStep(TRect* rect, bool origin, bool force) {
  TRect before = rect ? *rect : TRect();
  bool changed = InvalidateRect(rect) && rect && *rect != before;
  mFlags |= kWindowNeedsDrawing;
  TWindowManager* manager = PlatformWindowManager();
  TWindow* root = manager ? manager->GetRootWindow() : nullptr;
  if (manager) {
    manager->MarkDirty(this);
    if (!rect && root && root->mRect == mRect) manager->RequestFullRedraw();
  }
  // A window drawn into the snapshot shows there: the root redraws the snapshot.
  if (!origin && (mFlags & kWindowInSnapshot) && rect && root) {
    TRect onScreen = LocalToScreen(*rect);
    return root->InvalidationStep(&onScreen, true, true);
  }
  if (!force && !changed) return false;
  if ((mFlags & kWindowNoUpwardInvalidation) || !mParent) return changed;
  if (!rect) {
    TRect place = mRect;
    mParent->InvalidationStep(&place, false, true);
    return changed;
  }
  TRect inParent = RectToParent(*rect);
  if (!mParent->InvalidationStep(&inParent, false, true)) return changed;
  *rect = ParentToLocal(TRect::Intersect(inParent, mRect));
  return true;
}

bool TWindow::WasPropagated(uint32_t pass) const {
  return mPropagatedPass == pass && !mDirty.empty() && mDirty.front() == mPropagatedRect;
}

void TWindow::MarkPropagated(uint32_t pass, const TRect& area) {
  mPropagatedPass = pass;
  mPropagatedRect = area;
}

// A dirty area that some window below enlarges makes the whole window dirty.
bool TWindow::PropagateDirty(uint32_t pass) {
  if (!(mFlags & kWindowNeedsDrawing) || mChildren.empty() || WasPropagated(pass)) return false;
  if (!mDirty.empty()) {
    TRect area = RectToParent(mDirty.front());
    TDirtyChildren spider(&area, pass);
    spider.Visit(*this);
    if (!spider.IsEnlarged()) {
      mDirty.assign(1, ParentToLocal(area));
      MarkPropagated(pass, mDirty.front());
      return true;
    }
    mDirty.clear();
  }
  TDirtyChildren whole(nullptr, pass);
  whole.Visit(*this);
  return true;
}

// ---- Drawing.

bool TWindow::DrawTree(TDrawMode mode) {
  TRect screen = GetScreenRect();
  return DrawTreeAt(mode, screen.left - mRect.left, screen.top - mRect.top);
}

bool TWindow::AdmitsDrawing(TDrawMode mode) {
  if (!IsVisible()) return false;
  if (mode == kDrawSnapshot) {
    // The root, which has no parent, starts the snapshot.
    if (!(mFlags & kWindowSnapshotMember) || (mParent && !(mParent->mFlags & kWindowInSnapshot))) return false;
    mFlags |= kWindowInSnapshot;
  } else if (mode == kDrawOverSnapshot && (mFlags & kWindowInSnapshot)) {
    return false;
  }
  return true;
}

bool TWindow::DrawTreeAt(TDrawMode mode, int32_t parentLeft, int32_t parentTop) {
  if (!AdmitsDrawing(mode)) return false;
  TPlatform* platform = TPlatform::Instance();
  TRect screen = Offset(mRect, parentLeft, parentTop);
  TRect viewport;
  platform->GetViewport(viewport);
  TRect area = TRect::Intersect(screen, viewport);
  bool pushed = area.right != 0;
  if (pushed) platform->PushViewport(area.left, area.top, area.right, area.bottom);
  if (mFlags & kWindowNeedsDrawing) {
    Draw();
    mFlags &= ~kWindowNeedsDrawing;
  }
  // By index: a Draw that changes the children leaves the walk on firm ground.
  for (size_t index = 0; index < mChildren.size(); ++index) {
    TWindow* child = mChildren[index].get();
    if (!(child->mFlags & kWindowDialogBoundary)) child->DrawTreeAt(mode, screen.left, screen.top);
  }
  if (pushed) platform->PopViewport();
  mDirty.clear();
  return true;
}

// ---- Tasks.

TModalWindow* TWindow::GetEnclosingModal() {
  for (TWindow* window = this; window; window = window->mParent) {
    if (!(window->mFlags & kWindowDialogBoundary)) continue;
    return TModalWindow::Cast(window);
  }
  return nullptr;
}

TWindowLink TWindow::GetLink() {
  if (!mLink) mLink = std::make_shared<TWindow*>(this);
  return mLink;
}

TWindowAnim* TWindow::GetAnim() {
  if (!mAnim) {
    auto anim = std::make_unique<TWindowAnim>(*this);
    mAnim = anim.get();
    AddModalTask(std::move(anim));
  }
  return mAnim;
}

void TWindow::StartAnim(uint32_t delay, bool repeat, bool restartFromNow, bool catchUp) {
  GetAnim()->Start(delay, repeat, restartFromNow, catchUp);
}

void TWindow::AddModalTask(std::unique_ptr<TWindowTask> task) {
  if (TModalWindow* modal = GetEnclosingModal()) {
    modal->AddTask(std::move(task));
  } else {
    mUnlistedTasks.push_back(std::move(task));
  }
}

// A subtree linked under a modal window hands it the tasks it kept; below a
// dialog boundary the tasks were listed (or stay unlisted) already.
void TWindow::ListUnlistedTasks() {
  if (!mUnlistedTasks.empty()) {
    if (TModalWindow* modal = GetEnclosingModal()) {
      for (std::unique_ptr<TWindowTask>& task : mUnlistedTasks) modal->AddTask(std::move(task));
      mUnlistedTasks.clear();
    }
  }
  for (const std::unique_ptr<TWindow>& child : mChildren) {
    if (!(child->mFlags & kWindowDialogBoundary)) child->ListUnlistedTasks();
  }
}

void TWindow::Tie(TWindowTask* task) { mTasks.push_back(task); }

void TWindow::Untie(TWindowTask* task) {
  mTasks.erase(std::remove(mTasks.begin(), mTasks.end(), task), mTasks.end());
  if (mAnim == task) mAnim = nullptr;
}

// The tasks stay where they are listed and end at their next step; those
// that no list holds go with the window.
void TWindow::DetachTasks() {
  for (TWindowTask* task : mTasks) task->mWindow = nullptr;
  mTasks.clear();
  mAnim = nullptr;
}
