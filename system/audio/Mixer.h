#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "system/audio/AudioTypes.h"

namespace sys {

// One buffer as the mixer sees it. Every field is guarded by the mixer's
// mutex.
struct MixVoice {
  WaveFormat format;
  std::vector<int16_t> samples;  // the buffer's bytes, zeroed at creation
  uint32_t bytes = 0;
  uint32_t frames = 0;           // whole frames in the buffer
  uint64_t position = 0;         // in frames, 32.32 fixed point: the next frame to mix
  uint64_t step = 0;             // frames advanced per output frame, 32.32 fixed point
  int32_t volume = kVolumeFull;  // hundredths of a decibel
  int32_t gain = 0;              // 16.16 fixed point, from the volume
  bool playing = false;
  bool looping = false;
  bool lost = false;

  uint8_t* Bytes() { return reinterpret_cast<uint8_t*>(samples.data()); }
  uint32_t PlayCursor() const { return static_cast<uint32_t>(position >> 32) * format.BlockAlign(); }
};

// The program's software mixer: sums every playing buffer into 16-bit stereo
// at the output rate. Equal rates copy samples exactly; other rates are
// linearly interpolated; a mono buffer goes to both channels; sums are 32-bit
// and saturate to 16 bits. It takes only its own mutex, briefly, so whatever
// locks the callers hold it never waits on them.
class Mixer {
 public:
  static constexpr int32_t kOutputRate = 44100;
  static constexpr int32_t kOutputChannels = 2;
  // The most a write cursor leads its play cursor.
  static constexpr int32_t kMaxLeadMilliseconds = 50;

  explicit Mixer(uint32_t blockFrames) : mBlockFrames(blockFrames) {}

  std::mutex& Mutex() { return mMutex; }

  void Add(const std::shared_ptr<MixVoice>& voice);
  void Remove(const MixVoice* voice);
  // Output frames mixed per block: what one mix reads ahead.
  void SetBlockFrames(uint32_t frames);
  // Every voice loses its memory and stops.
  void LoseAll();

  // Mixes the next frames into `out` (interleaved stereo) and advances every
  // playing buffer.
  void Mix(int16_t* out, uint32_t frames);

  // Under the mutex: the bytes of the voice the next mix reads, at most
  // kMaxLeadMilliseconds of it; 0 while it is stopped.
  uint32_t WriteLead(const MixVoice& voice) const;
  // Under the mutex: the playback step and gain for the voice's format and volume.
  static void Tune(MixVoice& voice);

 private:
  void MixVoiceInto(MixVoice& voice, int32_t* sums, uint32_t frames);

  std::mutex mMutex;
  uint32_t mBlockFrames;
  std::vector<std::shared_ptr<MixVoice>> mVoices;
  std::vector<int32_t> mSums;
};

}  // namespace sys
