#include "system/audio/SoundBuffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "system/audio/ManualAudioDevice.h"

namespace {

using sys::AudioResult;
using sys::BufferRegion;
using sys::SoundBuffer;
using sys::WaveFormat;

constexpr WaveFormat kStereo{.channels = 2, .rate = 44100, .bits = 16};
constexpr WaveFormat kMono22{.channels = 1, .rate = 22050, .bits = 16};

// An open manual device whose mix is kept.
class SoundBufferTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(device.Open(), AudioResult::Ok);
    device.SetCaptureTap([this](const int16_t* samples, uint32_t frames) {
      heard.insert(heard.end(), samples, samples + size_t{frames} * 2);
    });
  }

  std::unique_ptr<SoundBuffer> Make(const WaveFormat& format, uint32_t bytes) {
    std::unique_ptr<SoundBuffer> buffer;
    EXPECT_EQ(device.CreateBuffer(format, bytes, buffer), AudioResult::Ok);
    return buffer;
  }

  // Writes 16-bit samples from `offset` on through a lock.
  static void Write(SoundBuffer& buffer, uint32_t offset, const std::vector<int16_t>& samples) {
    BufferRegion region;
    ASSERT_EQ(buffer.Lock(offset, uint32_t(samples.size() * 2), region), AudioResult::Ok);
    std::memcpy(region.first, samples.data(), region.firstBytes);
    if (region.second)
      std::memcpy(region.second, reinterpret_cast<const uint8_t*>(samples.data()) + region.firstBytes,
                  region.secondBytes);
    ASSERT_EQ(buffer.Unlock(region), AudioResult::Ok);
  }

  sys::ManualAudioDevice device{441};
  std::vector<int16_t> heard;
};

TEST_F(SoundBufferTest, ABufferIsMadeOnlyForFormatsAndSizesTheMixerPlays) {
  struct Case {
    WaveFormat format;
    uint32_t bytes;
    AudioResult result;
  };
  const Case cases[] = {
      {kStereo, 4, AudioResult::Ok},
      {kStereo, 3, AudioResult::InvalidParam},
      {kStereo, SoundBuffer::kMaxBytes + 1, AudioResult::InvalidParam},
      {{.channels = 3, .rate = 44100, .bits = 16}, 4800, AudioResult::InvalidParam},
      {{.channels = 0, .rate = 44100, .bits = 16}, 4800, AudioResult::InvalidParam},
      {{.channels = 2, .rate = 44100, .bits = 8}, 4800, AudioResult::InvalidParam},
      {{.channels = 1, .rate = 0, .bits = 16}, 4800, AudioResult::InvalidParam},
      {{.channels = 1, .rate = 200001, .bits = 16}, 4800, AudioResult::InvalidParam},
  };
  for (const Case& c : cases) {
    std::unique_ptr<SoundBuffer> buffer;
    EXPECT_EQ(device.CreateBuffer(c.format, c.bytes, buffer), c.result)
        << c.format.channels << " channels, " << c.format.rate << " Hz, " << c.bytes << " bytes";
    EXPECT_EQ(buffer != nullptr, c.result == AudioResult::Ok);
  }
}

TEST_F(SoundBufferTest, AClosedDeviceMakesNoBuffersAndForcedResultsComeOnce) {
  std::unique_ptr<SoundBuffer> buffer;
  device.ForceCreateResult(AudioResult::OutOfMemory);
  EXPECT_EQ(device.CreateBuffer(kStereo, 64, buffer), AudioResult::OutOfMemory);
  EXPECT_EQ(device.CreateBuffer(kStereo, 64, buffer), AudioResult::Ok);
  device.Close();
  EXPECT_EQ(device.CreateBuffer(kStereo, 64, buffer), AudioResult::NoDevice);
  device.ForceOpenResult(AudioResult::Refused);
  EXPECT_EQ(device.Open(), AudioResult::Refused);
  EXPECT_EQ(device.Open(), AudioResult::Ok);
}

TEST_F(SoundBufferTest, ANewBufferIsSilentStoppedAtTheStartAndAtFullVolume) {
  auto buffer = Make(kStereo, 4000);
  BufferRegion region;
  ASSERT_EQ(buffer->Lock(0, 4000, region), AudioResult::Ok);
  EXPECT_EQ(std::vector<uint8_t>(region.first, region.first + 4000), std::vector<uint8_t>(4000, 0));
  buffer->Unlock(region);
  uint32_t play = 1;
  uint32_t write = 1;
  buffer->GetCursors(play, write);
  EXPECT_EQ(play, 0u);
  EXPECT_EQ(write, 0u);
  EXPECT_EQ(buffer->GetStatus(), 0u);
  EXPECT_EQ(buffer->GetVolume(), 0);
}

TEST_F(SoundBufferTest, TheWriteCursorLeadsByWhatTheNextMixReadsAtMost50Milliseconds) {
  auto fast = Make(kStereo, 88200);
  auto slow = Make(kMono22, 44100);
  sys::ManualAudioDevice coarse(4096);
  ASSERT_EQ(coarse.Open(), AudioResult::Ok);
  std::unique_ptr<SoundBuffer> capped;
  ASSERT_EQ(coarse.CreateBuffer(kStereo, 88200, capped), AudioResult::Ok);
  for (SoundBuffer* buffer : {fast.get(), slow.get()}) buffer->Play(true);
  capped->Play(true);
  device.Render(441);
  coarse.Render(441);

  uint32_t play = 0;
  uint32_t write = 0;
  fast->GetCursors(play, write);
  EXPECT_EQ(play, 441u * 4);
  EXPECT_EQ(write, play + 441 * 4);
  slow->GetCursors(play, write);
  EXPECT_EQ(play, 440u);  // 220.5 frames of 2 bytes: the frame half played is the next to mix
  EXPECT_EQ(write, play + 221 * 2);
  capped->GetCursors(play, write);
  EXPECT_EQ(write, play + 2205 * 4) << "4096 frames would be 93 ms";
  fast->Stop();
  fast->GetCursors(play, write);
  EXPECT_EQ(write, play) << "stopped";
}

TEST_F(SoundBufferTest, ALockPastTheEndWrapsToTheStart) {
  auto buffer = Make(kStereo, 16);
  BufferRegion region;
  ASSERT_EQ(buffer->Lock(12, 8, region), AudioResult::Ok);
  EXPECT_EQ(region.firstBytes, 4u);
  EXPECT_EQ(region.secondBytes, 4u);
  BufferRegion second;
  EXPECT_EQ(buffer->Lock(0, 4, second), AudioResult::InvalidParam) << "one lock at a time";
  std::memcpy(region.first, std::vector<int16_t>{5, 6}.data(), 4);
  std::memcpy(region.second, std::vector<int16_t>{1, 2}.data(), 4);
  ASSERT_EQ(buffer->Unlock(region), AudioResult::Ok);
  buffer->Play(false);
  device.Render(4);
  EXPECT_EQ(heard, (std::vector<int16_t>{1, 2, 0, 0, 0, 0, 5, 6}));
  EXPECT_EQ(buffer->Lock(16, 4, region), AudioResult::InvalidParam);
  EXPECT_EQ(buffer->Lock(0, 17, region), AudioResult::InvalidParam);
}

TEST_F(SoundBufferTest, PlayedOnceABufferStopsAtItsEndBackAtTheStart) {
  auto buffer = Make(kStereo, 16);
  Write(*buffer, 0, {1, 2, 3, 4, 5, 6, 7, 8});
  buffer->Play(false);
  device.Render(6);
  EXPECT_EQ(heard, (std::vector<int16_t>{1, 2, 3, 4, 5, 6, 7, 8, 0, 0, 0, 0}));
  EXPECT_EQ(buffer->GetStatus(), 0u);
  uint32_t play = 1;
  uint32_t write = 1;
  buffer->GetCursors(play, write);
  EXPECT_EQ(play, 0u);
}

TEST_F(SoundBufferTest, ALoopingBufferGoesRoundAndStopKeepsItsPlace) {
  auto buffer = Make(kStereo, 8);
  Write(*buffer, 0, {1, 2, 3, 4});
  buffer->Play(true);
  EXPECT_EQ(buffer->GetStatus(), uint32_t(sys::kBufferPlaying | sys::kBufferLooping));
  device.Render(3);
  buffer->Stop();
  device.Render(2);
  buffer->Play(true);
  device.Render(1);
  EXPECT_EQ(heard, (std::vector<int16_t>{1, 2, 3, 4, 1, 2, 0, 0, 0, 0, 3, 4}));
}

TEST_F(SoundBufferTest, ALostBufferRefusesLockAndPlayUntilRestoredZeroed) {
  auto buffer = Make(kStereo, 8);
  Write(*buffer, 0, {1, 2, 3, 4});
  buffer->Play(true);
  device.LoseAllBuffers();
  EXPECT_EQ(buffer->GetStatus(), uint32_t(sys::kBufferLost));
  BufferRegion region;
  EXPECT_EQ(buffer->Lock(0, 8, region), AudioResult::BufferLost);
  EXPECT_EQ(buffer->Play(true), AudioResult::BufferLost);
  EXPECT_EQ(buffer->SetVolume(-100), AudioResult::BufferLost);
  EXPECT_EQ(buffer->Restore(), AudioResult::Ok);
  EXPECT_EQ(buffer->GetStatus(), 0u);
  ASSERT_EQ(buffer->Lock(0, 8, region), AudioResult::Ok);
  EXPECT_EQ(std::vector<uint8_t>(region.first, region.first + 8), std::vector<uint8_t>(8, 0));
  buffer->Unlock(region);
}

TEST_F(SoundBufferTest, ABufferLostWhileLockedKeepsItsZeroes) {
  auto buffer = Make(kStereo, 8);
  BufferRegion region;
  ASSERT_EQ(buffer->Lock(0, 8, region), AudioResult::Ok);
  std::memset(region.first, 1, 8);
  device.LoseAllBuffers();
  EXPECT_EQ(buffer->Unlock(region), AudioResult::BufferLost);
  buffer->Restore();
  buffer->Play(false);
  device.Render(2);
  EXPECT_EQ(heard, std::vector<int16_t>(4, 0));
}

TEST_F(SoundBufferTest, VolumeIsHundredthsOfADecibelFromSilentToFull) {
  auto buffer = Make(kStereo, 8);
  Write(*buffer, 0, {20000, -20000, 20000, -20000});
  struct Case {
    int32_t volume;
    int16_t left;
  };
  // gain 10^(volume / 2000)
  for (const Case& c : {Case{0, 20000}, Case{-600, 10024}, Case{-2000, 2000}, Case{-10000, 0}}) {
    heard.clear();
    ASSERT_EQ(buffer->SetVolume(c.volume), AudioResult::Ok);
    buffer->Play(false);
    device.Render(2);
    EXPECT_EQ(heard[0], c.left) << c.volume;
    EXPECT_EQ(heard[1], -c.left) << c.volume;
  }
  EXPECT_EQ(buffer->SetVolume(1), AudioResult::InvalidParam);
  EXPECT_EQ(buffer->SetVolume(-10001), AudioResult::InvalidParam);
  EXPECT_EQ(buffer->GetVolume(), -10000);
}

TEST_F(SoundBufferTest, ASilentBufferStillMovesOn) {
  auto buffer = Make(kStereo, 8);
  buffer->SetVolume(sys::kVolumeSilent);
  buffer->Play(false);
  device.Render(1);
  uint32_t play = 0;
  uint32_t write = 0;
  buffer->GetCursors(play, write);
  EXPECT_EQ(play, 4u);
  device.Render(1);
  EXPECT_EQ(buffer->GetStatus(), 0u) << "played to its end";
}

TEST_F(SoundBufferTest, NotificationPositionsAreKeptWhenInsideTheBuffer) {
  auto buffer = Make(kStereo, 16);
  const uint32_t positions[] = {0, 8};
  EXPECT_EQ(buffer->SetNotificationPositions(positions), AudioResult::Ok);
  EXPECT_EQ(buffer->NotificationPositions(), (std::vector<uint32_t>{0, 8}));
  const uint32_t outside[] = {16};
  EXPECT_EQ(buffer->SetNotificationPositions(outside), AudioResult::InvalidParam);
}

}  // namespace
