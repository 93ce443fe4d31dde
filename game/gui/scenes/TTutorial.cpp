#include "game/gui/scenes/TTutorial.h"

#include "game/rules/control/IScriptTutorialView.h"
#include "game/rules/control/TClockProxyRegistry.h"

namespace GUI::ScriptTutorial {

void TTutorialEvent::Start() {
  for (const std::shared_ptr<ITutorialAttribute>& attribute : mAttributes) attribute->Start();
  if (mName == "StartNow" && mOwner) mOwner->RequestNextStep();
}

void TTutorialEvent::End() {
  for (const std::shared_ptr<ITutorialAttribute>& attribute : mAttributes) attribute->End();
}

TTutorial::TTutorial(const TTutorialContext& context, std::deque<TTutorialEventPtr> events)
    : mContext(context), mQueue(std::move(events)) {}

TTutorial::~TTutorial() = default;

void TTutorial::Dispatch(const TString& name) {
  GamePlay::ITutorialMsgView* messageView = mContext.messageView;
  if (!messageView || messageView->IsWaitingForClick() || mQueue.empty()) return;
  if (name == "Start") {
    Advance();
  } else if (name == "Next") {
    if (!mCurrent) return;
    if (mCurrent->GetDelay() == 0) {
      EndCurrent();
      Advance();
    } else if (!mDelayClock) {
      mDelayClock.reset(GamePlay::TClockProxyRegistry::Instance().CreateClockProxy());
      mDelayClock->Stop();
      mDelayClock->Start();
    }
  } else if (name == "Step") {
    if (!mDelayClock || !mCurrent || mDelayClock->GetTime() <= mCurrent->GetDelay()) return;
    EndCurrent();
    mDelayClock.reset();
    Advance();
  }
}

void TTutorial::EndCurrent() { mCurrent->End(); }

void TTutorial::Advance() {
  TTutorialEventPtr next = mQueue.front();
  next->Start();
  mCurrent = std::move(next);
  mQueue.pop_front();
}

}  // namespace GUI::ScriptTutorial
