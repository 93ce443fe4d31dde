#pragma once

#include <cstddef>
#include <vector>

#include "platform/file/TFile.h"

// A source of bytes for the XML reader.
class TGetChar {
 public:
  virtual ~TGetChar() = default;
  // Steps back over the byte read last; gives it, or -1 when there is none.
  virtual int UngetChar(int c) = 0;
  // The next byte as 0..255, or -1 at the end.
  virtual int GetChar() = 0;
  // Goes back to the first byte.
  virtual void Rewind() = 0;
};

// Reads a logical file through a buffer, in text mode until ReopenBinary.
class TGetCharFile : public TGetChar {
 public:
  explicit TGetCharFile(const TString& name);
  bool IsOpen() const { return mFile.IsOpen(); }
  // Closes the file and opens the same name for reading bytes.
  bool ReopenBinary();
  TFile& File() { return mFile; }

  int UngetChar(int c) override;
  int GetChar() override;
  void Rewind() override;

 private:
  bool Refill();

  TString mName;
  TFile mFile;
  std::vector<unsigned char> mBuffer;
  size_t mPosition = 0;
  size_t mFilled = 0;
};

// Reads bytes from memory; zero bytes are bytes like any other.
class TGetCharString : public TGetChar {
 public:
  TGetCharString(const void* data, size_t length)
      : mData(static_cast<const unsigned char*>(data)), mLength(length) {}

  int UngetChar(int c) override;
  int GetChar() override { return mPosition < mLength ? mData[mPosition++] : -1; }
  void Rewind() override { mPosition = 0; }

 private:
  const unsigned char* mData;
  size_t mPosition = 0;
  size_t mLength;
};
