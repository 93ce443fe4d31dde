#include "platform/text/TString.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kMinimumCapacity = 16;

bool SameByte(char a, char b, bool ignoreCase) {
  if (!ignoreCase) return a == b;
  return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
}

bool MatchesAt(const char* haystack, const char* text, int textLength, bool ignoreCase) {
  for (int i = 0; i < textLength; ++i) {
    if (!SameByte(haystack[i], text[i], ignoreCase)) return false;
  }
  return true;
}

}  // namespace

TStringRep* TString::NewRep(int capacity) {
  auto* rep = new TStringRep;
  rep->mCapacity = capacity;
  rep->mBuffer = new char[capacity];
  rep->mBuffer[0] = 0;
  rep->mRefCount = 1;
  return rep;
}

TString::TString(const char* text) {
  if (!text) {
    mRep = NewRep(kMinimumCapacity);
    return;
  }
  int length = static_cast<int>(std::strlen(text));
  mRep = NewRep(length + 1);
  std::memcpy(mRep->mBuffer, text, length + 1);
}

TString::TString(const char* bytes, int count) {
  count = std::max(count, 0);
  mRep = NewRep(std::max(kMinimumCapacity, count + 1));
  if (count > 0) std::memcpy(mRep->mBuffer, bytes, count);
  mRep->mBuffer[count] = 0;
}

TString::TString(const TString& other) : mRep(other.mRep) {
  if (mRep) ++mRep->mRefCount;
}

TString::TString(TString&& other) noexcept : mRep(other.mRep) { other.mRep = nullptr; }

TString::~TString() { Release(); }

void TString::Release() {
  if (mRep && --mRep->mRefCount == 0) {
    delete[] mRep->mBuffer;
    delete mRep;
  }
  mRep = nullptr;
}

TString& TString::operator=(const TString& other) {
  if (this == &other || mRep == other.mRep) return *this;
  Release();
  mRep = other.mRep;
  if (mRep) ++mRep->mRefCount;
  return *this;
}

TString& TString::operator=(TString&& other) noexcept {
  if (this != &other) {
    Release();
    mRep = other.mRep;
    other.mRep = nullptr;
  }
  return *this;
}

TString& TString::operator=(const char* text) {
  TString copy(text);
  return *this = std::move(copy);
}

void TString::Detach() {
  if (mRep && mRep->mRefCount > 1) {
    TString copy(CStr(), Length());
    *this = std::move(copy);
  }
}

void TString::Reserve(int bytes) {
  if (mRep && mRep->mRefCount == 1 && mRep->mCapacity >= bytes) return;
  int length = Length();
  TStringRep* rep = NewRep(std::max({kMinimumCapacity, bytes, length + 1}));
  std::memcpy(rep->mBuffer, CStr(), length + 1);
  Release();
  mRep = rep;
}

const char* TString::CStr() const { return mRep ? mRep->mBuffer : ""; }

int TString::Length() const { return mRep ? static_cast<int>(std::strlen(mRep->mBuffer)) : 0; }

char TString::CharAt(int index) const {
  if (index < 0 || index >= Length()) return 0;
  return mRep->mBuffer[index];
}

int TString::Compare(const TString& other) const {
  int result = std::strcmp(CStr(), other.CStr());
  return (result > 0) - (result < 0);
}

int TString::ToInt() const { return std::atoi(CStr()); }

float TString::ToFloat() const { return static_cast<float>(std::atof(CStr())); }

TString TString::Mid(int start, int count) const {
  int length = Length();
  start = std::max(start, 0);
  if (start >= length) return TString("");
  int available = length - start;
  if (count < 0 || count > available) count = available;
  return TString(CStr() + start, count);
}

int TString::FindChar(char c, TFindFlags flags, int start) const {
  int length = Length();
  start = std::max(start, 0);
  if (!mRep || start >= length) return -1;
  bool ignoreCase = HasFlag(flags, TFindFlags::IgnoreCase);
  if (HasFlag(flags, TFindFlags::Backwards)) {
    for (int i = length - start - 1; i >= 0; --i) {
      if (SameByte(mRep->mBuffer[i], c, ignoreCase)) return i;
    }
    return -1;
  }
  for (int i = start; i < length; ++i) {
    if (SameByte(mRep->mBuffer[i], c, ignoreCase)) return i;
  }
  return -1;
}

int TString::Find(const TString& text, TFindFlags flags, int start) const {
  start = std::max(start, 0);
  if (!mRep || start >= Length()) return -1;
  bool ignoreCase = HasFlag(flags, TFindFlags::IgnoreCase);
  if (HasFlag(flags, TFindFlags::Backwards)) {
    return FindBackwards(text.CStr(), text.Length(), ignoreCase, start);
  }
  return FindForwards(text.CStr(), text.Length(), ignoreCase, start);
}

int TString::FindForwards(const char* text, int textLength, bool ignoreCase, int start) const {
  int last = Length() - textLength;
  for (int i = start; i <= last; ++i) {
    if (MatchesAt(mRep->mBuffer + i, text, textLength, ignoreCase)) return i;
  }
  return -1;
}

int TString::FindBackwards(const char* text, int textLength, bool ignoreCase, int start) const {
  for (int i = Length() - textLength - start; i >= 0; --i) {
    if (MatchesAt(mRep->mBuffer + i, text, textLength, ignoreCase)) return i;
  }
  return -1;
}

TString TString::operator+(const TString& other) const {
  int length = Length();
  int otherLength = other.Length();
  TString result;
  result.mRep = NewRep(std::max(kMinimumCapacity, length + otherLength + 1));
  std::memcpy(result.mRep->mBuffer, CStr(), length);
  std::memcpy(result.mRep->mBuffer + length, other.CStr(), otherLength + 1);
  return result;
}

TString TString::operator+(char c) const {
  TString result(*this);
  result += c;
  return result;
}

TString& TString::operator+=(const TString& other) {
  TString keep(other);  // the other text may be this very record
  int length = Length();
  int otherLength = keep.Length();
  Detach();
  Reserve(length + otherLength + 1);
  std::memcpy(mRep->mBuffer + length, keep.CStr(), otherLength + 1);
  return *this;
}

TString& TString::operator+=(char c) {
  WriteAt(-1, &c, 1, true);
  return *this;
}

int TString::WriteAt(int position, const void* bytes, int count, bool terminate) {
  int length = Length();
  if (position < 0) position = length;
  count = std::max(count, 0);
  Detach();
  int needed = position + count + 1;
  if (!mRep || mRep->mCapacity < needed) {
    int capacity = mRep ? std::max(mRep->mCapacity, kMinimumCapacity) : kMinimumCapacity;
    while (capacity < needed) capacity *= 2;
    Reserve(capacity);
  }
  char* buffer = mRep->mBuffer;
  if (position > length) std::memset(buffer + length, 0, position - length);
  std::memmove(buffer + position, bytes, count);
  if (terminate || position + count >= length) buffer[position + count] = 0;
  return position + count;
}

void TString::Erase(int position, int count) {
  int length = Length();
  position = std::max(position, 0);
  if (position >= length) return;
  int available = length - position;
  if (count < 0 || count > available) count = available;
  Detach();
  std::memmove(mRep->mBuffer + position, mRep->mBuffer + position + count, available - count + 1);
}

TString& TString::ToLower() {
  Detach();
  for (char* p = mRep ? mRep->mBuffer : nullptr; p && *p; ++p) {
    *p = static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
  }
  return *this;
}

TString& TString::Replace(const TString& search, const TString& replacement, TFindFlags flags,
                          int start) {
  TString what(search), with(replacement);  // either may share this record
  int searchLength = what.Length();
  bool all = HasFlag(flags, TFindFlags::All);
  bool backwards = HasFlag(flags, TFindFlags::Backwards);
  if (all && searchLength == 0) return *this;
  for (int found = Find(what, flags, start); found >= 0; found = Find(what, flags, start)) {
    TString tail = Mid(found + searchLength);
    TString head = Mid(0, found);
    *this = head + with + tail;
    if (!all) break;
    if (backwards) {
      if (found - searchLength < 0) break;
      start = Length() - found;
    } else {
      start = found + with.Length();
    }
  }
  return *this;
}

TString TString::FormatV(const char* format, va_list arguments) {
  char buffer[kFormatLimit + 1];
  std::vsnprintf(buffer, sizeof buffer, format, arguments);
  return TString(buffer);
}

TString TString::Format(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  TString result = FormatV(format, arguments);
  va_end(arguments);
  return result;
}

TString& TString::Printf(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  *this = FormatV(format, arguments);
  va_end(arguments);
  return *this;
}
