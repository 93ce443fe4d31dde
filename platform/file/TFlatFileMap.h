#pragma once

#include <memory>

#include "platform/file/TFileData.h"
#include "platform/file/TFileMapData.h"

// One entry of a mapped pack, read straight from the view. Read-only: writes
// store nothing. The entry keeps the pack's view alive while it is open.
class TFlatFileMap : public TFileData {
 public:
  // Opens a location "@pack:offset,size" (see PackFiles.h).
  bool Open(const TString& location, int mode) override;
  void Close() override;
  void UngetChar() override;
  // Positions outside the entry land at its end.
  void Seek(int32_t offset, int origin) override;
  int32_t GetSize() override { return static_cast<int32_t>(mSize); }
  int32_t Tell() override { return static_cast<int32_t>(mPosition); }
  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* buffer, int32_t count) override;
  bool Eof() override { return mPosition == mSize; }

 private:
  std::shared_ptr<TFileMapData> mView;
  const unsigned char* mData = nullptr;
  uint32_t mSize = 0;
  uint32_t mPosition = 0;
  int mMode = kFileReadText;
};
