#pragma once

#include <string>
#include <vector>

#include "system/os/DiskFiles.h"

// While it lives, chosen disk operations of the file layer fail as the system
// would fail them (a folder without write permission, a full disk, a file in
// use), also for the superuser, whom permissions do not bind. One at a time.
class DiskFaults {
 public:
  DiskFaults();
  ~DiskFaults();
  DiskFaults(const DiskFaults&) = delete;
  DiskFaults& operator=(const DiskFaults&) = delete;

  // From now on the operation fails with error (an errno value) for every
  // path that contains pathPart: a file name, or a folder's path.
  void Fail(sys::DiskOperation operation, const std::string& pathPart, int error);
  // How many operations failed through a fault of this object.
  int Injected() const { return mInjected; }

 private:
  struct Fault {
    sys::DiskOperation operation;
    std::string pathPart;
    int error;
  };
  static int Hook(sys::DiskOperation operation, const std::string& path);

  std::vector<Fault> mFaults;
  int mInjected = 0;
};
