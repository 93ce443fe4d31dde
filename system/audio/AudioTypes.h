#pragma once

#include <cstdint>

namespace sys {

// What an audio call answers. Every failure leaves the device and the buffer
// as they were.
enum class AudioResult : uint8_t {
  Ok,
  InvalidParam,  // a format, size, position or volume out of range, or a call out of turn
  OutOfMemory,   // the buffer's memory could not be had
  BufferLost,    // the buffer lost its memory; Restore brings it back, zeroed
  NoDevice,      // the device is not open or cannot be opened
  Refused,       // the device declined (tests force it)
};

// Uncompressed PCM as the device takes it. Samples are signed 16-bit,
// little-endian, the channels of one frame side by side.
struct WaveFormat {
  int32_t channels = 2;
  int32_t rate = 44100;  // frames per second
  int32_t bits = 16;

  int32_t BlockAlign() const { return bits / 8 * channels; }
  int32_t BytesPerSecond() const { return BlockAlign() * rate; }
};

// What the device plays out: the mixer's output format.
struct AudioCaps {
  int32_t rate = 0;
  int32_t channels = 0;
  int32_t bits = 0;
};

// How the program shares the device with others; every level is accepted and
// changes nothing, since the mixer is the program's own.
enum class CooperativeLevel : uint8_t { Normal, Priority, Exclusive };

// Bits of a buffer's status.
enum BufferStatus : uint32_t {
  kBufferPlaying = 0x1,
  kBufferLost = 0x2,
  kBufferLooping = 0x4,
};

// The volume scale, in hundredths of a decibel.
constexpr int32_t kVolumeSilent = -10000;
constexpr int32_t kVolumeFull = 0;

// The region of a buffer handed out by a lock: two parts when it wraps past
// the buffer's end (the second one then starts at the buffer's start),
// otherwise the second is empty.
struct BufferRegion {
  uint8_t* first = nullptr;
  uint32_t firstBytes = 0;
  uint8_t* second = nullptr;
  uint32_t secondBytes = 0;
};

}  // namespace sys
