#pragma once

#include <string>

namespace sys {

// Keeps one running copy of the program per instance name. The claim is an
// exclusive flock on a file named after the instance in the runtime folder,
// so it ends with the process however the process ends. The file holds the
// owner's process id; a later start signals that process to come to the front.
class SingleInstance {
 public:
  enum class Claim {
    First,           // this process holds the name now
    AlreadyRunning,  // another process holds it and was asked to come to the front
    Unavailable,     // no lock could be taken; the caller goes on as if first
  };

  SingleInstance() = default;
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  Claim Acquire(const std::string& name);
  // The lock file that stands for a name.
  static std::string LockPath(const std::string& name);

 private:
  int mFile = -1;
};

// True once after each request from another start to come to the front; the
// window layer asks it while it gathers input. Safe from any thread.
bool TakeFrontRequest();

}  // namespace sys
