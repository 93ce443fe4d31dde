#include "system/audio/AudioDevice.h"

#include <new>

#include "system/os/LayerLog.h"

namespace sys {
namespace {

bool IsValidFormat(const WaveFormat& format) {
  return format.bits == 16 && (format.channels == 1 || format.channels == 2) &&
         format.rate >= SoundBuffer::kMinRate && format.rate <= SoundBuffer::kMaxRate;
}

AudioResult Take(AudioResult& forced) {
  AudioResult result = forced;
  forced = AudioResult::Ok;
  return result;
}

}  // namespace

AudioDevice::AudioDevice(uint32_t blockFrames) : mMixer(std::make_shared<Mixer>(blockFrames)) {}

AudioResult AudioDevice::Open() {
  if (mOpen) return AudioResult::Ok;
  AudioResult result = Take(mForcedOpen);
  if (result == AudioResult::Ok) result = OpenOutput();
  mOpen = result == AudioResult::Ok;
  return result;
}

void AudioDevice::Close() {
  if (!mOpen) return;
  CloseOutput();
  mOpen = false;
  mPrimaryMade = false;
}

AudioResult AudioDevice::GetCaps(AudioCaps& caps) const {
  if (!mOpen) return AudioResult::NoDevice;
  caps = AudioCaps{Mixer::kOutputRate, Mixer::kOutputChannels, 16};
  return AudioResult::Ok;
}

AudioResult AudioDevice::SetCooperativeLevel(CooperativeLevel) {
  return mOpen ? AudioResult::Ok : AudioResult::NoDevice;
}

AudioResult AudioDevice::CreatePrimaryBuffer() {
  if (!mOpen) return AudioResult::NoDevice;
  if (mPrimaryMade) return AudioResult::InvalidParam;
  mPrimaryMade = true;
  return AudioResult::Ok;
}

AudioResult AudioDevice::SetPrimaryFormat(const WaveFormat& format) {
  if (!mPrimaryMade) return AudioResult::NoDevice;
  return IsValidFormat(format) ? AudioResult::Ok : AudioResult::InvalidParam;
}

AudioResult AudioDevice::CreateBuffer(const WaveFormat& format, uint32_t bytes,
                                      std::unique_ptr<SoundBuffer>& out) {
  out.reset();
  if (!mOpen) return AudioResult::NoDevice;
  if (!IsValidFormat(format) || bytes < SoundBuffer::kMinBytes || bytes > SoundBuffer::kMaxBytes)
    return AudioResult::InvalidParam;
  if (AudioResult forced = Take(mForcedCreate); forced != AudioResult::Ok) return forced;
  auto voice = std::make_shared<MixVoice>();
  voice->format = format;
  voice->bytes = bytes;
  voice->frames = bytes / static_cast<uint32_t>(format.BlockAlign());
  Mixer::Tune(*voice);
  try {
    voice->samples.assign((bytes + 1) / 2, int16_t{0});
  } catch (const std::bad_alloc&) {
    WriteLog("A sound buffer of %u bytes could not be had", bytes);
    return AudioResult::OutOfMemory;
  }
  out = std::make_unique<SoundBuffer>(mMixer, std::move(voice));
  return AudioResult::Ok;
}

void AudioDevice::LoseAllBuffers() { mMixer->LoseAll(); }

}  // namespace sys
