#include "windows/core/TWindowManager.h"

#include <algorithm>

#include "platform/TPlatform.h"
#include "platform/text/Log.h"
#include "platform/time/TTaskList.h"
#include "windows/script/LuaBinding.h"
#include "windows/core/TMessage.h"
#include "windows/kinds/TModalWindow.h"
#include "windows/core/TWindow.h"
#include "windows/kinds/TWindowFactory.h"
#include "windows/kinds/TXSellWindow.h"
#include "windows/script/TWindowScript.h"
#include "windows/core/TWindowSpider.h"

namespace {

// Each round propagates the windows whose dirty area grew since their last
// propagation; areas only grow, so a few rounds settle. The bound keeps a
// window that grows its area without end from holding up the frame.
constexpr int kMaxPropagationRounds = 16;
constexpr int32_t kRelativeMouse = 1;

template <class T>
void Erase(std::vector<T*>& list, const T* item) {
  list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace

TWindowManager::TWindowManager() = default;

// Messages that the windows' destructors post go with the queue.
TWindowManager::~TWindowManager() {
  mHandlers.clear();
  mCaptures.clear();
  ClearDirtySet();
  while (!mModals.empty()) PopModal();
  DeletePending();
  mOverlays.clear();
  mMessages.clear();
  mFactories.clear();
  mSnapshot.reset();
  mScript.reset();
}

void TWindowManager::SetScript(std::unique_ptr<TWindowScript> script) {
  mScript = std::move(script);
  if (!mScript) return;
  mScript->AddWindowType("XSellWindow", &TXSellWindow::Create);
  mScript->PushWindow(GetTopModal());
  BindMethod(mScript->GetState(), "SetTopModalOnly", this, &TWindowManager::SetTopModalOnly);
  // The platform's tasks step the script without owning it: the manager
  // stays its one owner.
  TPlatform* platform = TPlatform::Instance();
  if (platform != nullptr) platform->GetTaskList()->Add(mScript->MakeTask());
}

bool TWindowManager::SetTranslateLabels(bool on) { return mScript ? mScript->SetTranslateLabels(on) : false; }

bool TWindowManager::AddWindowType(const TString& name, TWindowCreator creator) {
  return mScript && mScript->AddWindowType(name, creator);
}

bool TWindowManager::RunDialogScript(TWindow* window, const TString& fileName) {
  if (!mScript || !window) return false;
  mScript->PushWindow(window);
  const bool ran = mScript->RunScript(fileName);
  mScript->PopThrough(window);
  return ran;
}

// ---- The modal stack.

bool TWindowManager::SetRootWindow(std::unique_ptr<TWindow> window) {
  TWindow* root = window.get();
  if (!root) return false;
  mRoot = root;
  if (!PushModal(std::move(window))) return false;
  TRect viewport;
  TPlatform::Instance()->GetViewport(viewport);
  root->SetSize(viewport.Width(), viewport.Height());
  return root->Init();
}

bool TWindowManager::PushModal(std::unique_ptr<TWindow> window) {
  TWindow* pushed = window.get();
  if (!pushed) return false;
  TWindow* previous = GetTopModal();
  if (previous && previous->GetDepth() >= kMaxWindowDepth) {
    LogPrintf("PushModal: refused: windows nest at most %d levels deep", kMaxWindowDepth);
    return false;
  }
  CancelCaptures();
  mModals.push_back(pushed);
  if (previous) {
    previous->AddChild(window, false);
  } else {
    mBottom = std::move(window);
  }
  TWindow* old = mFocus;
  mFocus = pushed;
  pushed->OnFocus(old);
  if (mScript) mScript->SetWindow(pushed);
  pushed->Init();
  TWindow* parent = pushed->GetParent();
  if (pushed->GetWidth() == 0 && parent) pushed->SetSize(parent->GetWidth(), parent->GetHeight());
  pushed->Invalidate();
  return true;
}

void TWindowManager::PopModal() {
  if (mModals.empty()) return;
  TWindow* window = mModals.back();
  TRect place = window->GetScreenRect();
  // A layer that someone unlinked is no longer the manager's to delete.
  std::unique_ptr<TWindow> popped;
  if (window->GetParent()) {
    popped = window->GetParent()->RemoveChild(window);
  } else if (mBottom.get() == window) {
    popped = std::move(mBottom);
  }
  mModals.pop_back();
  if (window == mRoot) mRoot = nullptr;
  if (TModalWindow* modal = TModalWindow::Cast(window)) modal->ClearTasks();
  DeferDelete(std::move(popped));
  TWindow* top = GetTopModal();
  if (mScript) mScript->SetWindow(top);
  if (top) {
    TWindow* old = mFocus;
    mFocus = top;
    top->OnFocus(old);
  }
  if (mRoot) mRoot->Invalidate(&place);
  mPopped = true;
}

// ---- Events.

void TWindowManager::HandleEvent(const TEvent& event) {
  if (event.type == kEventNothing) return;
  if (event.type == kEventDisplayChanged) mSnapshot.reset();
  if (TPlatform::Instance()->ConsumeRepaintRequest() && mRoot) mRoot->Invalidate();
  DeletePending();
  TWindow* top = GetTopModal();
  if (!top) return;
  switch (event.type) {
    case kEventIdle:
      RunTopTasks(TTaskPass::Timed);
      DispatchMessages();
      Frame();
      DispatchMessages();
      break;
    case kEventPaint:
      top->Invalidate();
      DispatchMessages();
      Frame();
      DispatchMessages();
      break;
    case kEventLeftDown:
    case kEventOtherButton:
    case kEventLeftUp:
    case kEventMouseMove:
    case kEventHover:
      if (mCaptures.empty()) {
        RouteMouse(event, *top);
      } else {
        // Messages posted by capture windows go out with the next event.
        RouteToCaptures(event);
      }
      break;
    case kEventMouseLost: {
      std::vector<TWindow*> captures = mCaptures;
      for (TWindow* capture : captures) {
        if (IsCapturing(capture)) capture->OnCaptureLost();
      }
      DispatchMessages();
      break;
    }
    case kEventKeyDown:
    case kEventKeyUp:
    case kEventCharacter:
      (mFocus ? mFocus : top)->HandleEvent(event, false);
      DispatchMessages();
      break;
    case kEventActivation:
      break;
    default:
      DispatchMessages();
      top->HandleEvent(event, false);
      break;
  }
}

// To the deepest visible window at the point, in its own coordinates.
void TWindowManager::RouteMouse(const TEvent& event, TWindow& top) {
  if (event.type == kEventMouseMove && TPlatform::Instance()->GetMouseMode() == kRelativeMouse) return;
  TVec2 point = top.ScreenToLocal(TVec2(static_cast<float>(event.x), static_cast<float>(event.y)));
  TWindow* target = top.FindWindowAt(point);
  TEvent local = event;
  local.x = static_cast<int32_t>(point.x);
  local.y = static_cast<int32_t>(point.y);
  target->HandleEvent(local, false);
  DispatchMessages();
}

// Handlers may release captures and push dialogs, which empties the list:
// the walk goes over a copy and skips the windows that left the list.
void TWindowManager::RouteToCaptures(const TEvent& event) {
  bool relative = TPlatform::Instance()->GetMouseMode() == kRelativeMouse;
  TVec2 point(static_cast<float>(event.x), static_cast<float>(event.y));
  std::vector<TWindow*> captures = mCaptures;
  for (TWindow* capture : captures) {
    if (!IsCapturing(capture)) continue;
    TRect screen = capture->GetScreenRect();
    if (!relative && !screen.Contains(point)) capture->OnCaptureLost();
    TEvent local = event;
    if (!(relative && event.type == kEventMouseMove)) {
      local.x -= screen.left;
      local.y -= screen.top;
    }
    capture->HandleEvent(local, false);
  }
}

void TWindowManager::CancelCaptures() {
  std::vector<TWindow*> captures = mCaptures;
  for (TWindow* capture : captures) {
    if (IsCapturing(capture)) capture->OnCaptureLost();
  }
  mCaptures.clear();
}

void TWindowManager::SetFocus(TWindow* window, TWindow* previous) {
  mFocus = window;
  if (window) window->OnFocus(previous);
}

TWindow* TWindowManager::SetCapture(TWindow* window) {
  TWindow* front = mCaptures.empty() ? nullptr : mCaptures.front();
  if (!window) return front;
  if (front == window || IsCapturing(window)) return window;
  mCaptures.insert(mCaptures.begin(), window);
  return front;
}

void TWindowManager::ReleaseCapture(TWindow* window) { Erase(mCaptures, window); }

bool TWindowManager::IsCapturing(const TWindow* window) const {
  return std::find(mCaptures.begin(), mCaptures.end(), window) != mCaptures.end();
}

// ---- Frames.

void TWindowManager::Frame() {
  mPopped = false;
  if (IsSuspended()) return;
  TPlatform* platform = TPlatform::Instance();
  if (!platform->IsFullScreen() && !platform->IsFlipDone()) return;
  ClearSnapshotMarks();
  if (mDirty.empty() || mModals.empty()) return;
  for (TWindow* overlay : mOverlays) {
    TRect place = overlay->GetScreenRect();
    if (mRoot) mRoot->Invalidate(&place);
  }
  platform->GetTaskList()->DoTasks(TTaskPass::Frame);
  RunTopTasks(TTaskPass::Frame);
  PropagateDirty();
  if (mSnapshot) {
    // The snapshot pass draws the root too; the root still has to show the
    // snapshot on the screen.
    bool rootNeedsDrawing = mRoot && (mRoot->GetFlags() & kWindowNeedsDrawing);
    if (platform->PushRenderTarget(mSnapshot)) {
      DrawModals(kDrawSnapshot);
      platform->PopRenderTarget();
    }
    if (platform->BeginDraw(!mFullRedraw)) {
      if (rootNeedsDrawing && mRoot) {
        mRoot->AddFlags(kWindowNeedsDrawing);
        mRoot->DrawTree(kDrawAll);
      }
      DrawModals(kDrawOverSnapshot);
      DrawOverlays();
      platform->EndDraw(true);
    }
  } else if (platform->BeginDraw(!mFullRedraw)) {
    DrawModals(kDrawAll);
    DrawOverlays();
    platform->EndDraw(true);
  }
  mFullRedraw = false;
}

// Over the whole tree: every layer above the bottom one lies below it.
void TWindowManager::ClearSnapshotMarks() {
  if (mModals.empty()) return;
  TWindow* bottom = mModals.front();
  bottom->ClearFlags(kWindowInSnapshot);
  TWindowClearFlags clear(~kWindowInSnapshot, true);
  bottom->ForEachChild(clear);
}

// From the bottom layer up, so the top one ends in front; a layer popped
// while drawing stops the layers.
void TWindowManager::DrawModals(TDrawMode mode) {
  if (mPopped || mModals.empty()) return;
  if (mode == kDrawOverSnapshot || mTopModalOnly) {
    GetTopModal()->DrawTree(mode);
    return;
  }
  // By index: a layer's drawing may pop layers.
  for (size_t index = 0; index < mModals.size(); ++index) {
    if (mode == kDrawSnapshot && index + 1 == mModals.size()) continue;
    mModals[index]->DrawTree(mode);
    if (mPopped) return;
  }
}

void TWindowManager::DrawOverlays() {
  for (size_t index = 0; index < mOverlays.size(); ++index) {
    TWindow* overlay = mOverlays[index];
    overlay->AddFlags(kWindowNeedsDrawing);
    overlay->DrawTree(kDrawAll);
  }
}

void TWindowManager::AddOverlay(TWindow* window) {
  if (window && std::find(mOverlays.begin(), mOverlays.end(), window) == mOverlays.end()) {
    mOverlays.insert(mOverlays.begin(), window);
  }
}

void TWindowManager::RemoveOverlay(TWindow* window) { Erase(mOverlays, window); }

void TWindowManager::RunTopTasks(TTaskPass pass) {
  if (TModalWindow* top = TModalWindow::Cast(GetTopModal())) top->RunTasks(pass);
}

// ---- Deletion.

void TWindowManager::DeferDelete(std::unique_ptr<TWindow> window) {
  if (!window) return;
  for (const std::unique_ptr<TMessage>& message : mMessages) {
    if (window->Encloses(message->GetTarget())) message->SetTarget(nullptr);
  }
  ReleaseCapture(window.get());
  TWindowRelease release;
  release.Visit(*window);
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

void TWindowManager::WindowDestroyed(TWindow* window) {
  if (window->mInDirtySet) Erase(mDirty, window);
  if (mFocus == window) mFocus = nullptr;
  // It must not become the parent of the next window a script makes.
  if (mScript) mScript->ForgetWindow(window);
  ReleaseCapture(window);
  // A layer or overlay that goes without being popped or removed (its parent
  // went) leaves no dangling entry; neither does a message addressed to it.
  Erase(mModals, window);
  Erase(mOverlays, window);
  if (mRoot == window) mRoot = nullptr;
  for (const std::unique_ptr<TMessage>& message : mMessages) {
    if (message->GetTarget() == window) message->SetTarget(nullptr);
  }
  for (TModalWindow* modal = TModalWindow::Cast(GetTopModal()); modal;
       modal = TModalWindow::Cast(modal->GetParent())) {
    if (modal->GetFocusChild() == window) modal->SetFocusChild(nullptr);
  }
}

// ---- Messages.

void TWindowManager::PostMessage(std::unique_ptr<TMessage> message) {
  if (message) mMessages.push_back(std::move(message));
}

void TWindowManager::DispatchMessages() {
  while (!mMessages.empty()) {
    std::unique_ptr<TMessage> message = std::move(mMessages.front());
    mMessages.pop_front();
    DispatchMessage(std::move(message));
  }
}

void TWindowManager::DispatchMessage(std::unique_ptr<TMessage> message) {
  if (!message) return;
  if (message->GetType() == kMessageQuit) TPlatform::Instance()->PostQuitRequest();
  TWindow* target = message->GetTarget();
  if (!target) {
    // By index: a handler may add or remove handlers.
    for (size_t index = 0; index < mHandlers.size(); ++index) {
      if (mHandlers[index]->Handle(*message)) return;
    }
    target = mFocus ? mFocus : GetTopModal();
    if (!target) return;
  }
  target->SendMessage(std::move(message));
}

void TWindowManager::SendToScript(std::unique_ptr<TMessage> message, TLuaFunction* function) {
  if (mScript) mScript->QueueMessage(std::move(message), function);
}

void TWindowManager::AddHandler(std::unique_ptr<TMessageHandler> handler) {
  if (handler) mHandlers.push_back(std::move(handler));
}

std::unique_ptr<TMessageHandler> TWindowManager::RemoveHandler(TMessageHandler* handler) {
  auto held = std::find_if(mHandlers.begin(), mHandlers.end(),
                           [handler](const std::unique_ptr<TMessageHandler>& owned) { return owned.get() == handler; });
  if (held == mHandlers.end()) return nullptr;
  std::unique_ptr<TMessageHandler> removed = std::move(*held);
  mHandlers.erase(held);
  return removed;
}

void TWindowManager::SetFactory(const TString& name, std::unique_ptr<TWindowFactory> factory) {
  mFactories[name] = std::move(factory);
}

TWindowFactory* TWindowManager::GetFactory(const TString& name) const {
  auto found = mFactories.find(name);
  return found == mFactories.end() ? nullptr : found->second.get();
}

// ---- Dirty windows.

void TWindowManager::MarkDirty(TWindow* window) {
  if (window->mInDirtySet) return;
  window->mInDirtySet = true;
  mDirty.push_back(window);
}

bool TWindowManager::IsDirty(const TWindow* window) const { return window->mInDirtySet; }

void TWindowManager::RequestFullRedraw() {
  if (!mNoFullRedraw) mFullRedraw = true;
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

TWindowManager* PlatformWindowManager() {
  TPlatform* platform = TPlatform::Instance();
  return platform ? platform->GetWindowManager() : nullptr;
}
