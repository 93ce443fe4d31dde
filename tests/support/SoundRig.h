#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "media/sound/TSoundManager.h"
#include "media/sound/TSoundStream.h"
#include "system/audio/ManualAudioDevice.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/SteppedSoundWait.h"

// A source whose samples count up from `first` (16-bit, wrapping), one per
// sample: where each lands in the capture shows whether anything was lost,
// repeated or moved.
class RampSpooler final : public TStreamSpooler {
 public:
  RampSpooler(int32_t samples, int16_t first) : mSamples(samples), mFirst(first) {}

  bool Read(int32_t bytes, uint8_t* buffer, int32_t& got, bool loop) override;
  void SeekTime(float) override {}

 private:
  int32_t mSamples;
  int16_t mFirst;
  int32_t mPosition = 0;
};

std::vector<int16_t> Ramp(int32_t samples, int16_t first);
std::vector<int16_t> Silence(int32_t samples);
std::vector<int16_t> Joined(std::initializer_list<std::vector<int16_t>> parts);
// Where the two first differ: the length of the shorter when one begins the other.
size_t FirstDifference(const std::vector<int16_t>& heard, const std::vector<int16_t>& expected);

// A notice as the rig heard it: whose, how many samples had played by then,
// and on which thread.
struct HeardNotice {
  std::string name;
  size_t samplesPlayed;
  std::thread::id thread;
};

// A sound manager over the manual device, with its thread stepped by hand
// and time on a fake clock; everything the device mixes is captured. The
// rig's fake platform is installed while the rig lives and answers its
// manager as the sound manager.
class SoundRig {
 public:
  static constexpr uint32_t kTick = 10;             // milliseconds per step of Run
  static constexpr uint32_t kTickFrames = 441;      // output frames per step
  static constexpr int32_t kSamplesPerSecond = 88200;  // stereo at 44,100 Hz

  SoundRig();
  ~SoundRig();
  SoundRig(const SoundRig&) = delete;
  SoundRig& operator=(const SoundRig&) = delete;

  // Deletes the manager as the platform does at shut-down: while it goes and
  // from then on, the platform answers no sound manager.
  void DeleteManager();

  // Runs for a time in steps of kTick: the device mixes, the clock moves, the
  // sound thread runs every `passEvery` milliseconds, and the main thread
  // dispatches notices.
  void Run(uint32_t milliseconds, uint32_t passEvery = kTick);

  // A stream over a ramp of 16-bit stereo at 44,100 Hz (unless told
  // otherwise), made, its buffer created for 2 seconds and started: once
  // when it fits, else streaming. Its notices are heard under `name`.
  std::weak_ptr<TSoundStream> StartRamp(int32_t samples, int16_t first, const std::string& name, bool loop = false,
                                        int32_t channels = 2, int32_t rate = 44100);
  // A notifier that records what it hears, then does `then`.
  std::shared_ptr<TStreamNotify> Notifier(const std::string& name, std::function<void()> then = {});
  int Notices(const std::string& name) const;

  FakePlatform platform;  // outlives the manager
  FakeClock clock;
  std::vector<int16_t> captured;
  std::vector<HeardNotice> notices;  // the manager's shut-down sends the last ones
  sys::ManualAudioDevice* device = nullptr;
  SteppedSoundWait* wait = nullptr;
  std::unique_ptr<TSoundManager> manager;

 private:
  uint32_t mElapsed = 0;
};
