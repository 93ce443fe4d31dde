#include "system/audio/SdlAudioDevice.h"

#include <cstring>

#include "system/audio/AlsaMessages.h"
#include "system/os/LayerLog.h"

namespace sys {
namespace {

// SDL's dummy driver plays to nobody and sleeps a block's time between
// blocks, so closing it waits up to two blocks: it gets small ones.
uint16_t BlockFramesFor(const char* driver) {
  const bool heard = !driver || std::strcmp(driver, "dummy") != 0;
  return heard ? SdlAudioDevice::kWishedBlockFrames : SdlAudioDevice::kUnheardBlockFrames;
}

}  // namespace

SdlAudioDevice::SdlAudioDevice() : AudioDevice(kWishedBlockFrames) {}

SdlAudioDevice::~SdlAudioDevice() { Close(); }

AudioResult SdlAudioDevice::OpenOutput() {
  RouteAlsaMessagesToLog();
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    WriteLog("Cannot start the sound output: %s", SDL_GetError());
    return AudioResult::NoDevice;
  }
  SDL_AudioSpec wished{};
  wished.freq = Mixer::kOutputRate;
  wished.format = AUDIO_S16SYS;
  wished.channels = Mixer::kOutputChannels;
  wished.samples = BlockFramesFor(SDL_GetCurrentAudioDriver());
  wished.callback = FillBlock;
  wished.userdata = this;
  SDL_AudioSpec obtained{};
  mOutput = SDL_OpenAudioDevice(nullptr, 0, &wished, &obtained, 0);
  if (mOutput == 0) {
    WriteLog("Cannot open the sound output: %s", SDL_GetError());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return AudioResult::NoDevice;
  }
  GetMixer().SetBlockFrames(obtained.samples);
  SDL_PauseAudioDevice(mOutput, 0);
  return AudioResult::Ok;
}

// Returns once SDL's audio thread has left the mix for good.
void SdlAudioDevice::CloseOutput() {
  SDL_CloseAudioDevice(mOutput);
  mOutput = 0;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlAudioDevice::FillBlock(void* device, Uint8* stream, int bytes) {
  const int frameBytes = Mixer::kOutputChannels * static_cast<int>(sizeof(int16_t));
  static_cast<SdlAudioDevice*>(device)->GetMixer().Mix(reinterpret_cast<int16_t*>(stream),
                                                       static_cast<uint32_t>(bytes / frameBytes));
}

std::unique_ptr<AudioDevice> MakeOutputDevice() { return std::make_unique<SdlAudioDevice>(); }

}  // namespace sys
