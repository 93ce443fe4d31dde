#pragma once

#include <string>

// A key and a self-signed certificate for 127.0.0.1, made afresh: the
// loopback server's identity for HTTPS, which no system trusts.
struct TlsIdentity {
  std::string certificatePem;
  std::string keyPem;
};

// Empty texts when OpenSSL fails.
TlsIdentity MakeLoopbackIdentity();
