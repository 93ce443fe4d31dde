#include "windows/TWindowManager.h"

#include <algorithm>

#include "platform/TPlatform.h"
#include "platform/time/TTaskList.h"
#include "windows/TModalWindow.h"
#include "windows/TWindow.h"
#include "windows/TWindowScript.h"

namespace {

// Each round propagates the windows whose dirty area grew since their last
// propagation; areas only grow, so a few rounds settle. The bound keeps a
// window that grows its area without end from holding up the frame.
constexpr int kMaxPropagationRounds = 16;

template <class T>
void Erase(std::vector<T*>& list, const T* item) {
  list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace

TWindowManager::TWindowManager() = default;

TWindowManager::~TWindowManager() {
  mCaptures.clear();
  ClearDirtySet();
  while (!mModals.empty()) PopModal();
  DeletePending();
}

void TWindowManager::SetScript(std::unique_ptr<TWindowScript> script) { mScript = std::move(script); }

bool TWindowManager::SetTranslateLabels(bool on) { return mScript ? mScript->SetTranslateLabels(on) : false; }

bool TWindowManager::SetRootWindow(std::unique_ptr<TWindow> window) {
  mRoot = window.get();
  PushModal(std::move(window));
  TRect viewport;
  TPlatform::Instance()->GetViewport(viewport);
  mRoot->SetSize(viewport.Width(), viewport.Height());
  return mRoot->Init();
}

void TWindowManager::PushModal(std::unique_ptr<TWindow> window) {
  TWindow* pushed = window.get();
  if (!pushed) return;
  std::vector<TWindow*> captures = std::move(mCaptures);
  mCaptures.clear();
  for (TWindow* capture : captures) capture->OnCaptureLost();
  TWindow* previous = GetTopModal();
  mModals.push_back(pushed);
  if (previous) {
    previous->AddChild(window, false);
  } else {
    mBottom = std::move(window);
  }
  TWindow* old = mFocus;
  mFocus = pushed;
  pushed->OnFocus(old);
  pushed->Init();
  if (pushed->GetWidth() == 0 && pushed->GetParent()) {
    pushed->SetSize(pushed->GetParent()->GetWidth(), pushed->GetParent()->GetHeight());
  }
  pushed->Invalidate();
}

// The root popped leaves the manager inert: no root, no layer, no event routed.
void TWindowManager::PopModal() {
  if (mModals.empty()) return;
  TWindow* window = mModals.back();
  TRect place = window->GetScreenRect();
  std::unique_ptr<TWindow> popped =
      window->GetParent() ? window->GetParent()->RemoveChild(window) : std::move(mBottom);
  mModals.pop_back();
  if (window == mRoot) mRoot = nullptr;
  if (window->IsKindOf(TModalWindow::ClassId())) static_cast<TModalWindow*>(window)->ClearTasks();
  DeferDelete(std::move(popped));
  if (TWindow* top = GetTopModal()) {
    TWindow* old = mFocus;
    mFocus = top;
    top->OnFocus(old);
  }
  if (mRoot) mRoot->Invalidate(&place);
}

void TWindowManager::HandleEvent(const TEvent& event) {
  if (event.type == kEventNothing) return;
  if (TPlatform::Instance()->ConsumeRepaintRequest() && mRoot) mRoot->Invalidate();
  DeletePending();
  if (mModals.empty()) return;
  switch (event.type) {
    case kEventIdle:
      RunTopTasks(TTaskPass::Timed);
      Frame();
      break;
    case kEventPaint:
      GetTopModal()->Invalidate();
      Frame();
      break;
  }
}

void TWindowManager::Frame() {
  if (IsSuspended()) return;
  TPlatform* platform = TPlatform::Instance();
  if (!platform->IsFullScreen() && !platform->IsFlipDone()) return;
  if (mDirty.empty() || mModals.empty()) return;
  platform->GetTaskList()->DoTasks(TTaskPass::Frame);
  RunTopTasks(TTaskPass::Frame);
  PropagateDirty();
  if (platform->BeginDraw(!mFullRedraw)) {
    DrawModals();
    platform->EndDraw(true);
  }
  mFullRedraw = false;
}

void TWindowManager::SetFocus(TWindow* window) {
  TWindow* old = mFocus;
  mFocus = window;
  if (window) window->OnFocus(old);
}

TWindow* TWindowManager::SetCapture(TWindow* window) {
  TWindow* front = mCaptures.empty() ? nullptr : mCaptures.front();
  if (front == window) return window;
  if (std::find(mCaptures.begin(), mCaptures.end(), window) != mCaptures.end()) return window;
  mCaptures.insert(mCaptures.begin(), window);
  return front;
}

void TWindowManager::ReleaseCapture(TWindow* window) { Erase(mCaptures, window); }

void TWindowManager::DeferDelete(std::unique_ptr<TWindow> window) {
  if (!window) return;
  ReleaseCapture(window.get());
  mPendingDeletes.push_back(std::move(window));
}

// Destructors may queue further windows: those go in the same call.
void TWindowManager::DeletePending() {
  if (mPendingDeletes.empty()) return;
  while (!mPendingDeletes.empty()) {
    std::vector<std::unique_ptr<TWindow>> doomed = std::move(mPendingDeletes);
    mPendingDeletes.clear();
  }
  ClearDirtySet();
  if (TWindow* top = GetTopModal()) top->Invalidate();
}

void TWindowManager::MarkDirty(TWindow* window) {
  if (window->mInDirtySet) return;
  window->mInDirtySet = true;
  mDirty.push_back(window);
}

bool TWindowManager::IsDirty(const TWindow* window) const { return window->mInDirtySet; }

void TWindowManager::RequestFullRedraw() {
  if (!mNoFullRedraw) mFullRedraw = true;
}

void TWindowManager::WindowDestroyed(TWindow* window) {
  if (window->mInDirtySet) Erase(mDirty, window);
  if (mFocus == window) mFocus = nullptr;
  ReleaseCapture(window);
  // A window on the stack that goes without being popped (its parent went)
  // leaves no dangling layer behind.
  Erase(mModals, window);
  if (mRoot == window) mRoot = nullptr;
}

// Propagation dirties further windows, and a window that enlarges its area
// grows the dirty areas of its ancestors: rounds go on until every window
// has propagated the area it ends with, whatever the order they came in.
void TWindowManager::PropagateDirty() {
  if (++mPropagationPass == 0) ++mPropagationPass;
  for (int round = 0; round < kMaxPropagationRounds; ++round) {
    bool propagated = false;
    // By index: propagation appends the windows it dirties.
    for (size_t index = 0; index < mDirty.size(); ++index) {
      if (mDirty[index]->PropagateDirty(mPropagationPass)) propagated = true;
    }
    if (!propagated) break;
  }
  ClearDirtySet();
}

void TWindowManager::ClearDirtySet() {
  for (TWindow* window : mDirty) window->mInDirtySet = false;
  mDirty.clear();
}

void TWindowManager::RunTopTasks(TTaskPass pass) {
  TWindow* top = GetTopModal();
  if (top && top->IsKindOf(TModalWindow::ClassId())) static_cast<TModalWindow*>(top)->RunTasks(pass);
}

// From the bottom layer up, so the top one ends in front.
void TWindowManager::DrawModals() {
  for (TWindow* layer : mModals) layer->DrawTree(kDrawAll);
}
