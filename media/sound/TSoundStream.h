#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "media/sound/TStreamNotify.h"
#include "media/sound/TStreamSpooler.h"
#include "system/audio/SoundBuffer.h"

class TSoundManager;

// One playing instance of a sound: a device buffer of a few seconds in two
// halves, refilled half by half from its source by the sound thread. A
// second source may be queued; it takes over in the same half in which the
// first one ends, without a gap. Each source's end is told to its notifier on
// the main thread: a source moved on from waits as a pending notice for
// DispatchNotifications, the others are told when the stream is destroyed.
//
// A stream is made shared and joins the manager's playing list at once; it
// lives while the lists or its owners hold it. Every operation takes the
// manager's lock.
class TSoundStream : public std::enable_shared_from_this<TSoundStream> {
 public:
  static std::shared_ptr<TSoundStream> Make(TSoundManager& manager, std::unique_ptr<TStreamSpooler> source,
                                            bool loop, int32_t group, std::shared_ptr<TStreamNotify> notifier);
  // Releases the source, then notifies the pending notifiers, the current
  // one and the queued one, in that order.
  virtual ~TSoundStream();
  TSoundStream(const TSoundStream&) = delete;
  TSoundStream& operator=(const TSoundStream&) = delete;

  // Makes the buffer for `seconds` of the format and fills its first half.
  // False (and out of the playing list) when the manager is not initialised
  // or the device refuses.
  bool Create(int32_t rate, int32_t channels, int32_t bits, float seconds);
  // Plays from the current position: looping the buffer while streaming, or
  // once when the whole sound fits in it. While the program is inactive the
  // stream waits, paused, for its activation.
  void Start(bool once);
  void SetPaused(bool pause);
  // Activation changes pause and resume only the streams the game left playing.
  void PauseForActivation(bool pause);
  // From 0 to 1; a lost buffer is restored first.
  void SetVolume(float volume);
  // The source to play once the current one ends; false when the stream has
  // already played out. A source queued over another replaces it, and the
  // replaced one's end is told like any other.
  bool QueueSource(std::shared_ptr<TStreamNotify> notifier, std::unique_ptr<TStreamSpooler> source);
  // The sound thread's refill; `first` fills the first half. False once the
  // stream has ended.
  bool Update(bool first);
  // Stops the buffer, drops the queued source, and leaves the playing list:
  // for the finished list, or gone at once.
  void Stop(bool toFinished);

  // Hands the notices of sources moved on from to the caller, who sends them.
  void TakePendingNotices(std::vector<std::shared_ptr<TStreamNotify>>& out);
  const TStreamNotify* GetNotifier();
  int32_t GetGroup() const { return mGroup; }
  bool IsPaused();
  int32_t GetBufferBytes() const { return mBufferBytes; }
  float GetBufferSeconds() const { return mBufferSeconds; }
  sys::SoundBuffer* GetBuffer() { return mBuffer.get(); }

 private:
  TSoundStream(TSoundManager& manager, std::unique_ptr<TStreamSpooler> source, bool loop, int32_t group,
               std::shared_ptr<TStreamNotify> notifier);

  // A once buffer stops by itself at its end; one that the game did not
  // pause has then played out.
  bool HasPlayedOut();
  bool FillHalf(uint32_t offset, int32_t bytes);
  // The queued source and notifier become current; the rest of the half
  // comes from the new source.
  void HandOver(uint8_t* half, int32_t bytes, int32_t got);
  bool Failed(sys::AudioResult result);

  TSoundManager& mManager;
  std::unique_ptr<TStreamSpooler> mSource;
  std::unique_ptr<TStreamSpooler> mQueuedSource;
  std::shared_ptr<TStreamNotify> mNotifier;
  std::shared_ptr<TStreamNotify> mQueuedNotifier;
  std::vector<std::shared_ptr<TStreamNotify>> mPendingNotifiers;
  std::unique_ptr<sys::SoundBuffer> mBuffer;
  bool mEnded = true;
  bool mOnce = false;
  int32_t mBufferBytes = 0;
  float mBufferSeconds = 0;
  int32_t mRemaining = 0;  // bytes still to play once the source has ended
  const int32_t mGroup;
  const bool mLoop;
  bool mPaused = false;
  bool mPausedByDeactivation = false;
  int32_t mLastHalf = 0;  // 1 the first half was filled last, 2 the second, 0 none
};
