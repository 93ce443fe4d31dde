#pragma once

#include <cstdio>
#include <string>

#include "platform/file/TFileData.h"

// A file on disk, read and written through a C stdio stream.
class TDiskFileData : public TFileData {
 public:
  ~TDiskFileData() override;
  bool Open(const TString& location, int mode) override;
  void Close() override;
  void UngetChar() override;
  void Seek(int32_t offset, int origin) override;
  int32_t GetSize() override;
  int32_t Tell() override;
  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* buffer, int32_t count) override;
  bool Eof() override;
  bool Flush() override;

 private:
  FILE* mStream = nullptr;
  std::string mPath;
  bool mText = false;
  int mLastByte = -1;  // -1 at the start, after a seek and after an unget
};
