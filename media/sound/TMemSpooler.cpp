#include "media/sound/TMemSpooler.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "media/sound/TSoundData.h"

bool TMemSpooler::Read(int32_t bytes, uint8_t* buffer, int32_t& got, bool loop) {
  bytes = std::max(bytes, 0);
  std::memset(buffer, 0, size_t(bytes));
  got = 0;
  bool heardSinceStart = true;
  while (got < bytes) {
    bool ended = false;
    const int32_t read = ReadOnce(buffer + got, bytes - got, ended);
    got += read;
    if (read > 0) heardSinceStart = true;
    if (!ended) continue;
    if (!loop) return false;
    if (!heardSinceStart) {
      got = bytes;
      return true;
    }
    StartOver();
    heardSinceStart = false;
  }
  return true;
}

int32_t TMemSpooler::ReadOnce(uint8_t* buffer, int32_t bytes, bool& ended) {
  OggDecoder* decoder = mData.Decoder();
  if (!decoder) {
    const int64_t left = std::max<int64_t>(mData.PcmBytes() - mPosition, 0);
    const int32_t read = int32_t(std::min<int64_t>(bytes, left));
    std::memcpy(buffer, mData.Pcm() + mPosition, size_t(read));
    mPosition += read;
    ended = mPosition >= mData.PcmBytes();
    return read;
  }
  if (decoder->TellByte() != mPosition) decoder->SeekByte(mPosition);
  const int32_t read = decoder->Read(buffer, bytes);
  mPosition = decoder->TellByte();
  ended = read < bytes;
  return read;
}

void TMemSpooler::StartOver() {
  if (OggDecoder* decoder = mData.Decoder()) decoder->SeekPcm(0);
  mPosition = 0;
}

void TMemSpooler::SeekTime(float seconds) {
  if (OggDecoder* decoder = mData.Decoder()) {
    decoder->SeekTime(seconds);
    mPosition = decoder->TellByte();
    return;
  }
  const int64_t frameBytes = int64_t{2} * mData.Channels();
  const double byte = std::trunc(2.0 * mData.Rate() * double(seconds) * mData.Channels());
  const int64_t position = int64_t(std::clamp(byte, 0.0, double(mData.PcmBytes())));
  mPosition = frameBytes > 0 ? position / frameBytes * frameBytes : 0;
}

void TMemSpooler::Rewind() {
  if (mData.Decoder()) StartOver();
}
