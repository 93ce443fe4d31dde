#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "game/rules/control/ITowerControlPolicy.h"

// A control policy that writes its name into a list shared with other
// policies at each update, then does what the test gives it to do, so that
// tests see the order in which the control runs its policies.
class RecordingPolicy final : public GamePlay::ITowerControlPolicy {
 public:
  RecordingPolicy(std::string name, std::vector<std::string>* log,
                  std::function<void()> action = {})
      : mName(std::move(name)), mLog(log), mAction(std::move(action)) {}

  void Update() override {
    mLog->push_back(mName);
    if (mAction) mAction();
  }

 private:
  std::string mName;
  std::vector<std::string>* mLog;
  std::function<void()> mAction;
};
