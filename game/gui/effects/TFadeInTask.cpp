#include "game/gui/effects/TFadeInTask.h"

#include <algorithm>

#include "platform/TPlatform.h"
#include "platform/text/Log.h"
#include "platform/time/TClock.h"
#include "windows/core/TWindowManager.h"
#include "windows/kinds/TImage.h"
#include "windows/kinds/TModalWindow.h"

namespace GUI {

namespace {

constexpr uint32_t kFadeStepMs = 10;
constexpr float kFadePerStep = 0.02f;
// Fifty steps of 0.02 add up to a hair under 1 in floats; that is done too.
constexpr float kFadeDoneSlack = 1e-4f;

}  // namespace

TFadeInTask::TFadeInTask(TWindow& window, float speed) : TWindowTask(window), mSpeed(speed) {
  Start(kFadeStepMs, true, true, false);
  TImage* image = GetImage();
  if (!image) return;
  image->SetAlpha(0.0f);
  SetChildrenShown(false);
}

TFadeInTask::~TFadeInTask() = default;

TFadeInTask* TFadeInTask::AddToTopModal(TWindow& window, float speed) {
  TPlatform* platform = TPlatform::Instance();
  TWindowManager* manager = platform ? platform->GetWindowManager() : nullptr;
  TModalWindow* dialog = manager ? TModalWindow::Cast(manager->GetTopModal()) : nullptr;
  if (!dialog) {
    LogPrintf("Fade-in of window %s: no dialog on top to run it; the window shows at once",
              window.GetName().CStr());
    return nullptr;
  }
  auto task = std::make_unique<TFadeInTask>(window, speed);
  TFadeInTask* fade = task.get();
  dialog->AddTask(std::move(task));
  return fade;
}

// The fade works on the window itself when it is an image.
TImage* TFadeInTask::GetImage() const {
  TWindow* window = GetWindow();
  return window && window->IsKindOf(TImage::ClassId()) ? static_cast<TImage*>(window) : nullptr;
}

bool TFadeInTask::Animate() {
  const float steps = StepsSinceLast();
  TImage* image = GetImage();
  if (image) image->SetAlpha(mProgress);
  mProgress += mSpeed * kFadePerStep * steps;
  if (TWindow* window = GetWindow()) window->Invalidate();
  if (mProgress >= 1.0f - kFadeDoneSlack) Finish(image);
  for (IFadeInListener* listener : mListeners) listener->OnFadeProgress(mProgress);
  return true;
}

float TFadeInTask::StepsSinceLast() {
  float steps = 1.0f;
  if (mStepClock) {
    steps = static_cast<float>(mStepClock->GetTime()) / static_cast<float>(kFadeStepMs);
  } else {
    mStepClock = std::make_unique<TClock>();
  }
  mStepClock->Reset();
  mStepClock->Start();
  return steps;
}

void TFadeInTask::Finish(TImage* image) {
  if (image) {
    image->SetAlpha(1.0f);
    SetChildrenShown(true);
  }
  mProgress = 1.0f;
  Stop();
}

void TFadeInTask::SetChildrenShown(bool shown) {
  TSwitchEachChild spider(shown, *this);
  GetWindow()->ForEachChild(spider);
  if (shown) mHidden.clear();
}

bool TFadeInTask::WasHidden(const TWindow& child) const {
  return std::any_of(mHidden.begin(), mHidden.end(),
                     [&child](const TWindowLink& link) { return *link == &child; });
}

// A child the screen had hidden before the fade stays hidden after it.
bool TSwitchEachChild::Visit(TWindow& child) {
  if (mShow) {
    if (mTask.WasHidden(child)) child.AddFlags(kWindowVisible);
  } else if (child.IsVisible()) {
    mTask.mHidden.push_back(child.GetLink());
    child.ClearFlags(kWindowVisible);
  }
  return true;
}

}  // namespace GUI
