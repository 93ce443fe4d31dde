#include "system/audio/Mixer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "system/audio/ManualAudioDevice.h"

namespace {

using sys::AudioResult;
using sys::SoundBuffer;
using sys::WaveFormat;

// Buffers filled with given samples on an open manual device; what the
// device mixes is kept.
class MixerTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(device.Open(), AudioResult::Ok);
    device.SetCaptureTap([this](const int16_t* samples, uint32_t frames) {
      heard.insert(heard.end(), samples, samples + size_t{frames} * 2);
    });
  }

  SoundBuffer& Playing(const WaveFormat& format, const std::vector<int16_t>& samples, bool looping = false) {
    std::unique_ptr<SoundBuffer> buffer;
    EXPECT_EQ(device.CreateBuffer(format, uint32_t(samples.size() * 2), buffer), AudioResult::Ok);
    sys::BufferRegion region;
    EXPECT_EQ(buffer->Lock(0, buffer->Size(), region), AudioResult::Ok);
    std::memcpy(region.first, samples.data(), region.firstBytes);
    buffer->Unlock(region);
    buffer->Play(looping);
    buffers.push_back(std::move(buffer));
    return *buffers.back();
  }

  sys::ManualAudioDevice device{441};
  std::vector<std::unique_ptr<SoundBuffer>> buffers;
  std::vector<int16_t> heard;
};

TEST_F(MixerTest, EqualRatesAreCopiedExactly) {
  std::vector<int16_t> samples;
  for (int i = 0; i < 2000; ++i) samples.push_back(int16_t(i * 37 - 30000));
  Playing({.channels = 2, .rate = 44100, .bits = 16}, samples);
  device.Render(1000);
  EXPECT_EQ(heard, samples);
}

TEST_F(MixerTest, LoudSumsSaturateInsteadOfWrapping) {
  const WaveFormat stereo{.channels = 2, .rate = 44100, .bits = 16};
  Playing(stereo, {30000, -30000, 20000, 100});
  Playing(stereo, {30000, -30000, -25000, 100});
  Playing(stereo, {30000, -30000, 0, 100});
  device.Render(2);
  EXPECT_EQ(heard, (std::vector<int16_t>{32767, -32768, -5000, 300}));
}

TEST_F(MixerTest, Mono22050IsInterpolatedIntoBothChannelsAt44100) {
  Playing({.channels = 1, .rate = 22050, .bits = 16}, {0, 1000, -1000, 3000});
  device.Render(9);
  // Each buffer frame lasts two output frames; the second lies halfway to
  // the next frame, and past the end comes silence.
  EXPECT_EQ(heard, (std::vector<int16_t>{0, 0, 500, 500, 1000, 1000, 0, 0, -1000, -1000, 1000, 1000, 3000, 3000,
                                         1500, 1500, 0, 0}));
}

TEST_F(MixerTest, ALoopingBufferAtAnotherRateInterpolatesAcrossItsSeam) {
  Playing({.channels = 2, .rate = 22050, .bits = 16}, {100, -100, 300, -300}, true);
  device.Render(6);
  EXPECT_EQ(heard, (std::vector<int16_t>{100, -100, 200, -200, 300, -300, 200, -200, 100, -100, 200, -200}));
}

TEST_F(MixerTest, HigherRatesSkipFrames) {
  Playing({.channels = 1, .rate = 88200, .bits = 16}, {0, 10, 20, 30, 40, 50, 60, 70});
  device.Render(4);
  EXPECT_EQ(heard, (std::vector<int16_t>{0, 0, 20, 20, 40, 40, 60, 60}));
}

TEST_F(MixerTest, ABufferLeavesTheMixWhenDestroyed) {
  Playing({.channels = 2, .rate = 44100, .bits = 16}, {1000, 1000, 1000, 1000}, true);
  device.Render(1);
  buffers.clear();
  device.Render(1);
  EXPECT_EQ(heard, (std::vector<int16_t>{1000, 1000, 0, 0}));
}

}  // namespace
