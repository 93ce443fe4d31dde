#include "media/display/DisplayRules.h"

#include <cstdio>
#include <cstdlib>

#include "platform/TPlatform.h"

void CheckVideoMemory(sys::gfx::Result result) {
  if (result != sys::gfx::Result::OutOfVideoMemory) return;
  if (TPlatform* platform = TPlatform::Instance()) platform->ReportOutOfVideoMemory();
}

bool DrawsScaled(float& scale) {
  scale = 1.0f;
  TPlatform* platform = TPlatform::Instance();
  bool scaled = platform && platform->GetDisplayScale(scale);
  if (scale == 0.0f) scale = 1.0f;
  return scaled;
}

// Without running destructors: the cursor and sound threads still run and
// would meet objects going away under them.
void ExitProgram() {
  std::fflush(nullptr);
  std::_Exit(-1);
}
