#pragma once

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "media/sound/TSoundData.h"
#include "platform/asset/TAsset.h"
#include "platform/text/TString.h"

class TSound;
class TSoundManager;

// Hears the end of sound instances it was registered for: an instance that
// played out, was stopped, or handed over to the sound queued after it. Game
// classes derive from it. Its destruction takes it off every instance it
// waits for, so a callback gone is never called. Main thread only.
class TSoundCallBack {
 public:
  virtual ~TSoundCallBack();
  // The instance `handle` of `sound` ended; `next` (empty when none) plays on
  // from it as its instance `nextHandle` (-1 when none).
  virtual void OnEnd(const std::shared_ptr<TSound>& sound, int32_t handle, const std::shared_ptr<TSound>& next,
                     int32_t nextHandle) = 0;

 private:
  friend class TSound;
  friend class TSoundData;
  void Register(TSound* sound, int32_t handle);
  void Unregister(const TSound* sound, int32_t handle);

  std::vector<std::pair<TSound*, int32_t>> mRegistrations;
};

// A sound asset made from one Ogg Vorbis file, cached by name, mode and
// group. It plays any number of instances at once, each a stream named by a
// play handle. Short sounds opened in memory are decoded once; the others
// are decoded while they play. A playing instance keeps its sound alive
// until its end notice, so a sound may be dropped while it plays. Main thread
// only.
class TSound final : public TAsset {
 public:
  // Seconds of each instance's buffer.
  static constexpr float kBufferSeconds = 2.0f;

  static TClassId ClassId();
  bool IsKindOf(TClassId id) const override;

  // The sound of a name ending in ".ogg", with "?group=N" naming its volume
  // group (else `defaultGroup`); empty when the file is missing or is no
  // sound.
  static std::shared_ptr<TSound> Get(const TString& name, bool inMemory, int32_t defaultGroup);

  TSound(TString name, int32_t group);
  ~TSound() override;

  // A new instance, looping or not; its play handle, -1 when it cannot play.
  int32_t Play(bool loop);
  // Stops one instance, or every one with -1; false when there was none.
  // The callback of a stopped instance hears its end right after that
  // instance stops, with nothing to follow it.
  bool Stop(int32_t handle);
  // Chains `next` onto instance `handle` so that it follows without a gap,
  // and registers the callback for the instance's end. An instance that can
  // no longer take it (it played out, or is unknown) ends at the next idle
  // pass while `next` starts at once. Without `next`, only the callback is
  // set (null clears it).
  void QueueNext(int32_t handle, TSoundCallBack* callback, const std::shared_ptr<TSound>& next);

  TSoundData& Data() { return mData; }

 private:
  std::shared_ptr<TSound> Self();
  // The notifier a stream holds for this sound: it keeps the sound alive.
  std::shared_ptr<TStreamNotify> Notifier();
  std::shared_ptr<TSoundStream> MakeStream(TSoundManager& manager, bool loop);
  bool StopInstance(TSoundManager& manager, int32_t handle);
  void StopNext(const std::shared_ptr<TSound>& next, int32_t nextHandle);
  // Tells the callback of a stopped instance, when it still has one.
  void TellStopped(int32_t handle);
  // A fresh instance whose stream is stopped at once, so that its end (with
  // the callback and the next sound) is told at the next idle pass.
  int32_t EndAtNextPass(TSoundManager& manager, TSoundCallBack* callback, const std::shared_ptr<TSound>& next,
                        int32_t nextHandle);
  void SetCallback(int32_t handle, TSoundData::Entry& entry, TSoundCallBack* callback);

  TSoundData mData;
};
