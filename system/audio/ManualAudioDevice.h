#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "system/audio/AudioDevice.h"

namespace sys {

// A device with no output and no thread: the caller renders the mix a given
// number of frames at a time, and every mixed block goes to the capture tap.
// Tests use it to hear exactly what would have played, and to force the
// device's failures.
class ManualAudioDevice final : public AudioDevice {
 public:
  // Interleaved stereo at the output rate.
  using CaptureTap = std::function<void(const int16_t* samples, uint32_t frames)>;

  // Blocks of 441 frames (10 ms) unless told otherwise.
  explicit ManualAudioDevice(uint32_t blockFrames = 441);

  void SetCaptureTap(CaptureTap tap) { mTap = std::move(tap); }
  // Mixes `frames` in blocks of the block size (the last one may be
  // shorter), handing each to the tap.
  void Render(uint32_t frames);

  using AudioDevice::ForceCreateResult;
  using AudioDevice::ForceOpenResult;
  using AudioDevice::LoseAllBuffers;

 private:
  AudioResult OpenOutput() override { return AudioResult::Ok; }
  void CloseOutput() override {}

  uint32_t mBlockFrames;
  CaptureTap mTap;
  std::vector<int16_t> mBlock;
};

}  // namespace sys
