#include "platform/file/TFlatFileMap.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/text/Log.h"
#include "platform/file/PackFiles.h"

bool TFlatFileMap::Open(const TString& location, int mode) {
  Close();
  long long number = std::strtoll(location.CStr() + 1, nullptr, 10);
  std::shared_ptr<TFileMapData> view =
      number <= INT32_MAX ? GetPackView(static_cast<int>(number)) : nullptr;
  if (!view) return false;
  if (!view->Data()) {
    LogPrintf("error reading %s from flat file", location.CStr());
    return false;
  }
  int colon = location.FindChar(':');
  int comma = location.FindChar(',');
  if (colon < 0 || comma < 0) return false;
  long long offset = std::strtoll(location.CStr() + colon + 1, nullptr, 10);
  long long size = std::strtoll(location.CStr() + comma + 1, nullptr, 10);
  if (offset < 0 || size < 0 || offset + size > static_cast<long long>(view->Size())) {
    LogPrintf("Pack entry %s lies outside its pack", location.CStr());
    return false;
  }
  mView = std::move(view);
  mData = mView->Data() + offset;
  mSize = static_cast<uint32_t>(size);
  mPosition = 0;
  mMode = mode;
  return true;
}

void TFlatFileMap::Close() {
  mView.reset();
  mData = nullptr;
  mSize = 0;
  mPosition = 0;
}

void TFlatFileMap::UngetChar() { Seek(-1, kSeekCurrent); }

void TFlatFileMap::Seek(int32_t offset, int origin) {
  int64_t position = mPosition;
  if (origin == kSeekCurrent) position += offset;
  if (origin == kSeekStart) position = offset;
  if (origin == kSeekEnd) position = static_cast<int64_t>(mSize) + offset;
  mPosition = position < 0 || position > mSize ? mSize : static_cast<uint32_t>(position);
}

int32_t TFlatFileMap::Read(void* buffer, int32_t count) {
  if (!mData || count <= 0) return 0;
  uint32_t wanted = std::min(static_cast<uint32_t>(count), mSize - mPosition);
  auto* bytes = static_cast<unsigned char*>(buffer);
  if (mMode != kFileReadText) {
    std::memcpy(bytes, mData + mPosition, wanted);
    mPosition += wanted;
    return static_cast<int32_t>(wanted);
  }
  uint32_t stored = 0;
  while (mPosition < mSize && stored < wanted) {
    unsigned char byte = mData[mPosition++];
    if (byte != '\r') bytes[stored++] = byte;
  }
  return static_cast<int32_t>(stored);
}

int32_t TFlatFileMap::Write(const void*, int32_t) { return 0; }
