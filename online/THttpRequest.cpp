#include "online/THttpRequest.h"

#include <utility>

namespace {

sys::HttpTransfer Describe(std::string url, std::string outputPath, std::string body, bool post) {
  sys::HttpTransfer transfer;
  // Secure requests and posts ask every cache on the way for a fresh reply.
  transfer.pragmaNoCache = post || url.rfind("https:", 0) == 0;
  transfer.address = std::move(url);
  transfer.post = post;
  transfer.body = std::move(body);
  transfer.outputPath = std::move(outputPath);
  return transfer;
}

int32_t StatusOf(sys::HttpOutcome outcome) {
  switch (outcome) {
    case sys::HttpOutcome::kDone:
      return THttpRequest::kDone;
    case sys::HttpOutcome::kNoOutputFile:
      return THttpRequest::kNoOutputFile;
    case sys::HttpOutcome::kFailed:
      break;
  }
  return THttpRequest::kFailed;
}

}  // namespace

THttpRequest::THttpRequest(std::string url, std::string outputPath, std::string body, bool post)
    : mTransfer(Describe(std::move(url), std::move(outputPath), std::move(body), post)) {}

void THttpRequest::Run() {
  mStatus.store(StatusOf(sys::RunHttpTransfer(mTransfer, mData, mAbandoned)), std::memory_order_release);
}

void THttpRequest::Fail() { mStatus.store(kFailed, std::memory_order_release); }

const char* THttpRequest::GetData() const {
  if (GetStatus() != kDone || !mTransfer.outputPath.empty()) return nullptr;
  return mData.c_str();
}
