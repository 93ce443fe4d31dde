#include "media/sound/OggDecoder.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>

#include "platform/text/Log.h"

namespace {

// libvorbisfile reads through these, with the C library's seek origins.
// There is no close: the decoder owns its source and frees it once, after
// the library is done with it.

size_t ReadMemory(void* into, size_t size, size_t count, void* source) {
  auto& memory = *static_cast<OggDecoder::MemorySource*>(source);
  const size_t left = memory.bytes.size() - size_t(memory.position);
  const size_t bytes = std::min(size * count, left);
  std::memcpy(into, memory.bytes.data() + memory.position, bytes);
  memory.position += int64_t(bytes);
  return bytes;
}

int SeekMemory(void* source, ogg_int64_t offset, int origin) {
  auto& memory = *static_cast<OggDecoder::MemorySource*>(source);
  const int64_t size = int64_t(memory.bytes.size());
  int64_t base = 0;
  switch (origin) {
    case SEEK_SET: base = 0; break;
    case SEEK_CUR: base = memory.position; break;
    case SEEK_END: base = size; break;
    default: return -1;
  }
  if (offset > size || offset < -size) offset = offset < 0 ? -size : size;
  memory.position = std::clamp<int64_t>(base + offset, 0, size);
  return 0;
}

long TellMemory(void* source) { return long(static_cast<OggDecoder::MemorySource*>(source)->position); }

// Whole elements only: a partial one at the end is read again next time.
size_t ReadFile(void* into, size_t size, size_t count, void* source) {
  auto* file = static_cast<TFile*>(source);
  if (size == 0) return 0;
  const size_t wanted = std::min<size_t>(size * count, size_t(std::numeric_limits<int32_t>::max()) / size * size);
  const int32_t got = std::max(file->Read(into, int32_t(wanted)), 0);
  const int32_t partial = int32_t(size_t(got) % size);
  if (partial > 0) file->Seek(-partial, kSeekCurrent);
  return size_t(got) / size;
}

int SeekFile(void* source, ogg_int64_t offset, int origin) {
  auto* file = static_cast<TFile*>(source);
  if (offset > std::numeric_limits<int32_t>::max() || offset < std::numeric_limits<int32_t>::min()) return -1;
  switch (origin) {
    case SEEK_SET: file->Seek(int32_t(offset), kSeekStart); return 0;
    case SEEK_CUR: file->Seek(int32_t(offset), kSeekCurrent); return 0;
    case SEEK_END: file->Seek(int32_t(offset), kSeekEnd); return 0;
    default: return -1;
  }
}

long TellFile(void* source) { return long(static_cast<TFile*>(source)->Tell()); }

}  // namespace

std::unique_ptr<OggDecoder> OggDecoder::FromMemory(std::string bytes) {
  std::unique_ptr<OggDecoder> decoder(new OggDecoder);
  decoder->mMemory = std::make_unique<MemorySource>(MemorySource{std::move(bytes)});
  if (!decoder->Open(decoder->mMemory.get(), ov_callbacks{ReadMemory, SeekMemory, nullptr, TellMemory}))
    return nullptr;
  return decoder;
}

std::unique_ptr<OggDecoder> OggDecoder::FromFile(std::unique_ptr<TFile> file) {
  std::unique_ptr<OggDecoder> decoder(new OggDecoder);
  decoder->mDisk = std::move(file);
  if (!decoder->Open(decoder->mDisk.get(), ov_callbacks{ReadFile, SeekFile, nullptr, TellFile})) return nullptr;
  return decoder;
}

bool OggDecoder::Open(void* source, ov_callbacks callbacks) {
  if (ov_open_callbacks(source, &mFile, nullptr, 0, callbacks) < 0) {
    LogPrintf("OGG file could not be opened");
    return false;
  }
  mOpen = true;
  if (const vorbis_info* info = ov_info(&mFile, -1)) {
    mChannels = info->channels;
    mRate = int32_t(std::clamp<long>(info->rate, 0, std::numeric_limits<int32_t>::max()));
  }
  mLength = std::max(ov_time_total(&mFile, -1), 0.0);
  return true;
}

OggDecoder::~OggDecoder() {
  if (mOpen) ov_clear(&mFile);
}

int32_t OggDecoder::FrameBytes() const { return 2 * std::max(mChannels, 1); }

// Asked for less than a frame, the library fails for good; so the bytes it
// is asked for are whole frames, and a frame cut at the end is split.
int32_t OggDecoder::Read(uint8_t* buffer, int32_t bytes) {
  int32_t done = TakeKept(buffer, bytes);
  const int32_t frames = (bytes - done) / FrameBytes() * FrameBytes();
  const int32_t decoded = ReadFrames(buffer + done, frames);
  done += decoded;
  if (decoded == frames && done < bytes) done += ReadPartOfFrame(buffer + done, bytes - done);
  return done;
}

int32_t OggDecoder::TakeKept(uint8_t* buffer, int32_t bytes) {
  const int32_t taken = std::min(int32_t(mKept.size()), bytes);
  std::memcpy(buffer, mKept.data(), size_t(taken));
  mKept.erase(0, size_t(taken));
  return taken;
}

int32_t OggDecoder::ReadFrames(uint8_t* buffer, int32_t bytes) {
  int32_t done = 0;
  int holes = 0;
  int section = 0;
  while (done < bytes && !mFailed) {
    const long got = ov_read(&mFile, reinterpret_cast<char*>(buffer + done), bytes - done, 0, 2, 1, &section);
    if (got > 0) {
      done += int32_t(got);
      holes = 0;
    } else if (got == 0) {
      break;
    } else if (got != OV_HOLE || ++holes > kMaxHoles) {
      LogPrintf("OGG decoding failed (%ld): the sound ends here", got);
      mFailed = true;
    }
  }
  return done;
}

int32_t OggDecoder::ReadPartOfFrame(uint8_t* buffer, int32_t bytes) {
  std::string frame(size_t(FrameBytes()), '\0');
  const int32_t got = ReadFrames(reinterpret_cast<uint8_t*>(frame.data()), FrameBytes());
  const int32_t taken = std::min(got, bytes);
  std::memcpy(buffer, frame.data(), size_t(taken));
  mKept = frame.substr(size_t(taken), size_t(got - taken));
  return taken;
}

bool OggDecoder::SeekPcm(int64_t frame) {
  mKept.clear();
  const bool sought = ov_pcm_seek(&mFile, frame) == 0;
  if (sought) mFailed = false;
  return sought;
}

bool OggDecoder::SeekTime(double seconds) {
  mKept.clear();
  const bool sought = ov_time_seek(&mFile, seconds) == 0;
  if (sought) mFailed = false;
  return sought;
}

bool OggDecoder::SeekByte(int64_t byte) {
  if (byte < 0 || !SeekPcm(byte / FrameBytes())) return false;
  const int32_t into = int32_t(byte % FrameBytes());
  if (into == 0) return true;
  std::string skipped(size_t(into), '\0');
  return ReadPartOfFrame(reinterpret_cast<uint8_t*>(skipped.data()), into) == into;
}

int64_t OggDecoder::TellByte() { return ov_pcm_tell(&mFile) * FrameBytes() - int64_t(mKept.size()); }
