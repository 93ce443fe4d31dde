#pragma once

#include <memory>

#include "platform/text/TString.h"
#include "windows/script/TLuaObjectWrapper.h"

// A wrapped table with typed readers. Readers read fields raw and never raise
// a Lua error: a missing field, a field of another type, or a held value that
// is no table gives the default. Each leaves the stack as it found it.
class TLuaTable : public TLuaObjectWrapper {
 public:
  using TLuaObjectWrapper::TLuaObjectWrapper;

  // The field's text (a number in "%.14g"); the default for a field without one.
  TString GetString(const char* key, const TString& fallback) const;
  TString GetStringAt(int key, const TString& fallback) const;
  // The field's number (numeric text converted); the default for any other value.
  double GetNumber(const char* key, double fallback) const;
  double GetNumberAt(int key, double fallback) const;
  // Any non-nil field is true unless it is false.
  bool GetBool(const char* key, bool fallback) const;
  // A new wrapper on the field when it is a table, else null.
  std::unique_ptr<TLuaTable> GetTable(const char* key) const;
  std::unique_ptr<TLuaTable> GetTableAt(int key) const;

  // One step of a traversal in the order of `next`: a null key starts it.
  // Returns a wrapper on the next value and replaces the key by a wrapper on
  // the next key; at the end (or when the key is no longer in the table)
  // returns null and leaves the key null.
  std::unique_ptr<TLuaObjectWrapper> Next(std::unique_ptr<TLuaObjectWrapper>& key) const;

 private:
  // Pushes the field when the held value is a table: true. False, with
  // nothing pushed, otherwise.
  bool PushField(const char* key) const;
  bool PushFieldAt(int key) const;
  TString TextOfTop(const TString& fallback) const;
  double NumberOfTop(double fallback) const;
  std::unique_ptr<TLuaTable> TableOfTop() const;
};
