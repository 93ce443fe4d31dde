#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "system/audio/AudioTypes.h"
#include "system/audio/Mixer.h"

namespace sys {

// A secondary sound buffer: 16-bit PCM of one or two channels at any rate,
// mixed into the output while it plays. The play cursor is the next byte to
// mix; the write cursor lies past what the next mix reads, and bytes from it
// on up to the play cursor may be written. Made by an AudioDevice; it leaves
// the mix when destroyed. Its operations may be called from any one thread
// at a time; the mixer runs beside them.
class SoundBuffer {
 public:
  static constexpr uint32_t kMinBytes = 4;
  static constexpr uint32_t kMaxBytes = 0x0FFFFFFF;
  static constexpr int32_t kMinRate = 1;
  static constexpr int32_t kMaxRate = 200000;

  SoundBuffer(std::shared_ptr<Mixer> mixer, std::shared_ptr<MixVoice> voice);
  ~SoundBuffer();
  SoundBuffer(const SoundBuffer&) = delete;
  SoundBuffer& operator=(const SoundBuffer&) = delete;

  uint32_t Size() const { return mBytes; }
  const WaveFormat& Format() const { return mFormat; }

  // Positions at which a notice is wished; kept only, since the streams
  // watch the cursors themselves.
  AudioResult SetNotificationPositions(std::span<const uint32_t> positions);
  const std::vector<uint32_t>& NotificationPositions() const { return mNotifications; }

  // Equal while the buffer is stopped.
  AudioResult GetCursors(uint32_t& play, uint32_t& write);
  // Hands out `bytes` from `offset` on, wrapping past the end; they hold the
  // buffer's bytes and reach it at Unlock. One lock at a time; refused while
  // the buffer is lost.
  AudioResult Lock(uint32_t offset, uint32_t bytes, BufferRegion& region);
  AudioResult Unlock(const BufferRegion& region);

  // Plays on from the play cursor. Played once, the buffer stops at its end
  // with its position back at the start.
  AudioResult Play(bool looping);
  // Keeps the position.
  AudioResult Stop();
  // Hundredths of a decibel, kVolumeSilent (silent) to kVolumeFull.
  AudioResult SetVolume(int32_t volume);
  int32_t GetVolume();
  // BufferStatus bits.
  uint32_t GetStatus();
  // Brings a lost buffer back with its bytes zeroed; nothing for another.
  AudioResult Restore();

 private:
  std::shared_ptr<Mixer> mMixer;
  std::shared_ptr<MixVoice> mVoice;
  const WaveFormat mFormat;
  const uint32_t mBytes;
  std::vector<uint32_t> mNotifications;
  // The bytes handed out by Lock, written back by Unlock.
  std::vector<uint8_t> mStaging;
  bool mLocked = false;
  uint32_t mLockOffset = 0;
  uint32_t mLockBytes = 0;
};

}  // namespace sys
