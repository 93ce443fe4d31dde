#include "system/os/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "system/os/Folders.h"
#include "system/os/LayerLog.h"

namespace sys {
namespace {

// The signal a later start sends to the owner.
constexpr int kFrontSignal = SIGUSR1;
// Names longer than this are shortened so the file name stays valid.
constexpr size_t kLongestName = 200;

std::atomic<bool> gFrontRequested{false};

void OnFrontSignal(int) { gFrontRequested.store(true); }

// Installed before the lock is taken: a later start may signal as soon as the
// lock is held, and the signal's default action would end this process.
void ListenForFrontRequests() {
  struct sigaction action {};
  action.sa_handler = OnFrontSignal;
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  sigaction(kFrontSignal, &action, nullptr);
}

std::string FileNameFor(const std::string& name) {
  std::string fileName = name;
  for (char& c : fileName) {
    if (c == '/') c = '_';
  }
  if (fileName.size() <= kLongestName) return fileName;
  uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : name) hash = (hash ^ c) * 1099511628211ull;
  char prefix[24];
  std::snprintf(prefix, sizeof prefix, "%016llx", static_cast<unsigned long long>(hash));
  return prefix + fileName.substr(fileName.size() - kLongestName);
}

void WriteOwner(int file) {
  char text[32];
  int length = std::snprintf(text, sizeof text, "%d\n", static_cast<int>(getpid()));
  if (ftruncate(file, 0) != 0 || pwrite(file, text, static_cast<size_t>(length), 0) != length) {
    WriteLog("Single instance: cannot record the owner (errno %d)", errno);
  }
}

// The owner may not have written its id yet; then nobody is told.
void AskOwnerToFront(int file) {
  char text[32] = {};
  if (pread(file, text, sizeof text - 1, 0) <= 0) return;
  long owner = std::strtol(text, nullptr, 10);
  if (owner > 0) kill(static_cast<pid_t>(owner), kFrontSignal);
}

}  // namespace

SingleInstance::~SingleInstance() {
  if (mFile >= 0) close(mFile);
}

std::string SingleInstance::LockPath(const std::string& name) {
  return RuntimeFolder() + "/" + FileNameFor(name);
}

SingleInstance::Claim SingleInstance::Acquire(const std::string& name) {
  if (mFile >= 0) return Claim::First;
  ListenForFrontRequests();
  MakeFolders(RuntimeFolder());
  std::string path = LockPath(name);
  int file = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (file < 0) {
    WriteLog("Single instance: cannot open %s (errno %d)", path.c_str(), errno);
    return Claim::Unavailable;
  }
  if (flock(file, LOCK_EX | LOCK_NB) == 0) {
    WriteOwner(file);
    mFile = file;
    return Claim::First;
  }
  int error = errno;
  if (error == EWOULDBLOCK) AskOwnerToFront(file);
  close(file);
  if (error == EWOULDBLOCK) return Claim::AlreadyRunning;
  WriteLog("Single instance: cannot lock %s (errno %d)", path.c_str(), error);
  return Claim::Unavailable;
}

bool TakeFrontRequest() { return gFrontRequested.exchange(false); }

}  // namespace sys
