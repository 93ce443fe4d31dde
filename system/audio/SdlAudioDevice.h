#pragma once

#include <SDL.h>

#include "system/audio/AudioDevice.h"

namespace sys {

// Plays the mix through SDL's default audio output. SDL mixes in blocks from
// its own audio thread and converts when the hardware plays another format.
class SdlAudioDevice final : public AudioDevice {
 public:
  // Frames asked of each of SDL's blocks (about 23 ms); SDL may choose others.
  static constexpr uint16_t kWishedBlockFrames = 1024;
  static constexpr uint16_t kUnheardBlockFrames = 64;

  SdlAudioDevice();
  ~SdlAudioDevice() override;

 private:
  AudioResult OpenOutput() override;
  void CloseOutput() override;
  static void FillBlock(void* device, Uint8* stream, int bytes);

  SDL_AudioDeviceID mOutput = 0;
};

}  // namespace sys
