#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>

// Our hiscore service in a process of its own, detached from the one that
// starts it, so that it outlives that test and the next start of the game
// finds what the last one sent. It knows the game "quorvane" with its
// built-in key and one category, and stops on SIGTERM or after a while, so
// that a forgotten one does not stay.
class HiscoreServerProcess {
 public:
  // Starts the service on a port the system picks; Address() is empty when
  // it could not start.
  static HiscoreServerProcess Start();
  // The one whose process id and address the file holds (as Save wrote it).
  static HiscoreServerProcess Load(const std::string& file);

  void Save(const std::string& file) const;
  // Ends the process; nothing happens when there is none.
  void Stop();

  // "http://127.0.0.1:port/go/hiscore".
  const std::string& Address() const { return mAddress; }

 private:
  bool IsOurs() const;

  pid_t mPid = 0;
  std::string mAddress;
};
