#pragma once

#include <cstdint>

#include "platform/asset/TAsset.h"
#include "platform/text/TString.h"

// A script file compiled once: its precompiled chunk, registered with the
// asset manager under the file name, so that a script run again while some
// holder keeps the chunk is loaded without compiling.
class TScriptCode : public TAsset {
 public:
  static TClassId ClassId();

  TScriptCode(const char* bytes, int32_t length);

  bool IsKindOf(TClassId id) const override;

  // The chunk's bytes, which may hold zero bytes: read GetLength of them.
  const char* GetBytes() const { return mBytes.CStr(); }
  int32_t GetLength() const { return mLength; }

 private:
  TString mBytes;
  int32_t mLength;
};
