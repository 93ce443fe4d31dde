#include "system/audio/ManualAudioDevice.h"

#include <algorithm>

namespace sys {

ManualAudioDevice::ManualAudioDevice(uint32_t blockFrames)
    : AudioDevice(blockFrames), mBlockFrames(std::max(blockFrames, 1u)) {}

void ManualAudioDevice::Render(uint32_t frames) {
  while (frames > 0) {
    const uint32_t block = std::min(frames, mBlockFrames);
    mBlock.resize(size_t{block} * Mixer::kOutputChannels);
    GetMixer().Mix(mBlock.data(), block);
    if (mTap) mTap(mBlock.data(), block);
    frames -= block;
  }
}

}  // namespace sys
