#include "platform/file/TDiskFileData.h"

#include <algorithm>

#include "system/os/DiskFiles.h"

namespace {

const char* StdioMode(int mode) {
  switch (mode) {
    case kFileReadBinary:
    case kFileReadText: return "rb";
    case kFileWriteBinary:
    case kFileWriteText: return "wb";
    case kFileAppendBinary:
    case kFileAppendText: return "ab";
    default: return "rb";
  }
}

int StdioOrigin(int origin) {
  switch (origin) {
    case kSeekStart: return SEEK_SET;
    case kSeekEnd: return SEEK_END;
    default: return SEEK_CUR;
  }
}

// Removes every carriage return from bytes; returns the count left.
int32_t DropCarriageReturns(char* bytes, int32_t count) {
  return static_cast<int32_t>(std::remove(bytes, bytes + count, '\r') - bytes);
}

}  // namespace

TDiskFileData::~TDiskFileData() { Close(); }

bool TDiskFileData::Open(const TString& location, int mode) {
  Close();
  mStream = sys::OpenFile(location.CStr(), StdioMode(mode));
  mPath = location.CStr();
  mText = IsTextMode(mode);
  return mStream != nullptr;
}

void TDiskFileData::Close() {
  if (mStream) std::fclose(mStream);
  mStream = nullptr;
  mLastByte = -1;
}

void TDiskFileData::UngetChar() {
  if (!mStream || mLastByte < 0) return;
  std::ungetc(mLastByte, mStream);
  mLastByte = -1;
}

void TDiskFileData::Seek(int32_t offset, int origin) {
  if (!mStream) return;
  std::fseek(mStream, offset, StdioOrigin(origin));
  mLastByte = -1;
}

int32_t TDiskFileData::GetSize() {
  if (!mStream) return 0;
  long position = std::ftell(mStream);
  std::fseek(mStream, 0, SEEK_END);
  long size = std::ftell(mStream);
  std::fseek(mStream, position, SEEK_SET);
  return static_cast<int32_t>(size);
}

int32_t TDiskFileData::Tell() { return mStream ? static_cast<int32_t>(std::ftell(mStream)) : -1; }

int32_t TDiskFileData::Read(void* buffer, int32_t count) {
  if (!mStream || count <= 0) return 0;
  char* bytes = static_cast<char*>(buffer);
  int32_t stored = 0;
  while (stored < count) {
    auto got = static_cast<int32_t>(std::fread(bytes + stored, 1, count - stored, mStream));
    if (got == 0) break;
    stored += mText ? DropCarriageReturns(bytes + stored, got) : got;
  }
  if (stored > 0) mLastByte = static_cast<unsigned char>(bytes[stored - 1]);
  return stored;
}

int32_t TDiskFileData::Write(const void* buffer, int32_t count) {
  if (!mStream || count <= 0) return 0;
  return static_cast<int32_t>(std::fwrite(buffer, 1, count, mStream));
}

bool TDiskFileData::Eof() { return !mStream || std::feof(mStream); }

bool TDiskFileData::Flush() { return mStream && sys::FlushToDisk(mStream, mPath); }
