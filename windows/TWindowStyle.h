#pragma once

#include <memory>

#include "windows/TLuaObjectWrapper.h"

class TScript;

// Reads numbers from a Lua style table for the window factories; a key the
// table lacks is looked up along the style chain.
class TWindowStyle {
 public:
  explicit TWindowStyle(std::unique_ptr<TLuaObjectWrapper> table);
  virtual ~TWindowStyle();

  // The key's number read through the host, or the default when it is
  // missing or no number. The Lua stack is left as it was.
  double GetNumber(TScript& script, const char* key, double fallback) const;

 private:
  std::unique_ptr<TLuaObjectWrapper> mTable;
};
