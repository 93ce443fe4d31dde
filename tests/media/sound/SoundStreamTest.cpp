#include <gtest/gtest.h>

#include "tests/support/SoundRig.h"

namespace {

constexpr int32_t kSecond = SoundRig::kSamplesPerSecond;

int32_t Samples(double seconds) { return int32_t(seconds * 44100) * 2; }

// A rig whose manager is initialised.
class SoundStreamTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(rig.manager->Init()); }

  SoundRig rig;
};

// ---- Streaming and looping.

TEST_F(SoundStreamTest, AStreamedSoundPlaysWholeThenSilenceAndEndsOnceAfterItsLastSample) {
  const int32_t length = Samples(5.3);
  rig.StartRamp(length, 1, "long");
  rig.Run(7000, 550);

  EXPECT_EQ(FirstDifference(rig.captured, Joined({Ramp(length, 1), Silence(int32_t(rig.captured.size()) - length)})),
            rig.captured.size());
  ASSERT_EQ(rig.Notices("long"), 1);
  EXPECT_GE(rig.notices[0].samplesPlayed, size_t(length)) << "the notice came before the sound had played";
  EXPECT_EQ(rig.manager->GetPlayingCount(), 0u);
  EXPECT_EQ(rig.manager->GetFinishedCount(), 0u);
}

TEST_F(SoundStreamTest, ALoopPlaysOnWithoutASeamAndNeverEnds) {
  const int32_t length = Samples(1.3);
  rig.StartRamp(length, 100, "loop", true);
  rig.Run(6000, 550);

  std::vector<int16_t> expected;
  while (expected.size() < rig.captured.size()) {
    std::vector<int16_t> round = Ramp(length, 100);
    expected.insert(expected.end(), round.begin(), round.end());
  }
  expected.resize(rig.captured.size());
  EXPECT_EQ(FirstDifference(rig.captured, expected), rig.captured.size());
  EXPECT_EQ(rig.Notices("loop"), 0);
  EXPECT_EQ(rig.manager->GetPlayingCount(), 1u);
}

// ---- Queued sources.

TEST_F(SoundStreamTest, ASourceQueuedInTimeFollowsWithoutAGap) {
  const int32_t first = Samples(2.5);
  const int32_t second = Samples(1.0);
  std::shared_ptr<TSoundStream> stream = rig.StartRamp(first, 1, "A").lock();
  ASSERT_TRUE(stream->QueueSource(rig.Notifier("B"), std::make_unique<RampSpooler>(second, 30000)));
  stream.reset();
  rig.Run(5000);

  EXPECT_EQ(FirstDifference(rig.captured, Joined({Ramp(first, 1), Ramp(second, 30000)})), size_t(first + second));
  ASSERT_EQ(rig.notices.size(), 2u);
  EXPECT_EQ(rig.notices[0].name, "A") << "the hand-over is told first";
  EXPECT_EQ(rig.notices[1].name, "B");
  EXPECT_GE(rig.notices[1].samplesPlayed, size_t(first + second));
}

TEST_F(SoundStreamTest, ASourceQueuedAfterTheFirstEndedButBeforeItPlayedOutPlaysWhole) {
  const int32_t first = Samples(2.5);
  const int32_t second = Samples(1.0);
  std::weak_ptr<TSoundStream> stream = rig.StartRamp(first, 1, "A");
  rig.Run(1500, 550);  // the first source ended in the pass at 1.1 s
  ASSERT_TRUE(stream.lock()->QueueSource(rig.Notifier("B"), std::make_unique<RampSpooler>(second, 30000)));
  rig.Run(4000, 550);

  const std::vector<int16_t> heard = rig.captured;
  ASSERT_EQ(FirstDifference(heard, Ramp(first, 1)), size_t(first));
  const auto start = std::find(heard.begin() + first, heard.end(), int16_t{30000});
  ASSERT_NE(start, heard.end()) << "the queued source was never heard";
  const std::vector<int16_t> rest(start, heard.end());
  EXPECT_EQ(FirstDifference(rest, Ramp(second, 30000)), size_t(second)) << "the queued source was cut short";
  EXPECT_EQ(rig.Notices("B"), 1);
  EXPECT_EQ(rig.manager->GetPlayingCount(), 0u);
}

TEST_F(SoundStreamTest, AStreamThatPlayedOutRefusesAQueuedSource) {
  std::weak_ptr<TSoundStream> stream = rig.StartRamp(Samples(2.5), 1, "A");
  std::shared_ptr<TSoundStream> held = stream.lock();
  rig.Run(5000);
  EXPECT_EQ(rig.manager->GetPlayingCount(), 0u);
  EXPECT_FALSE(held->QueueSource(rig.Notifier("B"), std::make_unique<RampSpooler>(100, 1)));
}

TEST_F(SoundStreamTest, AQueuedSourceReplacedByAnotherIsStillToldItsEnd) {
  std::shared_ptr<TSoundStream> stream = rig.StartRamp(Samples(2.5), 1, "A").lock();
  ASSERT_TRUE(stream->QueueSource(rig.Notifier("B"), std::make_unique<RampSpooler>(100, 1)));
  ASSERT_TRUE(stream->QueueSource(rig.Notifier("C"), std::make_unique<RampSpooler>(100, 1)));
  stream.reset();
  rig.Run(10);
  EXPECT_EQ(rig.Notices("B"), 1);
  rig.Run(5000);
  EXPECT_EQ(rig.Notices("A"), 1);
  EXPECT_EQ(rig.Notices("C"), 1);
}

// ---- Sounds played once.

TEST_F(SoundStreamTest, SoundsThatFitTheBufferPlayWholeOnceAndEndAfterwards) {
  for (double seconds : {0.7, 1.9}) {
    SCOPED_TRACE(seconds);
    rig.captured.clear();
    rig.notices.clear();
    const int32_t length = Samples(seconds);
    rig.StartRamp(length, 7, "once");
    rig.Run(4000);

    EXPECT_EQ(FirstDifference(rig.captured, Joined({Ramp(length, 7), Silence(int32_t(rig.captured.size()) - length)})),
              rig.captured.size());
    ASSERT_EQ(rig.Notices("once"), 1);
    EXPECT_GE(rig.notices[0].samplesPlayed, size_t(length));
    EXPECT_EQ(rig.manager->GetPlayingCount(), 0u);
  }
}

TEST_F(SoundStreamTest, AOnceSoundPausedByTheGameWaitsInsteadOfEnding) {
  const int32_t length = Samples(1.9);
  std::shared_ptr<TSoundStream> stream = rig.StartRamp(length, 7, "once").lock();
  rig.Run(600);
  stream->SetPaused(true);
  rig.Run(3000);
  EXPECT_EQ(rig.Notices("once"), 0);
  EXPECT_TRUE(rig.manager->IsPlaying(stream.get()));
  stream->SetPaused(false);
  stream.reset();
  rig.Run(3000);

  const int32_t before = Samples(0.6);
  const int32_t paused = Samples(3.0);
  EXPECT_EQ(FirstDifference(rig.captured, Joined({Ramp(before, 7), Silence(paused),
                                                  Ramp(length - before, int16_t(7 + before))})),
            size_t(length + paused));
  EXPECT_EQ(rig.Notices("once"), 1);
}

// ---- Activation.

TEST_F(SoundStreamTest, DeactivationPausesAndReactivationResumesAtTheSameSample) {
  const int32_t length = Samples(5.0);
  rig.StartRamp(length, 1, "music");
  rig.Run(1000);
  rig.manager->SetActive(false);
  rig.Run(1500);
  rig.manager->SetActive(true);
  rig.Run(6000);

  const int32_t before = Samples(1.0);
  EXPECT_EQ(FirstDifference(rig.captured, Joined({Ramp(before, 1), Silence(Samples(1.5)),
                                                  Ramp(length - before, int16_t(1 + before))})),
            size_t(length + Samples(1.5)));
  EXPECT_EQ(rig.Notices("music"), 1);
}

TEST_F(SoundStreamTest, AStreamTheGamePausedStaysPausedWhenTheProgramIsActivatedAgain) {
  std::shared_ptr<TSoundStream> paused = rig.StartRamp(Samples(5.0), 1, "paused").lock();
  std::shared_ptr<TSoundStream> playing = rig.StartRamp(Samples(5.0), 1, "playing").lock();
  paused->SetPaused(true);
  rig.manager->SetActive(false);
  EXPECT_TRUE(playing->IsPaused());
  rig.manager->SetActive(true);
  EXPECT_TRUE(paused->IsPaused());
  EXPECT_FALSE(playing->IsPaused());
  EXPECT_FALSE(paused->GetBuffer()->GetStatus() & sys::kBufferPlaying);
}

TEST_F(SoundStreamTest, AStreamStartedWhileInactiveWaitsForActivation) {
  rig.manager->SetActive(false);
  std::shared_ptr<TSoundStream> stream = rig.StartRamp(Samples(1.0), 1, "late").lock();
  EXPECT_TRUE(stream->IsPaused());
  rig.Run(100);
  EXPECT_EQ(FirstDifference(rig.captured, Silence(Samples(0.1))), rig.captured.size());
  rig.manager->SetActive(true);
  EXPECT_FALSE(stream->IsPaused());
}

TEST_F(SoundStreamTest, AOnceSoundThatPlayedOutIsNotPlayedAgainByActivation) {
  const int32_t length = Samples(0.3);
  std::shared_ptr<TSoundStream> stream = rig.StartRamp(length, 7, "once").lock();
  rig.Run(400, 100000);  // played out before any refill pass saw it
  rig.manager->SetActive(false);
  rig.manager->SetActive(true);
  stream.reset();
  rig.Run(2000);
  EXPECT_EQ(FirstDifference(rig.captured, Joined({Ramp(length, 7), Silence(int32_t(rig.captured.size()) - length)})),
            rig.captured.size());
  EXPECT_EQ(rig.Notices("once"), 1);
}

// ---- Creation.

TEST_F(SoundStreamTest, AFormatTheDeviceRefusesFailsAndLeavesThePlayingList) {
  struct Case {
    int32_t rate;
    int32_t channels;
    int32_t bits;
  };
  for (const Case& c : {Case{44100, 3, 16}, Case{44100, 2, 8}, Case{0, 2, 16}, Case{-44100, 2, 16}}) {
    SCOPED_TRACE(c.channels * 1000 + c.bits);
    std::shared_ptr<TSoundStream> stream =
        TSoundStream::Make(*rig.manager, std::make_unique<RampSpooler>(100, 1), false, 0, rig.Notifier("bad"));
    EXPECT_FALSE(stream->Create(c.rate, c.channels, c.bits, 2.0f));
    EXPECT_FALSE(rig.manager->IsPlaying(stream.get()));
  }
  EXPECT_EQ(rig.Notices("bad"), 4) << "each failed stream is told its end when released";
}

TEST_F(SoundStreamTest, TheBufferHoldsTheSecondsAskedRoundedToEightBytes) {
  std::shared_ptr<TSoundStream> stream =
      TSoundStream::Make(*rig.manager, std::make_unique<RampSpooler>(100, 1), false, 0, nullptr);
  ASSERT_TRUE(stream->Create(22050, 1, 16, 0.1f));
  EXPECT_EQ(stream->GetBufferBytes(), 4416);  // 4410 rounded up
  EXPECT_FLOAT_EQ(stream->GetBufferSeconds(), 4416.0f / 44100.0f);
  EXPECT_EQ(stream->GetBuffer()->NotificationPositions(), (std::vector<uint32_t>{0, 2208}));
}

TEST(SoundStream, CreationFailsWhileTheManagerIsNotInitialised) {
  SoundRig rig;
  std::shared_ptr<TSoundStream> stream =
      TSoundStream::Make(*rig.manager, std::make_unique<RampSpooler>(100, 1), false, 0, nullptr);
  EXPECT_FALSE(stream->Create(44100, 2, 16, 2.0f));
  EXPECT_EQ(rig.manager->GetPlayingCount(), 0u);
}

TEST(SoundStream, ADeviceOutOfMemoryFailsCreationAndIsReported) {
  SoundRig rig;
  ASSERT_TRUE(rig.manager->Init());
  rig.device->ForceCreateResult(sys::AudioResult::OutOfMemory);
  EXPECT_FALSE(rig.StartRamp(100, 1, "a").lock());
  EXPECT_EQ(rig.platform.journal.Count("ReportOutOfVideoMemory"), 1);
  rig.device->ForceCreateResult(sys::AudioResult::Refused);
  EXPECT_FALSE(rig.StartRamp(100, 1, "b").lock());
  EXPECT_EQ(rig.platform.journal.Count("ReportOutOfVideoMemory"), 1) << "only running out of memory is reported";
}

// ---- Stopping and losing the buffer.

TEST_F(SoundStreamTest, StopEndsAStreamInTheFinishedListOrAtOnce) {
  std::shared_ptr<TSoundStream> later = rig.StartRamp(Samples(5.0), 1, "later").lock();
  std::shared_ptr<TSoundStream> now = rig.StartRamp(Samples(5.0), 1, "now").lock();
  later->Stop(true);
  now->Stop(false);
  EXPECT_EQ(rig.manager->GetFinishedCount(), 1u);
  EXPECT_EQ(rig.manager->GetPlayingCount(), 0u);
  now.reset();
  EXPECT_EQ(rig.Notices("now"), 1) << "gone at once";
  later.reset();
  EXPECT_EQ(rig.Notices("later"), 0);
  rig.manager->DispatchNotifications();
  EXPECT_EQ(rig.Notices("later"), 1);
}

TEST_F(SoundStreamTest, AStreamWhoseBufferWasLostEndsAtItsNextRefill) {
  rig.StartRamp(Samples(5.0), 1, "lost");
  rig.Run(100);
  rig.device->LoseAllBuffers();
  rig.Run(1100);
  EXPECT_EQ(rig.Notices("lost"), 1);
}

// ---- Volume.

TEST_F(SoundStreamTest, VolumeGoesToTheDeviceInHundredthsOfADecibel) {
  struct Case {
    float volume;
    int32_t level;
  };
  std::shared_ptr<TSoundStream> stream = rig.StartRamp(Samples(5.0), 1, "a").lock();
  for (const Case& c : {Case{0.0f, -10000}, Case{1.0f, 0}, Case{0.5f, -2500}, Case{0.25f, -3750},
                        Case{0.75f, -1250}, Case{-1.0f, -10000}, Case{2.0f, 0}}) {
    stream->SetVolume(c.volume);
    EXPECT_EQ(stream->GetBuffer()->GetVolume(), c.level) << c.volume;
  }
}

TEST_F(SoundStreamTest, ALostBufferIsRestoredBeforeItsVolumeIsSet) {
  std::shared_ptr<TSoundStream> stream = rig.StartRamp(Samples(5.0), 1, "a").lock();
  rig.device->LoseAllBuffers();
  stream->SetVolume(0.5f);
  EXPECT_FALSE(stream->GetBuffer()->GetStatus() & sys::kBufferLost);
  EXPECT_EQ(stream->GetBuffer()->GetVolume(), -2500);
}

TEST_F(SoundStreamTest, AStreamStartsAtItsGroupsVolume) {
  rig.manager->SetVolume(0.8f);
  rig.manager->SetGroupVolume(3, 0.5f);
  std::shared_ptr<TSoundStream> stream =
      TSoundStream::Make(*rig.manager, std::make_unique<RampSpooler>(100, 1), false, 3, nullptr);
  ASSERT_TRUE(stream->Create(44100, 2, 16, 2.0f));
  stream->Start(true);
  EXPECT_EQ(stream->GetBuffer()->GetVolume(), -3000);
}

}  // namespace
