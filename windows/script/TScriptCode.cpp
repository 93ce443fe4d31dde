#include "windows/script/TScriptCode.h"

TClassId TScriptCode::ClassId() {
  static const char id = 0;
  return &id;
}

TScriptCode::TScriptCode(const char* bytes, int32_t length) : mBytes(bytes, length), mLength(length) {}

bool TScriptCode::IsKindOf(TClassId id) const { return id == ClassId() || TAsset::IsKindOf(id); }
