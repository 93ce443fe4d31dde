#pragma once

#include <cstdint>

#include "platform/text/TString.h"

// Open modes of files; any other value opens for reading text. Text modes
// drop every carriage return when reading, from disk and from packs alike,
// so files with CR LF line ends read the same wherever they are stored.
enum TFileMode : int {
  kFileReadBinary = 0,
  kFileReadText = 1,
  kFileWriteBinary = 2,
  kFileWriteText = 3,
  kFileAppendBinary = 4,
  kFileAppendText = 5,
};

// Where a seek counts from.
enum TSeekOrigin : int {
  kSeekCurrent = 0,
  kSeekStart = 1,
  kSeekEnd = 2,
};

// The data behind an open TFile: a disk file or an entry of a mapped pack.
class TFileData {
 public:
  virtual ~TFileData() = default;
  // Opens a real location (see ResolvePath) in one of the modes above.
  virtual bool Open(const TString& location, int mode) = 0;
  virtual void Close() = 0;
  // Steps back over the byte read last, so that the next read gives it again.
  virtual void UngetChar() = 0;
  virtual void Seek(int32_t offset, int origin) = 0;
  virtual int32_t GetSize() = 0;
  virtual int32_t Tell() = 0;
  virtual int32_t Read(void* buffer, int32_t count) = 0;
  virtual int32_t Write(const void* buffer, int32_t count) = 0;
  virtual bool Eof() = 0;
  // Waits until what was written is on the disk; false when some write
  // failed. Data that cannot be written has nothing to flush.
  virtual bool Flush() { return true; }
};

constexpr bool IsTextMode(int mode) {
  return mode == kFileReadText || mode == kFileWriteText || mode == kFileAppendText;
}
