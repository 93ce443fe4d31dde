#include "platform/xml/TGetChar.h"

namespace {

constexpr size_t kFileBufferSize = 64 * 1024;

}  // namespace

TGetCharFile::TGetCharFile(const TString& name) : mName(name), mBuffer(kFileBufferSize) {
  mFile.Open(name, kFileReadText);
}

bool TGetCharFile::ReopenBinary() {
  mPosition = mFilled = 0;
  return mFile.Open(mName, kFileReadBinary);
}

bool TGetCharFile::Refill() {
  int32_t got = mFile.Read(mBuffer.data(), static_cast<int32_t>(mBuffer.size()));
  mPosition = 0;
  mFilled = got > 0 ? static_cast<size_t>(got) : 0;
  return mFilled > 0;
}

int TGetCharFile::GetChar() {
  if (mPosition == mFilled && !Refill()) return -1;
  return mBuffer[mPosition++];
}

int TGetCharFile::UngetChar(int c) {
  if (mPosition == 0) return -1;
  --mPosition;
  return c;
}

void TGetCharFile::Rewind() {
  mFile.Seek(0, kSeekStart);
  mPosition = mFilled = 0;
}

int TGetCharString::UngetChar(int c) {
  if (mPosition == 0) return -1;
  --mPosition;
  return c;
}
