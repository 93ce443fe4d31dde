#pragma once

#include <openssl/ssl.h>

#include <string>
#include <string_view>

// One connection the loopback server accepted, plain or under TLS. Every wait
// ends early when the server's wake-up descriptor becomes readable, so a
// stopping server never hangs on a silent client.
class ServerConnection {
 public:
  // Takes the socket; `tls` null for plain HTTP.
  ServerConnection(int socket, SSL_CTX* tls, int wakeFd);
  ~ServerConnection();
  ServerConnection(const ServerConnection&) = delete;
  ServerConnection& operator=(const ServerConnection&) = delete;

  // The TLS handshake; true at once for plain HTTP. False when the client
  // refuses the certificate.
  bool Open();
  // Appends what arrives; false at the end of the stream, on an error or when
  // the server stops.
  bool ReadSome(std::string& into);
  bool WriteAll(std::string_view bytes);
  // Waits the given time; false when the server stops first.
  bool Pause(int milliseconds);

 private:
  bool WaitReadable();

  int mSocket;
  bool mTls;
  SSL* mSsl = nullptr;
  int mWakeFd;
};
