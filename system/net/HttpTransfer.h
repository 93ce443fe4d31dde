#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

namespace sys {

// One HTTP request as the layer sends it: a GET with its query in the address
// or a POST of a form body, its reply kept in memory or written to a file.
struct HttpTransfer {
  std::string address;
  bool post = false;
  std::string body;        // the form body of a POST
  std::string outputPath;  // the file that receives the reply; empty keeps it in memory
  bool pragmaNoCache = false;
};

enum class HttpOutcome {
  kDone,          // a reply arrived whole, whatever its HTTP status code
  kFailed,        // refused, unreachable, timed out, cut off, over the cap or abandoned
  kNoOutputFile,  // the output file could not be opened; nothing was read
};

// Runs one transfer on the calling worker thread. A reply kept in memory
// replaces what `reply` held. The transfer stops at libcurl's next progress report
// once `abandoned` is set or shut-down has begun. Failures are logged.
HttpOutcome RunHttpTransfer(const HttpTransfer& transfer, std::string& reply, const std::atomic<bool>& abandoned);

// A server that never answers or never stops must not hold a request for
// ever, nor may a hostile one fill the memory.
struct HttpLimits {
  int64_t connectMs = 10'000;
  int64_t transferMs = 60'000;
  size_t memoryReplyBytes = size_t{4} << 20;
};

// Tests set shorter limits; transfers that start later use them.
void SetHttpLimits(const HttpLimits& limits);
HttpLimits GetHttpLimits();

// Certificate authorities trusted instead of the system's, from a PEM file:
// for tests, whose servers have certificates of their own making. "" puts the
// system's back. Certificates and host names are verified either way.
void SetHttpTrustedAuthorities(const std::string& pemPath);

}  // namespace sys
