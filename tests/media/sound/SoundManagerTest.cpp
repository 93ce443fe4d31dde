#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "media/sound/TSoundManager.h"
#include "media/sound/TSoundStream.h"
#include "tests/support/SoundRig.h"

namespace {

// ---- Start and shut-down.

TEST(SoundManager, InitTwiceStartsOneThreadAndOpensTheDeviceOnce) {
  SoundRig rig;
  rig.device->ForceOpenResult(sys::AudioResult::Refused);
  EXPECT_FALSE(rig.manager->Init());
  EXPECT_FALSE(rig.device->IsOpen());
  EXPECT_TRUE(rig.manager->Init());
  EXPECT_TRUE(rig.manager->Init());
  EXPECT_TRUE(rig.device->IsOpen());
  ASSERT_TRUE(rig.wait->Step());
  ASSERT_TRUE(rig.wait->Step());
  EXPECT_EQ(rig.wait->Threads().size(), 1u);
}

TEST(SoundManager, AScreensaverGetsNoSoundYetShutDownStopsTheThread) {
  auto rig = std::make_unique<SoundRig>();
  rig->platform.screensaver = true;
  EXPECT_FALSE(rig->manager->Init());
  EXPECT_FALSE(rig->device->IsOpen());
  EXPECT_FALSE(rig->StartRamp(100, 1, "played").lock()) << "nothing plays";
  ASSERT_TRUE(rig->wait->Step()) << "the thread runs all the same";
  rig->DeleteManager();
}

TEST(SoundManager, DeletingAManagerThatNeverStartedWaitsForNoThread) {
  SoundRig rig;
  rig.DeleteManager();  // returns: nothing to join
}

TEST(SoundManager, ADeviceOutOfMemoryAtInitIsReported) {
  SoundRig rig;
  rig.device->ForceOpenResult(sys::AudioResult::OutOfMemory);
  EXPECT_FALSE(rig.manager->Init());
  EXPECT_EQ(rig.platform.journal.Count("ReportOutOfVideoMemory"), 1);
}

TEST(SoundManager, ShutDownReleasesPlayingAndFinishedStreamsWithTheirNotices) {
  SoundRig rig;
  ASSERT_TRUE(rig.manager->Init());
  rig.StartRamp(88200 * 5, 1, "playing");
  rig.StartRamp(88200 * 5, 1, "finished").lock()->Stop(true);
  rig.DeleteManager();
  EXPECT_EQ(rig.Notices("playing"), 1);
  EXPECT_EQ(rig.Notices("finished"), 1);
}

// ---- The refill pass.

// Counts the reads of a ramp.
class CountingSpooler final : public TStreamSpooler {
 public:
  CountingSpooler(int32_t samples, int& reads) : mRamp(samples, 1), mReads(reads) {}
  bool Read(int32_t bytes, uint8_t* buffer, int32_t& got, bool loop) override {
    ++mReads;
    return mRamp.Read(bytes, buffer, got, loop);
  }
  void SeekTime(float) override {}

 private:
  RampSpooler mRamp;
  int& mReads;
};

TEST(SoundManager, RefillPassesComeAtLeast501MillisecondsApart) {
  SoundRig rig;
  ASSERT_TRUE(rig.manager->Init());
  int reads = 0;
  std::shared_ptr<TSoundStream> stream =
      TSoundStream::Make(*rig.manager, std::make_unique<CountingSpooler>(88200 * 10, reads), false, 0, nullptr);
  ASSERT_TRUE(stream->Create(44100, 2, 16, 2.0f));
  stream->Start(false);
  EXPECT_EQ(reads, 1) << "creation fills the first half";
  rig.Run(500);
  EXPECT_EQ(reads, 1);
  rig.Run(10);
  EXPECT_EQ(reads, 2) << "the pass at 510 ms fills the second half";
  rig.Run(500);
  EXPECT_EQ(reads, 2);
  rig.Run(10);
  EXPECT_EQ(reads, 3) << "the pass at 1020 ms fills the first half again";
}

TEST(SoundManager, AnUninitialisedManagerSendsEveryStreamToTheFinishedList) {
  SoundRig rig;
  rig.platform.screensaver = true;
  EXPECT_FALSE(rig.manager->Init());
  TSoundStream::Make(*rig.manager, std::make_unique<RampSpooler>(100, 1), false, 0, rig.Notifier("waiting"));
  ASSERT_TRUE(rig.wait->Step());
  EXPECT_EQ(rig.manager->GetPlayingCount(), 0u);
  EXPECT_EQ(rig.manager->GetFinishedCount(), 1u);
  rig.manager->DispatchNotifications();
  EXPECT_EQ(rig.Notices("waiting"), 1);
}

// ---- Notices.

TEST(SoundManager, NoticesComeOnTheMainThreadFromDispatch) {
  SoundRig rig;
  ASSERT_TRUE(rig.manager->Init());
  rig.StartRamp(88200 / 2, 1, "short");
  rig.Run(2000);
  ASSERT_EQ(rig.Notices("short"), 1);
  EXPECT_EQ(rig.notices[0].thread, std::this_thread::get_id());
}

TEST(SoundManager, AHandlerThatStartsASoundHearsOfItAtTheNextDispatch) {
  SoundRig rig;
  ASSERT_TRUE(rig.manager->Init());
  auto startAnother = [&rig] {
    std::shared_ptr<TSoundStream> next = TSoundStream::Make(
        *rig.manager, std::make_unique<RampSpooler>(100, 1), false, 0, rig.Notifier("second"));
    next->Stop(true);
  };
  std::shared_ptr<TSoundStream> first = TSoundStream::Make(
      *rig.manager, std::make_unique<RampSpooler>(100, 1), false, 0, rig.Notifier("first", startAnother));
  first->Stop(true);
  first.reset();

  rig.manager->DispatchNotifications();
  EXPECT_EQ(rig.Notices("first"), 1);
  EXPECT_EQ(rig.Notices("second"), 0);
  EXPECT_EQ(rig.manager->GetFinishedCount(), 1u);
  rig.manager->DispatchNotifications();
  EXPECT_EQ(rig.Notices("second"), 1);
}

// ---- Volumes.

TEST(SoundManager, AGroupVolumeScalesTheMasterVolumeAndAGroupWithoutOneFollowsIt) {
  SoundRig rig;
  EXPECT_FLOAT_EQ(rig.manager->GetVolume(0), 1.0f);
  rig.manager->SetVolume(0.8f);
  rig.manager->SetGroupVolume(1, 0.5f);
  EXPECT_FLOAT_EQ(rig.manager->GetVolume(1), 0.4f);
  EXPECT_FLOAT_EQ(rig.manager->GetVolume(2), 0.8f);
}

TEST(SoundManager, VolumeChangesReachEveryPlayingStreamOfTheGroup) {
  SoundRig rig;
  ASSERT_TRUE(rig.manager->Init());
  auto make = [&rig](int32_t group) {
    std::shared_ptr<TSoundStream> stream =
        TSoundStream::Make(*rig.manager, std::make_unique<RampSpooler>(88200 * 5, 1), false, group, nullptr);
    EXPECT_TRUE(stream->Create(44100, 2, 16, 2.0f));
    stream->Start(false);
    return stream;
  };
  std::shared_ptr<TSoundStream> music = make(1);
  std::shared_ptr<TSoundStream> effect = make(2);
  rig.manager->SetGroupVolume(1, 0.5f);
  EXPECT_EQ(music->GetBuffer()->GetVolume(), -2500);
  EXPECT_EQ(effect->GetBuffer()->GetVolume(), 0);
  rig.manager->SetVolume(0.0f);
  EXPECT_EQ(music->GetBuffer()->GetVolume(), -10000);
  EXPECT_EQ(effect->GetBuffer()->GetVolume(), -10000);
}

TEST(SoundManager, TheLockIsRecursive) {
  SoundRig rig;
  rig.manager->Lock();
  rig.manager->Lock();
  EXPECT_FLOAT_EQ(rig.manager->GetVolume(0), 1.0f);
  rig.manager->Unlock();
  rig.manager->Unlock();
}

// ---- The real thing.

TEST(SoundManager, OnTheRealThreadAndOutputAShortSoundPlaysToItsNoticeOnTheMainThread) {
  std::vector<std::thread::id> heard;
  class Heard final : public TStreamNotify {
   public:
    explicit Heard(std::vector<std::thread::id>& heard) : mHeard(heard) {}
    void Notify(TSoundStream*) override { mHeard.push_back(std::this_thread::get_id()); }

   private:
    std::vector<std::thread::id>& mHeard;
  };
  TSoundManager manager;
  ASSERT_TRUE(manager.Init()) << "SDL's dummy audio output opens";
  {
    std::shared_ptr<TSoundStream> stream = TSoundStream::Make(manager, std::make_unique<RampSpooler>(8820, 1), false,
                                                              0, std::make_shared<Heard>(heard));
    ASSERT_TRUE(stream->Create(44100, 1, 16, 2.0f));
    stream->Start(true);
  }
  const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (heard.empty() && std::chrono::steady_clock::now() < limit) {
    manager.DispatchNotifications();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_EQ(heard[0], std::this_thread::get_id());
}

}  // namespace
