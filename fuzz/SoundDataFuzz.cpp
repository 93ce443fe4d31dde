// Feeds arbitrary bytes to the sound decoder as a sound file opened in
// memory. Whatever it accepts is read as a looping instance would read it:
// a bounded amount of PCM in reads that cut frames, a seek back to the start,
// a seek into a frame and more reading, all without a fault, a hang or
// unbounded memory.

#include <cstdint>
#include <string>
#include <vector>

#include "media/sound/OggDecoder.h"

namespace {

// Not whole frames: the rest of a cut frame waits for the next read.
constexpr int32_t kReadBytes = (1 << 16) + 3;
constexpr int kReads = 8;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::unique_ptr<OggDecoder> decoder =
      OggDecoder::FromMemory(std::string(reinterpret_cast<const char*>(data), size));
  if (!decoder) return 0;
  std::vector<uint8_t> pcm(kReadBytes);
  for (int read = 0; read < kReads; ++read) {
    if (decoder->Read(pcm.data(), kReadBytes) < kReadBytes) decoder->SeekPcm(0);
  }
  decoder->SeekTime(decoder->Length() / 2);
  decoder->Read(pcm.data(), kReadBytes);
  decoder->SeekByte(decoder->TellByte() - 1);
  decoder->Read(pcm.data(), kReadBytes);
  return 0;
}
