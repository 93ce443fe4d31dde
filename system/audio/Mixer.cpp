#include "system/audio/Mixer.h"

#include <algorithm>
#include <cmath>

namespace sys {
namespace {

constexpr uint64_t kOneFrame = uint64_t{1} << 32;
constexpr int32_t kUnityGain = 1 << 16;

int32_t GainOf(int32_t volume) {
  if (volume <= kVolumeSilent) return 0;
  if (volume >= kVolumeFull) return kUnityGain;
  return static_cast<int32_t>(std::lround(kUnityGain * std::pow(10.0, volume / 2000.0)));
}

int16_t Saturate(int32_t sum) { return static_cast<int16_t>(std::clamp(sum, -32768, 32767)); }

// Moves the voice on; a voice played once stops at its end, its position
// back at the start.
void Advance(MixVoice& voice, uint64_t by) {
  const uint64_t end = uint64_t{voice.frames} << 32;
  voice.position += by;
  if (voice.position < end) return;
  if (voice.looping) {
    voice.position %= end;
  } else {
    voice.playing = false;
    voice.position = 0;
  }
}

// Rounded to the nearest, so that a wave's positive and negative halves scale alike.
int32_t Scaled(int32_t sample, int32_t gain) { return (sample * gain + 0x8000) >> 16; }

// Equal rates: runs of samples up to the buffer's end, copied as they are at
// full volume.
template <int Channels>
void MixExact(MixVoice& voice, int32_t* sums, uint32_t frames) {
  const int32_t gain = voice.gain;
  uint32_t done = 0;
  while (done < frames && voice.playing) {
    const uint32_t at = static_cast<uint32_t>(voice.position >> 32);
    const uint32_t run = std::min(frames - done, voice.frames - at);
    const int16_t* in = voice.samples.data() + size_t{at} * Channels;
    int32_t* out = sums + size_t{done} * 2;
    for (uint32_t i = 0; i < run; ++i) {
      if constexpr (Channels == 1) {
        const int32_t sample = Scaled(in[i], gain);
        out[2 * i] += sample;
        out[2 * i + 1] += sample;
      } else {
        out[2 * i] += Scaled(in[2 * i], gain);
        out[2 * i + 1] += Scaled(in[2 * i + 1], gain);
      }
    }
    done += run;
    Advance(voice, uint64_t{run} << 32);
  }
}

// Other rates: each output frame lies between two buffer frames and takes
// the straight line between them. Past the end of a buffer played once
// comes silence; a looping buffer goes on with its first frame.
template <int Channels>
void MixInterpolated(MixVoice& voice, int32_t* sums, uint32_t frames) {
  const int16_t* in = voice.samples.data();
  const uint32_t count = voice.frames;
  const int32_t gain = voice.gain;
  for (uint32_t i = 0; i < frames && voice.playing; ++i) {
    const uint32_t at = static_cast<uint32_t>(voice.position >> 32);
    const uint32_t next = at + 1 < count ? at + 1 : (voice.looping ? 0 : count);
    const int32_t weight = static_cast<int32_t>((voice.position >> 17) & 0x7FFF);
    int32_t mixed[Channels];
    for (int channel = 0; channel < Channels; ++channel) {
      const int32_t from = in[size_t{at} * Channels + channel];
      const int32_t to = next < count ? in[size_t{next} * Channels + channel] : 0;
      mixed[channel] = Scaled(from + (((to - from) * weight) >> 15), gain);
    }
    sums[2 * i] += mixed[0];
    sums[2 * i + 1] += mixed[Channels - 1];
    Advance(voice, voice.step);
  }
}

}  // namespace

void Mixer::Add(const std::shared_ptr<MixVoice>& voice) {
  std::lock_guard lock(mMutex);
  mVoices.push_back(voice);
}

void Mixer::Remove(const MixVoice* voice) {
  std::lock_guard lock(mMutex);
  std::erase_if(mVoices, [voice](const std::shared_ptr<MixVoice>& held) { return held.get() == voice; });
}

void Mixer::SetBlockFrames(uint32_t frames) {
  std::lock_guard lock(mMutex);
  mBlockFrames = frames;
}

void Mixer::LoseAll() {
  std::lock_guard lock(mMutex);
  for (const std::shared_ptr<MixVoice>& voice : mVoices) {
    voice->lost = true;
    voice->playing = false;
  }
}

void Mixer::Mix(int16_t* out, uint32_t frames) {
  std::lock_guard lock(mMutex);
  mSums.assign(size_t{frames} * kOutputChannels, 0);
  for (const std::shared_ptr<MixVoice>& voice : mVoices)
    if (voice->playing) MixVoiceInto(*voice, mSums.data(), frames);
  for (size_t i = 0; i < mSums.size(); ++i) out[i] = Saturate(mSums[i]);
}

void Mixer::MixVoiceInto(MixVoice& voice, int32_t* sums, uint32_t frames) {
  if (voice.gain == 0) {
    Advance(voice, voice.step * frames);
  } else if (voice.step == kOneFrame) {
    voice.format.channels == 1 ? MixExact<1>(voice, sums, frames) : MixExact<2>(voice, sums, frames);
  } else {
    voice.format.channels == 1 ? MixInterpolated<1>(voice, sums, frames)
                               : MixInterpolated<2>(voice, sums, frames);
  }
}

uint32_t Mixer::WriteLead(const MixVoice& voice) const {
  if (!voice.playing) return 0;
  const uint64_t read = (uint64_t{mBlockFrames} * voice.step + kOneFrame - 1) >> 32;
  const uint64_t most = uint64_t(voice.format.rate) * kMaxLeadMilliseconds / 1000;
  return static_cast<uint32_t>(std::min(read, most)) * voice.format.BlockAlign();
}

void Mixer::Tune(MixVoice& voice) {
  voice.step = (uint64_t(voice.format.rate) << 32) / kOutputRate;
  voice.gain = GainOf(voice.volume);
}

}  // namespace sys
