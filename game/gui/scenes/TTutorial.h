#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "game/gui/scenes/TTutorialAttributes.h"
#include "game/rules/control/IClockProxy.h"
#include "platform/text/TString.h"

namespace GUI::ScriptTutorial {

// One step of a tutorial: what it shows and locks while it is current, and
// how long it lingers once the player has done it. An event named
// "StartNow" counts as done as soon as it starts.
class TTutorialEvent {
 public:
  TTutorialEvent(TString name, uint32_t delay, GamePlay::IScriptTutorialView* owner,
                 std::vector<std::shared_ptr<ITutorialAttribute>> attributes)
      : mName(std::move(name)), mDelay(delay), mOwner(owner), mAttributes(std::move(attributes)) {}

  void Start();
  void End();
  const TString& GetName() const { return mName; }
  uint32_t GetDelay() const { return mDelay; }

 private:
  TString mName;
  uint32_t mDelay;
  GamePlay::IScriptTutorialView* mOwner;
  std::vector<std::shared_ptr<ITutorialAttribute>> mAttributes;
};

using TTutorialEventPtr = std::shared_ptr<TTutorialEvent>;

// Runs a tutorial's events one after another. It reacts to "Start" (the
// first event), "Next" (the current one is done: after its delay, on game
// time, the next one starts) and "Step" (every frame: a delay that has
// passed moves on), and only while the message view waits for no click and
// an event is still queued: the last event stays current for good.
class TTutorial {
 public:
  TTutorial(const TTutorialContext& context, std::deque<TTutorialEventPtr> events);
  ~TTutorial();
  TTutorial(const TTutorial&) = delete;
  TTutorial& operator=(const TTutorial&) = delete;

  void Dispatch(const TString& name);
  size_t GetQueuedCount() const { return mQueue.size(); }
  // Null before the first event.
  const TTutorialEvent* GetCurrentEvent() const { return mCurrent.get(); }

 private:
  void EndCurrent();
  void Advance();

  TTutorialContext mContext;
  std::deque<TTutorialEventPtr> mQueue;
  TTutorialEventPtr mCurrent;
  std::unique_ptr<GamePlay::IClockProxy> mDelayClock;
};

}  // namespace GUI::ScriptTutorial
