#pragma once

#include <cstdint>
#include <memory>

#include "media/sound/TSound.h"

namespace GUI {

struct TSoundEvent;

// Hears the end of an event's counted instances, however they end (played
// out or stopped), and takes each off the event's count.
class TSoundCounter final : public TSoundCallBack {
 public:
  explicit TSoundCounter(TSoundEvent& event) : mEvent(&event) {}

  void OnEnd(const std::shared_ptr<TSound>& sound, int32_t handle, const std::shared_ptr<TSound>& next,
             int32_t nextHandle) override;

 private:
  TSoundEvent* mEvent;
};

// The sound of one game event and what its rules keep: whether a once-only
// or looping event has started, and how many counted instances play. The
// counter goes before the sound it waits on.
struct TSoundEvent {
  std::shared_ptr<TSound> sound;
  bool started = false;
  uint32_t playing = 0;
  std::unique_ptr<TSoundCounter> counter;
};

}  // namespace GUI
