#pragma once

#include <cstdint>
#include <memory>

#include "platform/text/TString.h"

class THttpRequest;

// The asynchronous HTTP client: the owner describes a request (address, query
// or form parameters, GET or POST, optionally a file for the reply), sends
// it, and polls its status once a frame; the transfer runs on a worker thread
// of its own, so the main thread never waits on the network.
class TSimpleHttp {
 public:
  TSimpleHttp() = default;
  // Abandons the request; its worker stops soon after.
  virtual ~TSimpleHttp();
  TSimpleHttp(const TSimpleHttp&) = delete;
  TSimpleHttp& operator=(const TSimpleHttp&) = delete;

  // A new description: the address, GET or POST, the file that receives the
  // reply (null keeps it in memory); no parameters yet. A running request is
  // abandoned.
  void SetUrl(const char* url, bool post, const char* outputPath = nullptr);
  // name=value with the value escaped: into the body of a POST, else onto
  // the address's query.
  void AddParameter(const char* name, const char* value);
  void AddIntParameter(const char* name, int32_t value);

  // Abandons the previous request and starts the described one; the
  // description stays, to be sent again. The flags (1: do not cache the
  // reply, 2: accept a certificate for another name) change nothing: nothing
  // is cached, and every certificate and host name is verified.
  void Send(uint32_t flags);

  // 0 running, 1 done, 2 failed (also when nothing was sent), 3 the output
  // file could not be opened.
  int32_t GetStatus() const;
  // The reply, zero-terminated, once the status is 1 and when it was kept in
  // memory; else null. Valid until the next request or the owner's end.
  const char* GetData() const;

  // The owner no longer wants the request.
  void Detach();

 private:
  TString mUrl;
  TString mOutputPath;
  TString mBody;
  bool mFirstParameter = true;
  bool mPost = false;
  std::shared_ptr<THttpRequest> mRequest;
};
