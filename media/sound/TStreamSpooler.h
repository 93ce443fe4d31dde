#pragma once

#include <cstdint>

// A source of 16-bit PCM that a sound stream plays. The stream reads it on
// the sound thread, under the sound manager's lock.
class TStreamSpooler {
 public:
  virtual ~TStreamSpooler() = default;
  // Fills `buffer` with up to `bytes`, zeroing what it cannot fill, and sets
  // `got` to the bytes read. With `loop` the source starts over at its end
  // and never ends; without, false means it has ended.
  virtual bool Read(int32_t bytes, uint8_t* buffer, int32_t& got, bool loop) = 0;
  virtual void SeekTime(float seconds) = 0;
  // Goes back to the start where the source has a position of its own to reset.
  virtual void Rewind() {}
};
