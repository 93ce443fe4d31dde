#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/http/LoopbackHttpServer.h"
#include "tools/hiscore/HiscoreService.h"

// The hiscore service on 127.0.0.1, answering GET requests on kPath; every
// request is recorded. Replies scripted on the HTTP server for kPath (a
// failure page, silence) take the service's place while they stand.
class HiscoreServer {
 public:
  static constexpr char kPath[] = "/go/hiscore";

  // At `port`, or at one the system picks when it is 0.
  explicit HiscoreServer(uint16_t port = 0);

  bool IsListening() const { return mHttp.IsListening(); }
  uint16_t Port() const { return mHttp.Port(); }
  // "http://127.0.0.1:port/go/hiscore", the address the client is given.
  std::string Address() const { return mHttp.Address(kPath); }

  HiscoreService& Service() { return mService; }
  LoopbackHttpServer& Http() { return mHttp; }
  std::vector<RecordedRequest> Requests() const { return mHttp.Requests(); }

 private:
  HiscoreService mService;  // before the server, whose threads use it
  LoopbackHttpServer mHttp;
};
