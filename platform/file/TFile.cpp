#include "platform/file/TFile.h"

#include <algorithm>

#include "platform/file/FileIndex.h"
#include "platform/text/Log.h"
#include "platform/file/TDiskFileData.h"
#include "platform/file/TFlatFileMap.h"
#include "system/os/DiskFiles.h"

namespace {

int KnownMode(int mode) {
  return mode >= kFileReadBinary && mode <= kFileAppendText ? mode : kFileReadText;
}

}  // namespace

TFile::TFile() = default;

TFile::~TFile() = default;

bool TFile::Open(const TString& name, int mode) {
  Close();
  TString location = ResolvePath(name);
  if (location.IsEmpty()) return false;
  std::unique_ptr<TFileData> data;
  if (location.CharAt(0) == '@') {
    data = std::make_unique<TFlatFileMap>();
  } else {
    data = std::make_unique<TDiskFileData>();
  }
  if (!data->Open(location, KnownMode(mode))) return false;
  mData = std::move(data);
  return true;
}

void TFile::Close() {
  if (mData) mData->Close();
  mData.reset();
}

int32_t TFile::Read(void* buffer, int32_t count) { return mData ? mData->Read(buffer, count) : 0; }

int32_t TFile::Write(const void* buffer, int32_t count) {
  return mData ? mData->Write(buffer, count) : 0;
}

void TFile::Seek(int32_t offset, int origin) {
  if (mData) mData->Seek(offset, origin);
}

int32_t TFile::Tell() { return mData ? mData->Tell() : -1; }

int32_t TFile::GetSize() { return mData ? mData->GetSize() : 0; }

bool TFile::Eof() { return mData ? mData->Eof() : true; }

void TFile::UngetChar() {
  if (mData) mData->UngetChar();
}

bool TFile::Flush() { return mData && mData->Flush(); }

TFile* FileOpen(const TString& name, int mode) {
  auto file = std::make_unique<TFile>();
  return file->Open(name, mode) ? file.release() : nullptr;
}

void FileClose(TFile* file) {
  if (file) file->Close();
  delete file;
}

int32_t FileRead(TFile* file, void* buffer, int32_t count) {
  return file ? file->Read(buffer, count) : 0;
}

int32_t FileWrite(TFile* file, const void* buffer, int32_t count) {
  return file ? file->Write(buffer, count) : 0;
}

void FileSeek(TFile* file, int32_t offset, int origin) {
  if (file) file->Seek(offset, origin);
}

int32_t FileTell(TFile* file) { return file ? file->Tell() : -1; }

bool FileEof(TFile* file) { return file ? file->Eof() : true; }

int FileGetChar(TFile* file) {
  unsigned char byte = 0;
  return FileRead(file, &byte, 1) == 1 ? byte : -1;
}

void FileUngetChar(TFile* file) {
  if (file) file->UngetChar();
}

bool FileError(TFile* file) { return !file || !file->IsOpen(); }

bool FileReadAll(const TString& name, std::string* bytes, int mode) {
  TFile file;
  if (!file.Open(name, mode)) return false;
  bytes->assign(static_cast<size_t>(std::max(file.GetSize(), 0)), '\0');
  int32_t got = file.Read(bytes->data(), static_cast<int32_t>(bytes->size()));
  bytes->resize(static_cast<size_t>(std::max(got, 0)));
  return true;
}

bool FileRename(const TString& from, const TString& to) {
  TString fromPath = GetFullPath(from);
  TString toPath = GetFullPath(to);
  if (fromPath.IsEmpty() || toPath.IsEmpty()) {
    LogPrintf("Cannot rename %s to %s: not a file on disk", from.CStr(), to.CStr());
    return false;
  }
  return sys::RenameFile(fromPath.CStr(), toPath.CStr());
}

bool FileReplace(const TString& name, const void* bytes, int32_t count, int mode) {
  TString temporary = name + ".tmp";
  TFile file;
  if (!file.Open(temporary, mode)) {
    LogPrintf("Cannot save %s: %s cannot be opened for writing", name.CStr(), temporary.CStr());
    return false;
  }
  bool written = file.Write(bytes, count) == std::max(count, 0) && file.Flush();
  file.Close();
  if (written && FileRename(temporary, name)) return true;
  LogPrintf("Cannot save %s; the file is left as it was", name.CStr());
  sys::DeleteFile(GetFullPath(temporary).CStr());
  return false;
}
