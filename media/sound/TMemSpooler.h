#pragma once

#include <cstdint>

#include "media/sound/TStreamSpooler.h"

class TSoundData;

// The source of one playing instance of a sound: its decoded PCM or its
// decoder, from a byte position that reads of any size may leave inside a
// frame. Instances of one streamed sound share its decoder, each seeking to
// its own position; they all read on the sound thread under the sound
// manager's lock. The stream that reads it holds the sound alive.
class TMemSpooler final : public TStreamSpooler {
 public:
  explicit TMemSpooler(TSoundData& data) : mData(data) {}

  // A looping source starts over at its end; one with no samples at all
  // gives silence.
  bool Read(int32_t bytes, uint8_t* buffer, int32_t& got, bool loop) override;
  // Decoded sounds land on a whole frame.
  void SeekTime(float seconds) override;
  void Rewind() override;

 private:
  // Reads what it can up to the end; `ended` when the end was reached.
  int32_t ReadOnce(uint8_t* buffer, int32_t bytes, bool& ended);
  void StartOver();

  TSoundData& mData;
  int64_t mPosition = 0;
};
