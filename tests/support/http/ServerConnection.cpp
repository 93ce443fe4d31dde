#include "tests/support/http/ServerConnection.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A client that stays silent longer than this is given up.
constexpr int kSilenceMs = 10'000;

}  // namespace

ServerConnection::ServerConnection(int socket, SSL_CTX* tls, int wakeFd)
    : mSocket(socket), mTls(tls != nullptr), mWakeFd(wakeFd) {
  if (tls) {
    mSsl = SSL_new(tls);
    if (mSsl) SSL_set_fd(mSsl, mSocket);
  }
}

ServerConnection::~ServerConnection() {
  if (mSsl) {
    SSL_shutdown(mSsl);
    SSL_free(mSsl);
  }
  close(mSocket);
}

bool ServerConnection::Open() {
  if (!mTls) return true;
  return mSsl && SSL_accept(mSsl) == 1;
}

bool ServerConnection::WaitReadable() {
  if (mSsl && SSL_pending(mSsl) > 0) return true;
  pollfd fds[2] = {{mSocket, POLLIN, 0}, {mWakeFd, POLLIN, 0}};
  return poll(fds, 2, kSilenceMs) > 0 && fds[1].revents == 0;
}

bool ServerConnection::ReadSome(std::string& into) {
  if (!WaitReadable()) return false;
  char bytes[16384];
  int count = mSsl ? SSL_read(mSsl, bytes, sizeof bytes) : static_cast<int>(recv(mSocket, bytes, sizeof bytes, 0));
  if (count <= 0) return false;
  into.append(bytes, static_cast<size_t>(count));
  return true;
}

bool ServerConnection::WriteAll(std::string_view bytes) {
  while (!bytes.empty()) {
    int count = mSsl ? SSL_write(mSsl, bytes.data(), static_cast<int>(bytes.size()))
                     : static_cast<int>(send(mSocket, bytes.data(), bytes.size(), MSG_NOSIGNAL));
    if (count <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(count));
  }
  return true;
}

bool ServerConnection::Pause(int milliseconds) {
  pollfd wake{mWakeFd, POLLIN, 0};
  return poll(&wake, 1, milliseconds) == 0;
}
