#include "media/sound/TSoundStream.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "media/sound/TSoundManager.h"

namespace {

constexpr int64_t kBufferGranule = 8;

// Bytes of `seconds` of the format, rounded up to whole granules, within
// what a buffer can hold.
int32_t BufferBytesFor(int64_t bytesPerSecond, float seconds) {
  int64_t bytes = std::llround(std::floor(double(bytesPerSecond) * seconds + 0.5));
  bytes = (bytes + kBufferGranule - 1) / kBufferGranule * kBufferGranule;
  return static_cast<int32_t>(std::clamp<int64_t>(bytes, sys::SoundBuffer::kMinBytes,
                                                   sys::SoundBuffer::kMaxBytes));
}

}  // namespace

std::shared_ptr<TSoundStream> TSoundStream::Make(TSoundManager& manager, std::unique_ptr<TStreamSpooler> source,
                                                 bool loop, int32_t group,
                                                 std::shared_ptr<TStreamNotify> notifier) {
  std::shared_ptr<TSoundStream> stream(
      new TSoundStream(manager, std::move(source), loop, group, std::move(notifier)));
  manager.AddStream(stream);
  return stream;
}

TSoundStream::TSoundStream(TSoundManager& manager, std::unique_ptr<TStreamSpooler> source, bool loop,
                           int32_t group, std::shared_ptr<TStreamNotify> notifier)
    : mManager(manager), mSource(std::move(source)), mNotifier(std::move(notifier)), mGroup(group), mLoop(loop) {}

TSoundStream::~TSoundStream() {
  mSource.reset();
  for (const std::shared_ptr<TStreamNotify>& pending : mPendingNotifiers) pending->Notify(this);
  if (mNotifier) mNotifier->Notify(this);
  if (mQueuedNotifier) mQueuedNotifier->Notify(this);
  mBuffer.reset();
}

bool TSoundStream::Failed(sys::AudioResult result) {
  if (result == sys::AudioResult::OutOfMemory) mManager.ReportOutOfMemory();
  return result != sys::AudioResult::Ok;
}

bool TSoundStream::Create(int32_t rate, int32_t channels, int32_t bits, float seconds) {
  std::shared_ptr<TSoundStream> self = shared_from_this();
  TSoundManager::Guard guard(mManager);
  const sys::WaveFormat format{.channels = channels, .rate = rate, .bits = bits};
  const int64_t bytesPerSecond = int64_t{bits / 8} * channels * rate;
  std::unique_ptr<sys::SoundBuffer> buffer;
  if (!mManager.IsInitialised() || bytesPerSecond <= 0 ||
      Failed(mManager.GetDevice().CreateBuffer(format, BufferBytesFor(bytesPerSecond, seconds), buffer))) {
    // A stream that cannot play would otherwise stay in the playing list for good.
    mManager.RemoveStream(this);
    return false;
  }
  mBufferBytes = static_cast<int32_t>(buffer->Size());
  mBufferSeconds = static_cast<float>(double(mBufferBytes) / double(bytesPerSecond));
  const std::array<uint32_t, 2> halves{0, static_cast<uint32_t>(mBufferBytes / 2)};
  buffer->SetNotificationPositions(halves);
  mBuffer = std::move(buffer);
  mRemaining = mBufferBytes;
  mEnded = false;
  Update(true);
  return true;
}

bool TSoundStream::Update(bool first) {
  TSoundManager::Guard guard(mManager);
  if (!mBuffer) return true;
  const int32_t half = mBufferBytes / 2;
  uint32_t play = 0;
  uint32_t write = 0;
  mBuffer->GetCursors(play, write);
  int32_t fill = 0;
  if (first) {
    fill = 1;
  } else if (write < uint32_t(half)) {
    fill = 2;
  } else if (play > uint32_t(half)) {
    fill = 1;
  } else {
    return true;
  }
  if (fill == mLastHalf) return !(mOnce && HasPlayedOut());
  mLastHalf = fill;
  if (mEnded) {
    mRemaining -= half;
    if (mRemaining < 1 && !mQueuedSource) {
      mBuffer->Stop();
      mSource.reset();
      return false;
    }
  }
  return FillHalf(fill == 1 ? 0 : uint32_t(half), half);
}

bool TSoundStream::HasPlayedOut() { return !mPaused && !(mBuffer->GetStatus() & sys::kBufferPlaying); }

bool TSoundStream::FillHalf(uint32_t offset, int32_t bytes) {
  sys::BufferRegion region;
  if (Failed(mBuffer->Lock(offset, uint32_t(bytes), region))) return false;
  int32_t got = 0;
  const bool more = mSource && mSource->Read(bytes, region.first, got, mLoop);
  mEnded = !more;
  if (mEnded && mQueuedSource) HandOver(region.first, bytes, std::clamp(got, 0, bytes));
  mBuffer->Unlock(region);
  return true;
}

// The new source starts where the old one ended; a source queued late (after
// the old one ended, while its last half still played) gets the whole buffer
// to play out in, like any source.
void TSoundStream::HandOver(uint8_t* half, int32_t bytes, int32_t got) {
  mSource = std::move(mQueuedSource);
  if (mNotifier) mPendingNotifiers.push_back(std::move(mNotifier));
  mNotifier = std::move(mQueuedNotifier);
  mEnded = false;
  mRemaining = mBufferBytes;
  if (got >= bytes) return;
  mSource->Rewind();
  int32_t rest = 0;
  mEnded = !mSource->Read(bytes - got, half + got, rest, mLoop);
}

void TSoundStream::Start(bool once) {
  TSoundManager::Guard guard(mManager);
  mOnce = once;
  SetVolume(mManager.GetVolume(mGroup));
  if (!mManager.IsActive()) {
    mPaused = true;
    mPausedByDeactivation = true;
    return;
  }
  if (mBuffer) mBuffer->Play(!once);
}

// A once stream that has played out is neither paused nor resumed: that
// would play it again from the start.
void TSoundStream::SetPaused(bool pause) {
  TSoundManager::Guard guard(mManager);
  if (pause) {
    if (mBuffer && mOnce && HasPlayedOut()) return;
    mPaused = true;
    if (mBuffer) mBuffer->Stop();
    mPausedByDeactivation = false;
  } else if (mPaused) {
    mPaused = false;
    Start(mOnce);
  }
}

void TSoundStream::PauseForActivation(bool pause) {
  TSoundManager::Guard guard(mManager);
  if (pause) {
    if (mPaused) return;
    SetPaused(true);
    mPausedByDeactivation = mPaused;
  } else if (mPausedByDeactivation) {
    SetPaused(false);
    mPausedByDeactivation = false;
  }
}

void TSoundStream::SetVolume(float volume) {
  TSoundManager::Guard guard(mManager);
  volume = std::clamp(volume, 0.0f, 1.0f);
  const int32_t level = volume <= 0.0f ? sys::kVolumeSilent : static_cast<int32_t>(-5000.0f * (1.0f - volume));
  if (!mBuffer) return;
  if (mBuffer->GetStatus() & sys::kBufferLost) mBuffer->Restore();
  Failed(mBuffer->SetVolume(level));
}

bool TSoundStream::QueueSource(std::shared_ptr<TStreamNotify> notifier, std::unique_ptr<TStreamSpooler> source) {
  TSoundManager::Guard guard(mManager);
  if (mEnded && mRemaining < 1) return false;
  if (mQueuedNotifier) mPendingNotifiers.push_back(std::move(mQueuedNotifier));
  mQueuedSource = std::move(source);
  mQueuedNotifier = std::move(notifier);
  return true;
}

void TSoundStream::Stop(bool toFinished) {
  std::shared_ptr<TSoundStream> self = shared_from_this();
  TSoundManager::Guard guard(mManager);
  if (mBuffer) mBuffer->Stop();
  mQueuedSource.reset();
  mQueuedNotifier.reset();
  if (toFinished) {
    mManager.MoveToFinished(this);
  } else {
    mManager.RemoveStream(this);
  }
}

void TSoundStream::TakePendingNotices(std::vector<std::shared_ptr<TStreamNotify>>& out) {
  TSoundManager::Guard guard(mManager);
  for (std::shared_ptr<TStreamNotify>& pending : mPendingNotifiers) out.push_back(std::move(pending));
  mPendingNotifiers.clear();
}

const TStreamNotify* TSoundStream::GetNotifier() {
  TSoundManager::Guard guard(mManager);
  return mNotifier.get();
}

bool TSoundStream::IsPaused() {
  TSoundManager::Guard guard(mManager);
  return mPaused;
}
