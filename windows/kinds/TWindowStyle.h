#pragma once

#include <memory>

#include "windows/script/TLuaObjectWrapper.h"

class TScript;

// Reads numbers from a Lua style table for the window factories, through the
// script that holds the table; a key the table lacks is looked up along the
// style chain.
class TWindowStyle {
 public:
  TWindowStyle(TScript& script, std::unique_ptr<TLuaObjectWrapper> table);
  virtual ~TWindowStyle();

  // The key's number, or the default when it is missing or no number. The
  // Lua stack is left as it was.
  double GetNumber(const char* key, double fallback) const;

 private:
  TScript& mScript;
  std::unique_ptr<TLuaObjectWrapper> mTable;
};
