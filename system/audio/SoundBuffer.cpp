#include "system/audio/SoundBuffer.h"

#include <algorithm>
#include <cstring>

namespace sys {

SoundBuffer::SoundBuffer(std::shared_ptr<Mixer> mixer, std::shared_ptr<MixVoice> voice)
    : mMixer(std::move(mixer)), mVoice(std::move(voice)), mFormat(mVoice->format), mBytes(mVoice->bytes) {
  mMixer->Add(mVoice);
}

SoundBuffer::~SoundBuffer() { mMixer->Remove(mVoice.get()); }

AudioResult SoundBuffer::SetNotificationPositions(std::span<const uint32_t> positions) {
  for (uint32_t position : positions)
    if (position >= mBytes) return AudioResult::InvalidParam;
  mNotifications.assign(positions.begin(), positions.end());
  return AudioResult::Ok;
}

AudioResult SoundBuffer::GetCursors(uint32_t& play, uint32_t& write) {
  std::lock_guard lock(mMixer->Mutex());
  play = mVoice->PlayCursor();
  write = static_cast<uint32_t>((uint64_t{play} + mMixer->WriteLead(*mVoice)) % mBytes);
  return AudioResult::Ok;
}

AudioResult SoundBuffer::Lock(uint32_t offset, uint32_t bytes, BufferRegion& region) {
  region = BufferRegion{};
  if (mLocked || offset >= mBytes || bytes == 0 || bytes > mBytes) return AudioResult::InvalidParam;
  std::lock_guard lock(mMixer->Mutex());
  if (mVoice->lost) return AudioResult::BufferLost;
  const uint32_t firstBytes = std::min(bytes, mBytes - offset);
  mStaging.resize(bytes);
  std::memcpy(mStaging.data(), mVoice->Bytes() + offset, firstBytes);
  std::memcpy(mStaging.data() + firstBytes, mVoice->Bytes(), bytes - firstBytes);
  region.first = mStaging.data();
  region.firstBytes = firstBytes;
  if (bytes > firstBytes) {
    region.second = mStaging.data() + firstBytes;
    region.secondBytes = bytes - firstBytes;
  }
  mLocked = true;
  mLockOffset = offset;
  mLockBytes = bytes;
  return AudioResult::Ok;
}

// Only what the lock handed out goes back; a buffer lost meanwhile keeps its
// zeroes.
AudioResult SoundBuffer::Unlock(const BufferRegion& region) {
  if (!mLocked || region.first != mStaging.data()) return AudioResult::InvalidParam;
  mLocked = false;
  const uint32_t firstBytes = std::min(mLockBytes, mBytes - mLockOffset);
  const uint32_t written = std::min(region.firstBytes, firstBytes);
  const uint32_t wrapped = std::min(region.secondBytes, mLockBytes - firstBytes);
  std::lock_guard lock(mMixer->Mutex());
  if (mVoice->lost) return AudioResult::BufferLost;
  std::memcpy(mVoice->Bytes() + mLockOffset, mStaging.data(), written);
  std::memcpy(mVoice->Bytes(), mStaging.data() + firstBytes, wrapped);
  return AudioResult::Ok;
}

AudioResult SoundBuffer::Play(bool looping) {
  std::lock_guard lock(mMixer->Mutex());
  if (mVoice->lost) return AudioResult::BufferLost;
  mVoice->playing = true;
  mVoice->looping = looping;
  return AudioResult::Ok;
}

AudioResult SoundBuffer::Stop() {
  std::lock_guard lock(mMixer->Mutex());
  mVoice->playing = false;
  return AudioResult::Ok;
}

AudioResult SoundBuffer::SetVolume(int32_t volume) {
  if (volume < kVolumeSilent || volume > kVolumeFull) return AudioResult::InvalidParam;
  std::lock_guard lock(mMixer->Mutex());
  if (mVoice->lost) return AudioResult::BufferLost;
  mVoice->volume = volume;
  Mixer::Tune(*mVoice);
  return AudioResult::Ok;
}

int32_t SoundBuffer::GetVolume() {
  std::lock_guard lock(mMixer->Mutex());
  return mVoice->volume;
}

uint32_t SoundBuffer::GetStatus() {
  std::lock_guard lock(mMixer->Mutex());
  uint32_t status = 0;
  if (mVoice->playing) status |= kBufferPlaying;
  if (mVoice->playing && mVoice->looping) status |= kBufferLooping;
  if (mVoice->lost) status |= kBufferLost;
  return status;
}

AudioResult SoundBuffer::Restore() {
  std::lock_guard lock(mMixer->Mutex());
  if (!mVoice->lost) return AudioResult::Ok;
  std::fill(mVoice->samples.begin(), mVoice->samples.end(), int16_t{0});
  mVoice->lost = false;
  return AudioResult::Ok;
}

}  // namespace sys
