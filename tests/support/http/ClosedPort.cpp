#include "tests/support/http/ClosedPort.h"

#include <unistd.h>

#include "tests/support/http/LoopbackSocket.h"

ClosedPort::ClosedPort() : mSocket(BindLoopbackSocket(mPort)) {}

ClosedPort::~ClosedPort() {
  if (mSocket >= 0) close(mSocket);
}

std::string ClosedPort::Address(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(mPort) + path;
}
