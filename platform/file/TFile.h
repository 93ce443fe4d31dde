#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/file/TFileData.h"

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
  // Waits until the bytes written are on the disk; false when a write failed.
  bool Flush();

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

// Reads a whole file into bytes; false when it cannot be opened.
bool FileReadAll(const TString& name, std::string* bytes, int mode = kFileReadBinary);
// Gives a file on disk a new name, replacing any file of that name. Both
// names must resolve to disk paths, which "user:" and "common:" names always
// do. False, with a log line, when the file cannot be renamed.
bool FileRename(const TString& from, const TString& to);
// Makes bytes the whole new content of a file without ever leaving it half
// written: they go to a file named name + ".tmp" beside it, reach the disk,
// and that file is renamed over the old one. When any step fails the old
// file stays as it was, the temporary file is removed and a line is logged.
bool FileReplace(const TString& name, const void* bytes, int32_t count,
                 int mode = kFileWriteBinary);
