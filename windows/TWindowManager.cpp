#include "windows/TWindowManager.h"

#include "platform/TPlatform.h"
#include "platform/time/TTaskList.h"
#include "windows/TModalWindow.h"
#include "windows/TWindow.h"
#include "windows/TWindowScript.h"

TWindowManager::TWindowManager() = default;

TWindowManager::~TWindowManager() {
  mDirty.clear();
  // Each window leaves the stack before it goes, so its destructor finds the stack whole.
  while (!mModals.empty()) {
    std::unique_ptr<TWindow> window = std::move(mModals.front());
    mModals.pop_front();
  }
  mRoot = nullptr;
}

void TWindowManager::SetScript(std::unique_ptr<TWindowScript> script) {
  mScript = std::move(script);
  // The platform's tasks step the script without owning it: the manager
  // stays its one owner.
  TPlatform* platform = TPlatform::Instance();
  if (mScript && platform != nullptr) platform->GetTaskList()->Add(mScript->MakeTask());
}

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
  mModals.push_front(std::move(window));
  pushed->Init();
  pushed->Invalidate();
}

void TWindowManager::HandleEvent(const TEvent& event) {
  if (event.type == kEventNothing) return;
  if (TPlatform::Instance()->ConsumeRepaintRequest() && mRoot) mRoot->Invalidate();
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
  mDirty.clear();
  if (platform->BeginDraw(!mFullRedraw)) {
    DrawModals();
    platform->EndDraw(true);
  }
  mFullRedraw = false;
}

void TWindowManager::RequestFullRedraw() {
  if (!mNoFullRedraw) mFullRedraw = true;
}

void TWindowManager::WindowDestroyed(TWindow* window) { mDirty.erase(window); }

void TWindowManager::RunTopTasks(TTaskPass pass) {
  TWindow* top = GetTopModal();
  if (top && top->IsKindOf(TModalWindow::ClassId())) static_cast<TModalWindow*>(top)->RunTasks(pass);
}

// From the bottom layer up, so the top one ends in front.
void TWindowManager::DrawModals() {
  for (auto layer = mModals.rbegin(); layer != mModals.rend(); ++layer) (*layer)->DrawTree();
}
