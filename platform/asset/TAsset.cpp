#include "platform/asset/TAsset.h"

TClassId TAsset::ClassId() {
  static const char id = 0;
  return &id;
}

bool TAsset::IsKindOf(TClassId id) const { return id == ClassId(); }

TAsset::~TAsset() = default;

void TAsset::Release() {}

void TAsset::Restore() {}
