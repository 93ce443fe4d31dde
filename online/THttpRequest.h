#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "system/net/HttpTransfer.h"

// One request, shared by its owner and its worker thread, each holding it as
// long as it needs it (the last one frees it). The worker writes the data,
// then publishes it with the status; the owner sets the abandoned flag and
// reads the data only once it has seen the status 1.
class THttpRequest {
 public:
  static constexpr int32_t kRunning = 0;
  static constexpr int32_t kDone = 1;
  static constexpr int32_t kFailed = 2;
  static constexpr int32_t kNoOutputFile = 3;

  // The texts are private copies: framework texts do not cross threads.
  THttpRequest(std::string url, std::string outputPath, std::string body, bool post);

  // The worker's whole work: the transfer, then the status.
  void Run();
  // When no worker could start for it.
  void Fail();

  void Abandon() { mAbandoned.store(true, std::memory_order_relaxed); }
  int32_t GetStatus() const { return mStatus.load(std::memory_order_acquire); }
  // The reply kept in memory, zero-terminated; null until the status is 1 or
  // when the reply went to a file.
  const char* GetData() const;

 private:
  const sys::HttpTransfer mTransfer;
  std::string mData;
  std::atomic<bool> mAbandoned{false};
  std::atomic<int32_t> mStatus{kRunning};
};
