#include "tests/support/DiskFaults.h"

namespace {

DiskFaults* gCurrent = nullptr;

}  // namespace

DiskFaults::DiskFaults() {
  gCurrent = this;
  sys::SetDiskFaultHook(Hook);
}

DiskFaults::~DiskFaults() {
  sys::SetDiskFaultHook(nullptr);
  gCurrent = nullptr;
}

void DiskFaults::Fail(sys::DiskOperation operation, const std::string& pathPart, int error) {
  mFaults.push_back({operation, pathPart, error});
}

int DiskFaults::Hook(sys::DiskOperation operation, const std::string& path) {
  for (const Fault& fault : gCurrent->mFaults) {
    if (fault.operation == operation && path.find(fault.pathPart) != std::string::npos) {
      ++gCurrent->mInjected;
      return fault.error;
    }
  }
  return 0;
}
