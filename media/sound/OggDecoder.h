#pragma once

#include <vorbis/vorbisfile.h>

#include <cstdint>
#include <memory>
#include <string>

#include "platform/file/TFile.h"

// One Ogg Vorbis stream decoded by libvorbisfile into 16-bit signed
// little-endian PCM, from bytes held in memory or from an open logical file,
// which the decoder owns. Reads take any number of bytes: the library hands
// out whole frames only, so the rest of a frame cut by a read is kept for the
// next one. Decoding errors end the stream with one log line; holes in the
// data are skipped a few times in a row before they count as an error, so a
// damaged file can never keep a reader decoding for ever.
class OggDecoder {
 public:
  // Null, with the log line "OGG file could not be opened", when the bytes
  // are not an Ogg Vorbis stream.
  static std::unique_ptr<OggDecoder> FromMemory(std::string bytes);
  static std::unique_ptr<OggDecoder> FromFile(std::unique_ptr<TFile> file);
  ~OggDecoder();
  OggDecoder(const OggDecoder&) = delete;
  OggDecoder& operator=(const OggDecoder&) = delete;

  int32_t Channels() const { return mChannels; }
  int32_t Rate() const { return mRate; }
  // Seconds, as the stream's last page says; never negative.
  double Length() const { return mLength; }

  // Decodes up to `bytes` into `buffer`; fewer only at the stream's end or
  // after an error.
  int32_t Read(uint8_t* buffer, int32_t bytes);
  // Positions in frames (samples per channel); a seek drops the rest of a
  // frame kept from the last read.
  bool SeekPcm(int64_t frame);
  bool SeekTime(double seconds);
  // Positions in bytes of the PCM, which may fall inside a frame.
  bool SeekByte(int64_t byte);
  int64_t TellByte();

  // Consecutive holes skipped before the stream counts as damaged.
  static constexpr int kMaxHoles = 16;

  // Bytes in memory as the library reads them.
  struct MemorySource {
    std::string bytes;
    int64_t position = 0;
  };

 private:
  OggDecoder() = default;
  bool Open(void* source, ov_callbacks callbacks);
  int32_t FrameBytes() const;
  // Decodes whole frames into `buffer` up to `bytes`, which holds whole frames.
  int32_t ReadFrames(uint8_t* buffer, int32_t bytes);
  // The first `bytes` of the next frame, less than a frame; its rest is kept.
  int32_t ReadPartOfFrame(uint8_t* buffer, int32_t bytes);
  int32_t TakeKept(uint8_t* buffer, int32_t bytes);

  OggVorbis_File mFile{};
  bool mOpen = false;
  std::unique_ptr<MemorySource> mMemory;
  std::unique_ptr<TFile> mDisk;
  int32_t mChannels = 0;
  int32_t mRate = 0;
  double mLength = 0;
  bool mFailed = false;
  // The rest of the frame that the last read cut, handed out first.
  std::string mKept;
};
