#include "app/DisplayAdapterSource.h"

namespace {

DisplayAdapterSource& Source() {
  static DisplayAdapterSource source;
  return source;
}

}  // namespace

void SetDisplayAdapterSource(DisplayAdapterSource source) { Source() = std::move(source); }

std::shared_ptr<sys::gfx::Adapter> MakeDisplayAdapter() {
  if (Source()) return Source()();
  return sys::gfx::Adapter::Create(sys::gfx::Adapter::ConfigFromSdl());
}
