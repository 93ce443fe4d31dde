#include "tests/support/SoundRig.h"

#include <algorithm>
#include <cstring>

bool RampSpooler::Read(int32_t bytes, uint8_t* buffer, int32_t& got, bool loop) {
  std::memset(buffer, 0, size_t(bytes));
  got = 0;
  while (got + 2 <= bytes) {
    if (mPosition == mSamples) {
      if (!loop) return false;
      mPosition = 0;
    }
    const int16_t sample = static_cast<int16_t>(mFirst + mPosition++);
    std::memcpy(buffer + got, &sample, sizeof sample);
    got += 2;
  }
  return loop || mPosition < mSamples;
}

std::vector<int16_t> Ramp(int32_t samples, int16_t first) {
  std::vector<int16_t> ramp(static_cast<size_t>(samples));
  for (int32_t i = 0; i < samples; ++i) ramp[size_t(i)] = static_cast<int16_t>(first + i);
  return ramp;
}

std::vector<int16_t> Silence(int32_t samples) { return std::vector<int16_t>(size_t(samples), 0); }

std::vector<int16_t> Joined(std::initializer_list<std::vector<int16_t>> parts) {
  std::vector<int16_t> joined;
  for (const std::vector<int16_t>& part : parts) joined.insert(joined.end(), part.begin(), part.end());
  return joined;
}

size_t FirstDifference(const std::vector<int16_t>& heard, const std::vector<int16_t>& expected) {
  const size_t common = std::min(heard.size(), expected.size());
  return size_t(std::mismatch(heard.begin(), heard.begin() + ptrdiff_t(common), expected.begin()).first -
                heard.begin());
}

SoundRig::SoundRig() {
  auto manual = std::make_unique<sys::ManualAudioDevice>(kTickFrames);
  device = manual.get();
  device->SetCaptureTap([this](const int16_t* samples, uint32_t frames) {
    captured.insert(captured.end(), samples, samples + size_t{frames} * 2);
  });
  auto stepped = std::make_unique<SteppedSoundWait>();
  wait = stepped.get();
  manager = std::make_unique<TSoundManager>(std::move(manual), std::move(stepped));
  platform.soundManager = manager.get();
}

SoundRig::~SoundRig() { DeleteManager(); }

void SoundRig::DeleteManager() {
  platform.soundManager = nullptr;
  manager.reset();
}

void SoundRig::Run(uint32_t milliseconds, uint32_t passEvery) {
  for (uint32_t run = 0; run < milliseconds; run += kTick) {
    device->Render(kTickFrames);
    clock.Advance(kTick);
    mElapsed += kTick;
    if (mElapsed % passEvery == 0) wait->Step();
    manager->DispatchNotifications();
  }
}

std::weak_ptr<TSoundStream> SoundRig::StartRamp(int32_t samples, int16_t first, const std::string& name, bool loop,
                                                int32_t channels, int32_t rate) {
  std::shared_ptr<TSoundStream> stream = TSoundStream::Make(
      *manager, std::make_unique<RampSpooler>(samples, first), loop, 0, Notifier(name));
  if (!stream->Create(rate, channels, 16, 2.0f)) return {};
  const float seconds = float(samples) / float(channels * rate);
  stream->Start(!loop && seconds < stream->GetBufferSeconds());
  return stream;
}

namespace {

class RecordingNotify final : public TStreamNotify {
 public:
  RecordingNotify(std::function<void(TSoundStream*)> heard) : mHeard(std::move(heard)) {}
  void Notify(TSoundStream* stream) override { mHeard(stream); }

 private:
  std::function<void(TSoundStream*)> mHeard;
};

}  // namespace

std::shared_ptr<TStreamNotify> SoundRig::Notifier(const std::string& name, std::function<void()> then) {
  return std::make_shared<RecordingNotify>([this, name, then](TSoundStream*) {
    notices.push_back({name, captured.size(), std::this_thread::get_id()});
    if (then) then();
  });
}

int SoundRig::Notices(const std::string& name) const {
  return int(std::count_if(notices.begin(), notices.end(), [&](const HeardNotice& n) { return n.name == name; }));
}
