#include "tests/support/http/LoopbackSocket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

int BindLoopbackSocket(uint16_t& port) {
  int bound = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(port);
  socklen_t length = sizeof address;
  if (bound < 0 || bind(bound, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      getsockname(bound, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    if (bound >= 0) close(bound);
    return -1;
  }
  port = ntohs(address.sin_port);
  return bound;
}
