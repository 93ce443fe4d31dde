#pragma once

#include <cstdint>
#include <memory>

#include "system/audio/AudioTypes.h"
#include "system/audio/Mixer.h"
#include "system/audio/SoundBuffer.h"

namespace sys {

// The program's sound device: it makes sound buffers and mixes those that
// play into its output, 16-bit stereo at 44,100 Hz. What drives the mix is
// the kind's own: SDL's audio thread for the real output, the caller for the
// manual device of tests. Open, Close and the set-up calls belong to one
// thread; buffers may be used from others.
class AudioDevice {
 public:
  virtual ~AudioDevice() = default;
  AudioDevice(const AudioDevice&) = delete;
  AudioDevice& operator=(const AudioDevice&) = delete;

  AudioResult Open();
  // Stops the output; buffers still held stay valid but are no longer heard.
  void Close();
  bool IsOpen() const { return mOpen; }

  AudioResult GetCaps(AudioCaps& caps) const;
  AudioResult SetCooperativeLevel(CooperativeLevel level);
  // The primary buffer is the output itself: made once, and its format
  // accepted whatever it asks, since the output converts on its own.
  AudioResult CreatePrimaryBuffer();
  AudioResult SetPrimaryFormat(const WaveFormat& format);

  // A buffer of `bytes` (kMinBytes to kMaxBytes) in a 16-bit format of one
  // or two channels at kMinRate to kMaxRate, zeroed, stopped at position 0,
  // at full volume.
  AudioResult CreateBuffer(const WaveFormat& format, uint32_t bytes, std::unique_ptr<SoundBuffer>& out);

 protected:
  explicit AudioDevice(uint32_t blockFrames);

  virtual AudioResult OpenOutput() = 0;
  virtual void CloseOutput() = 0;

  Mixer& GetMixer() { return *mMixer; }
  // The next Open or CreateBuffer answers this instead of doing its work.
  void ForceOpenResult(AudioResult result) { mForcedOpen = result; }
  void ForceCreateResult(AudioResult result) { mForcedCreate = result; }
  // Every buffer loses its memory and stops, as when another program takes the device.
  void LoseAllBuffers();

 private:
  std::shared_ptr<Mixer> mMixer;
  bool mOpen = false;
  bool mPrimaryMade = false;
  AudioResult mForcedOpen = AudioResult::Ok;
  AudioResult mForcedCreate = AudioResult::Ok;
};

// The device that plays through SDL's audio output. Open and Close call SDL
// and belong to the main thread.
std::unique_ptr<AudioDevice> MakeOutputDevice();

}  // namespace sys
