#include "media/DisplayRules.h"

#include "platform/TPlatform.h"

void CheckVideoMemory(sys::gfx::Result result) {
  if (result != sys::gfx::Result::OutOfVideoMemory) return;
  if (TPlatform* platform = TPlatform::Instance()) platform->ReportOutOfVideoMemory();
}

bool DrawsScaled(float& scale) {
  scale = 1.0f;
  TPlatform* platform = TPlatform::Instance();
  return platform && platform->GetDisplayScale(scale);
}
