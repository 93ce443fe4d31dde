#pragma once

#include <cstdint>
#include <memory>

#include "platform/TFileData.h"

// An open logical file: a disk file or a pack entry, read the same way.
// Without data (closed, or never opened) reads and writes give 0, Tell -1,
// GetSize 0 and Eof true.
class TFile {
 public:
  TFile();
  ~TFile();
  TFile(const TFile&) = delete;
  TFile& operator=(const TFile&) = delete;

  // Opens a logical name (see FileIndex.h) in a TFileMode; false when the
  // name does not resolve or the file cannot be opened.
  bool Open(const TString& name, int mode = kFileReadText);
  void Close();
  bool IsOpen() const { return mData != nullptr; }

  int32_t Read(void* buffer, int32_t count);
  int32_t Write(const void* buffer, int32_t count);
  void Seek(int32_t offset, int origin);
  int32_t Tell();
  int32_t GetSize();
  bool Eof();
  void UngetChar();

 private:
  std::unique_ptr<TFileData> mData;
};

// The program reads and writes its data files only through these. Every one
// accepts a null file and then acts as on a closed one.
TFile* FileOpen(const TString& name, int mode = kFileReadText);  // new, or null
void FileClose(TFile* file);                                     // closes and deletes
int32_t FileRead(TFile* file, void* buffer, int32_t count);
int32_t FileWrite(TFile* file, const void* buffer, int32_t count);
void FileSeek(TFile* file, int32_t offset, int origin);
int32_t FileTell(TFile* file);
bool FileEof(TFile* file);
// The next byte as 0..255, or -1 at the end or when the read fails.
int FileGetChar(TFile* file);
void FileUngetChar(TFile* file);
// True when the handle holds no open file.
bool FileError(TFile* file);
