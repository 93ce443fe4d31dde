#include "tests/support/http/ClosedPort.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

ClosedPort::ClosedPort() : mSocket(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (mSocket >= 0 && bind(mSocket, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
      getsockname(mSocket, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
    mPort = ntohs(address.sin_port);
  }
}

ClosedPort::~ClosedPort() {
  if (mSocket >= 0) close(mSocket);
}

std::string ClosedPort::Address(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(mPort) + path;
}
