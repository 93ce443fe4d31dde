#include "platform/TPlatform.h"

namespace {

TPlatform*& InstanceCell() {
  static TPlatform* cell = nullptr;
  return cell;
}

}  // namespace

TPlatform::~TPlatform() {
  if (InstanceCell() == this) InstanceCell() = nullptr;
}

TPlatform* TPlatform::Instance() { return InstanceCell(); }

void TPlatform::Install(TPlatform* platform) { InstanceCell() = platform; }
