#include "media/sound/TSoundManager.h"

#include <algorithm>

#include "media/sound/TSoundStream.h"
#include "media/sound/TSoundThreadWait.h"
#include "platform/TPlatform.h"
#include "platform/text/Log.h"

namespace {

// The output format asked of the device: what every buffer is mixed into.
constexpr sys::WaveFormat kPrimaryFormat{.channels = 2, .rate = 44100, .bits = 16};

using Streams = std::vector<std::shared_ptr<TSoundStream>>;

Streams::iterator Find(Streams& streams, const TSoundStream* stream) {
  return std::find_if(streams.begin(), streams.end(),
                      [stream](const std::shared_ptr<TSoundStream>& held) { return held.get() == stream; });
}

// A pending notice and the stream it is about.
struct Notice {
  std::shared_ptr<TSoundStream> stream;
  std::shared_ptr<TStreamNotify> notifier;
};

// Without a platform the program is no screensaver.
bool IsScreensaver() {
  TPlatform* platform = TPlatform::Instance();
  return platform && platform->IsScreensaver();
}

}  // namespace

TSoundManager::TSoundManager(std::unique_ptr<sys::AudioDevice> device, std::unique_ptr<TSoundThreadWait> wait)
    : mDevice(device ? std::move(device) : sys::MakeOutputDevice()),
      mWait(wait ? std::move(wait) : std::make_unique<TTimedSoundWait>(kThreadPause)) {}

// The streams go before the device they play on; their notices come while
// shut down, so sounds call no callbacks.
TSoundManager::~TSoundManager() {
  {
    Guard guard(*this);
    mQuit = true;
  }
  mWait->Stop();
  if (mThread.joinable()) mThread.join();
  Streams finished;
  Streams playing;
  {
    Guard guard(*this);
    mShutDown = true;
    finished.swap(mFinished);
    playing.swap(mPlaying);
  }
  finished.clear();
  playing.clear();
  mDevice->Close();
}

// The thread starts once, whatever Init answers, and runs until the manager
// is deleted.
bool TSoundManager::Init() {
  if (IsInitialised()) return true;
  if (!mThread.joinable()) mThread = std::thread([this] { SoundThread(); });
  if (IsScreensaver()) return false;
  {
    Guard guard(*this);
    mPassClock.Reset();
    mPassClock.Start();
  }
  if (!OpenDevice()) return false;
  Guard guard(*this);
  mInitialised = true;
  return true;
}

bool TSoundManager::OpenDevice() {
  sys::AudioResult result = mDevice->Open();
  if (result == sys::AudioResult::Ok) {
    sys::AudioCaps caps;
    result = mDevice->GetCaps(caps);
  }
  if (result == sys::AudioResult::Ok) result = mDevice->SetCooperativeLevel(sys::CooperativeLevel::Priority);
  if (result == sys::AudioResult::Ok) result = mDevice->CreatePrimaryBuffer();
  if (result != sys::AudioResult::Ok) {
    if (result == sys::AudioResult::OutOfMemory) ReportOutOfMemory();
    LogPrintf("The sound device could not be opened: the program runs without sound");
    mDevice->Close();
    return false;
  }
  mDevice->SetPrimaryFormat(kPrimaryFormat);
  return true;
}

void TSoundManager::SoundThread() {
  do {
    Guard guard(*this);
    if (mQuit) return;
    Update();
  } while (mWait->Pause());
}

void TSoundManager::Update() {
  Guard guard(*this);
  if (!mInitialised) {
    for (std::shared_ptr<TSoundStream>& stream : mPlaying) mFinished.push_back(std::move(stream));
    mPlaying.clear();
    return;
  }
  if (mPassClock.GetTime() < kPassInterval) return;
  mPassClock.Reset();
  mPassClock.Start();
  for (size_t i = 0; i < mPlaying.size();) {
    if (mPlaying[i]->Update(false)) {
      ++i;
    } else {
      mFinished.push_back(std::move(mPlaying[i]));
      mPlaying.erase(mPlaying.begin() + static_cast<ptrdiff_t>(i));
    }
  }
}

// Handlers start and stop sounds, which changes both lists: the finished
// streams and the pending notices are taken first, and whatever the handlers
// add waits for the next pass.
void TSoundManager::DispatchNotifications() {
  Streams finished;
  std::vector<Notice> notices;
  {
    Guard guard(*this);
    finished.swap(mFinished);
    std::vector<std::shared_ptr<TStreamNotify>> pending;
    for (const std::shared_ptr<TSoundStream>& stream : mPlaying) {
      stream->TakePendingNotices(pending);
      for (std::shared_ptr<TStreamNotify>& notifier : pending) notices.push_back({stream, std::move(notifier)});
      pending.clear();
    }
  }
  finished.clear();
  for (const Notice& notice : notices) notice.notifier->Notify(notice.stream.get());
}

float TSoundManager::GetVolume(int32_t group) {
  Guard guard(*this);
  auto found = mGroupVolumes.find(group);
  return found == mGroupVolumes.end() ? mMasterVolume : mMasterVolume * found->second;
}

void TSoundManager::SetVolume(float volume) {
  Guard guard(*this);
  mMasterVolume = volume;
  ApplyVolumes();
}

void TSoundManager::SetGroupVolume(int32_t group, float volume) {
  Guard guard(*this);
  mGroupVolumes[group] = volume;
  ApplyVolumes();
}

void TSoundManager::SetActive(bool active) {
  Guard guard(*this);
  mActive = active;
  for (const std::shared_ptr<TSoundStream>& stream : mPlaying) stream->PauseForActivation(!active);
  if (active) ApplyVolumes();
}

void TSoundManager::ApplyVolumes() {
  Guard guard(*this);
  for (const std::shared_ptr<TSoundStream>& stream : mPlaying) {
    const float volume = GetVolume(stream->GetGroup());
    stream->SetVolume(volume < 0.5f ? volume + 0.05f : volume - 0.05f);
    stream->SetVolume(volume);
  }
}

void TSoundManager::Lock() {
  mMutex.lock();
  ++mLockCount;
}

void TSoundManager::Unlock() {
  --mLockCount;
  mMutex.unlock();
}

bool TSoundManager::IsInitialised() {
  Guard guard(*this);
  return mInitialised;
}

bool TSoundManager::IsActive() {
  Guard guard(*this);
  return mActive;
}

bool TSoundManager::IsShutDown() {
  Guard guard(*this);
  return mShutDown;
}

void TSoundManager::ReportOutOfMemory() {
  LogPrintf("The sound device ran out of memory");
  if (TPlatform* platform = TPlatform::Instance()) platform->ReportOutOfVideoMemory();
}

void TSoundManager::AddStream(const std::shared_ptr<TSoundStream>& stream) {
  Guard guard(*this);
  mPlaying.push_back(stream);
}

void TSoundManager::RemoveStream(const TSoundStream* stream) {
  Guard guard(*this);
  if (auto found = Find(mPlaying, stream); found != mPlaying.end()) mPlaying.erase(found);
}

void TSoundManager::MoveToFinished(const TSoundStream* stream) {
  Guard guard(*this);
  auto found = Find(mPlaying, stream);
  if (found == mPlaying.end()) return;
  mFinished.push_back(std::move(*found));
  mPlaying.erase(found);
}

bool TSoundManager::IsPlaying(const TSoundStream* stream) {
  Guard guard(*this);
  return Find(mPlaying, stream) != mPlaying.end();
}

size_t TSoundManager::GetPlayingCount() {
  Guard guard(*this);
  return mPlaying.size();
}

size_t TSoundManager::GetFinishedCount() {
  Guard guard(*this);
  return mFinished.size();
}
