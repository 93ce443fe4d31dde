#pragma once

#include <cstdint>
#include <string>

// A port on 127.0.0.1 that refuses connections: bound, so that no other
// server takes it while the object lives, but never listening.
class ClosedPort {
 public:
  ClosedPort();
  ~ClosedPort();
  ClosedPort(const ClosedPort&) = delete;
  ClosedPort& operator=(const ClosedPort&) = delete;

  // "http://127.0.0.1:port" followed by the path.
  std::string Address(const std::string& path) const;

 private:
  uint16_t mPort = 0;  // before the socket, which sets it
  int mSocket;
};
