#pragma once

#include <string>

#include "media/sound/TSoundManager.h"
#include "tests/support/CallJournal.h"

// A sound manager without a device: it records what the platform tells it.
class FakeSoundManager final : public TSoundManager {
 public:
  explicit FakeSoundManager(CallJournal* journal = nullptr) : mJournal(journal ? journal : &ownJournal) {}
  ~FakeSoundManager() override { mJournal->Add("~sound"); }

  CallJournal& Journal() { return *mJournal; }

  bool initialises = true;

  bool Init() override {
    mJournal->Add("Init");
    return initialises;
  }
  void SetActive(bool active) override { mJournal->Add(active ? "SetActive 1" : "SetActive 0"); }
  void DispatchNotifications() override { mJournal->Add("DispatchNotifications"); }

  CallJournal ownJournal;

 private:
  CallJournal* mJournal;
};
