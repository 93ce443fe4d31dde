#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "media/sound/TSoundThreadWait.h"
#include "platform/time/TClock.h"
#include "system/audio/AudioDevice.h"

class TSoundStream;

// The sound manager: owns the sound device, the streams that play, the
// master and group volumes and the sound thread. The thread keeps every
// playing stream fed; streams it finds finished wait in a list until the
// main thread releases them in DispatchNotifications, so end notices and
// callbacks run on the main thread only.
//
// One recursive lock guards the streams and volumes between the sound
// thread and the main thread; every operation takes it, and streams take it
// again from inside Update.
//
// The platform creates the manager, initialises it once the main window
// exists, tells it of activation changes, has it dispatch notices on every
// idle pass and deletes it at shut-down, which stops the thread. Those are
// the virtual operations.
class TSoundManager {
 public:
  // The sound thread's pause between two runs.
  static constexpr uint32_t kThreadPause = 50;
  // Streams are refilled when at least this many milliseconds passed since
  // the previous refill pass.
  static constexpr uint32_t kPassInterval = 501;

  // Without a device, the manager plays through SDL's audio output; without
  // a wait, its thread pauses kThreadPause milliseconds between runs.
  explicit TSoundManager(std::unique_ptr<sys::AudioDevice> device = nullptr,
                         std::unique_ptr<TSoundThreadWait> wait = nullptr);
  // Stops the thread, then releases the finished and the playing streams
  // (their notices call no callbacks then) and closes the device.
  virtual ~TSoundManager();
  TSoundManager(const TSoundManager&) = delete;
  TSoundManager& operator=(const TSoundManager&) = delete;

  // Starts the sound thread (once, whatever the result) and opens the device;
  // false in screensaver mode or when the device fails. True at once when
  // already initialised.
  virtual bool Init();
  // False pauses every playing stream; true resumes those it paused and
  // applies the volumes again.
  virtual void SetActive(bool active);
  // Main thread, on every idle pass: releases the finished streams (their
  // destruction sends their notices), then sends the notices of sources the
  // playing streams have moved on from.
  virtual void DispatchNotifications();

  // The sound thread's work, under the lock: a refill pass over every
  // playing stream once kPassInterval has passed. Streams that ended move to
  // the finished list; uninitialised, every stream does.
  void Update();

  // Volumes from 0 (silent) to 1 (full). A group without its own volume
  // follows the master volume alone.
  float GetVolume(int32_t group);
  void SetVolume(float volume);
  void SetGroupVolume(int32_t group, float volume);

  void Lock();
  void Unlock();
  // Holds the lock for its lifetime.
  class Guard {
   public:
    explicit Guard(TSoundManager& manager) : mManager(manager) { mManager.Lock(); }
    ~Guard() { mManager.Unlock(); }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

   private:
    TSoundManager& mManager;
  };

  // What the streams ask of their manager, each under the lock.
  bool IsInitialised();
  bool IsActive();
  bool IsShutDown();
  sys::AudioDevice& GetDevice() { return *mDevice; }
  // Tells the program that a device call ran out of memory.
  void ReportOutOfMemory();
  void AddStream(const std::shared_ptr<TSoundStream>& stream);
  // Out of the playing list; the stream goes when nothing else holds it.
  void RemoveStream(const TSoundStream* stream);
  // From the playing list to the finished list.
  void MoveToFinished(const TSoundStream* stream);
  bool IsPlaying(const TSoundStream* stream);
  size_t GetPlayingCount();
  size_t GetFinishedCount();

 private:
  using Streams = std::vector<std::shared_ptr<TSoundStream>>;

  void SoundThread();
  bool OpenDevice();
  // After a volume change: every stream's volume nudged, then set, so that
  // the device surely takes it.
  void ApplyVolumes();

  std::unique_ptr<sys::AudioDevice> mDevice;
  std::unique_ptr<TSoundThreadWait> mWait;
  TClock mPassClock;
  bool mInitialised = false;
  bool mShutDown = false;
  bool mActive = true;
  bool mQuit = false;

  Streams mPlaying;
  Streams mFinished;
  float mMasterVolume = 1.0f;
  std::map<int32_t, float> mGroupVolumes;

  std::recursive_mutex mMutex;  // "TSoundManagerMutex"
  int32_t mLockCount = 0;
  std::thread mThread;
};
