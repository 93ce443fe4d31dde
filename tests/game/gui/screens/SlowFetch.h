#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/gui/effects/TFetchAction.h"
#include "game/gui/effects/TGraphicRegistry.h"
#include "system/os/Sleep.h"
#include "tests/game/gui/effects/ProbeGraphic.h"

namespace GUI {

// A fetch that takes its time, slept (so that on a fake clock it takes
// game time at once), and registers a graphic that notes its preparation.
class SlowFetch final : public TFetchAction {
 public:
  SlowFetch(TGraphicRegistry& registry, const std::string& name, uint32_t milliseconds,
            std::vector<std::string>* prepared)
      : TFetchAction(registry, name.c_str()), mMilliseconds(milliseconds), mPrepared(prepared) {}
  void Fetch() override {
    sys::Sleep(mMilliseconds);
    Registry().Register(GetName(), std::make_shared<ProbeGraphic>(GetName().CStr(), mPrepared));
  }
  uint32_t GetCost() const override { return 1; }

 private:
  uint32_t mMilliseconds;
  std::vector<std::string>* mPrepared;
};

// Queues that many fetches of that many milliseconds each.
inline void QueueSlowFetches(TGraphicRegistry& registry, int count, uint32_t milliseconds,
                             std::vector<std::string>* prepared = nullptr) {
  for (int i = 0; i < count; ++i) {
    registry.AddFetch(std::make_unique<SlowFetch>(registry, "fetch" + std::to_string(i), milliseconds, prepared));
  }
}

}  // namespace GUI
