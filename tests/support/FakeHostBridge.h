#pragma once

#include <cstdint>
#include <vector>

#include "platform/host/IHostBridge.h"

// A host bridge that the test drives: installed while it lives, it records the
// commands it is handed and stays paused for as many pause checks as it is told.
class FakeHostBridge final : public IHostBridge {
 public:
  FakeHostBridge() { SetHostBridge(this); }
  ~FakeHostBridge() { SetHostBridge(nullptr); }
  FakeHostBridge(const FakeHostBridge&) = delete;
  FakeHostBridge& operator=(const FakeHostBridge&) = delete;

  void EnableHostBridge() override { ++enabled; }
  void HandleHostCommand(uint32_t command) override { commands.push_back(command); }
  void SendSessionReady() override { ++sessionReadyCalls; }
  bool IsHostPaused() override {
    if (pausedChecks == 0) return false;
    --pausedChecks;
    return true;
  }
  uint32_t GetHostPausedTime() override { return 0; }

  int enabled = 0;
  int sessionReadyCalls = 0;
  int pausedChecks = 0;
  std::vector<uint32_t> commands;
};
