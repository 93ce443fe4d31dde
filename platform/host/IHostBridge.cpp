#include "platform/host/IHostBridge.h"

#include <atomic>

namespace {

class TBridgeOff final : public IHostBridge {
 public:
  void EnableHostBridge() override {}
  void HandleHostCommand(uint32_t) override {}
  void SendSessionReady() override {}
  bool IsHostPaused() override { return false; }
  uint32_t GetHostPausedTime() override { return 0; }
};

TBridgeOff gBridgeOff;
std::atomic<IHostBridge*> gInstalled{nullptr};

}  // namespace

void SetHostBridge(IHostBridge* bridge) { gInstalled.store(bridge, std::memory_order_release); }

IHostBridge& GetHostBridge() {
  IHostBridge* bridge = gInstalled.load(std::memory_order_acquire);
  return bridge ? *bridge : gBridgeOff;
}
