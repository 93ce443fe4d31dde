#pragma once

#include <cstdarg>
#include <cstdint>

// Search options of TString::Find, FindChar and Replace. A type of its own so
// that the flags and the start position cannot be passed in the wrong order.
enum class TFindFlags : unsigned {
  None = 0,
  IgnoreCase = 1,
  All = 2,        // Replace: every occurrence, not only the first
  Backwards = 4,  // the start position counts from the end of the text
};

constexpr TFindFlags operator|(TFindFlags a, TFindFlags b) {
  return static_cast<TFindFlags>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

constexpr bool HasFlag(TFindFlags flags, TFindFlags flag) {
  return (static_cast<unsigned>(flags) & static_cast<unsigned>(flag)) != 0;
}

struct TStringRep {
  char* mBuffer;
  int32_t mRefCount;
  int32_t mCapacity;
};

// The framework's 8-bit text value: a handle to a shared, reference-counted
// record. Copies share the record; every change first takes a private copy.
// A null handle reads everywhere as "". The text ends at the first zero byte.
class TString {
 public:
  TString() = default;
  TString(const char* text);  // NOLINT: implicit on purpose, texts mix freely
  TString(const char* bytes, int count);
  TString(const TString& other);
  TString(TString&& other) noexcept;
  ~TString();

  TString& operator=(const TString& other);
  TString& operator=(TString&& other) noexcept;
  TString& operator=(const char* text);

  void Reserve(int bytes);

  const char* CStr() const;
  int Length() const;
  char CharAt(int index) const;
  int Compare(const TString& other) const;
  bool operator==(const TString& other) const { return Compare(other) == 0; }
  bool operator!=(const TString& other) const { return Compare(other) != 0; }
  bool operator<(const TString& other) const { return Compare(other) < 0; }
  bool IsEmpty() const { return Length() == 0; }

  int ToInt() const;
  float ToFloat() const;

  TString Mid(int start, int count = -1) const;
  int FindChar(char c, TFindFlags flags = TFindFlags::None, int start = 0) const;
  int Find(const TString& text, TFindFlags flags = TFindFlags::None, int start = 0) const;

  TString operator+(const TString& other) const;
  TString operator+(char c) const;
  TString& operator+=(const TString& other);
  TString& operator+=(char c);

  // Copies count bytes to position (-1: the end), growing the buffer as needed.
  // The text always stays terminated; with terminate set, whatever followed the
  // written bytes is cut off. Returns the position after the written bytes.
  int WriteAt(int position, const void* bytes, int count, bool terminate);
  void Erase(int position, int count = -1);
  TString& ToLower();
  TString& Replace(const TString& search, const TString& replacement,
                   TFindFlags flags = TFindFlags::None, int start = 0);

  static TString FormatV(const char* format, va_list arguments)
      __attribute__((format(printf, 1, 0)));
  static TString Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
  TString& Printf(const char* format, ...) __attribute__((format(printf, 2, 3)));

  // Formatted texts are cut to this many characters.
  static constexpr int kFormatLimit = 4095;

 private:
  static TStringRep* NewRep(int capacity);
  void Release();
  void Detach();
  int FindForwards(const char* text, int textLength, bool ignoreCase, int start) const;
  int FindBackwards(const char* text, int textLength, bool ignoreCase, int start) const;

  TStringRep* mRep = nullptr;
};
