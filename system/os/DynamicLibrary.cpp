#include "system/os/DynamicLibrary.h"

#include <dlfcn.h>
#include <strings.h>
#include <unistd.h>

#include "system/os/Paths.h"
#include "system/os/LayerLog.h"

namespace sys {
namespace {

constexpr char kWindowsSuffix[] = ".dll";
constexpr size_t kSuffixLength = sizeof kWindowsSuffix - 1;

std::string SharedObjectName(const std::string& name) {
  bool windowsName = name.size() > kSuffixLength &&
                     strcasecmp(name.c_str() + name.size() - kSuffixLength, kWindowsSuffix) == 0;
  return (windowsName ? name.substr(0, name.size() - kSuffixLength) : name) + ".so";
}

}  // namespace

DynamicLibrary::~DynamicLibrary() {
  if (mHandle) dlclose(mHandle);
}

std::string DynamicLibrary::PathFor(const std::string& name) {
  return ProgramFolder() + "/" + SharedObjectName(name);
}

bool DynamicLibrary::Open(const std::string& name) {
  if (mHandle) return true;
  std::string path = PathFor(name);
  if (access(path.c_str(), F_OK) != 0) return false;
  mHandle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!mHandle) WriteLog("Cannot load %s: %s", path.c_str(), dlerror());
  return mHandle != nullptr;
}

void* DynamicLibrary::Symbol(const char* name) const {
  return mHandle ? dlsym(mHandle, name) : nullptr;
}

}  // namespace sys
