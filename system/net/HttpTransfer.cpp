#include "system/net/HttpTransfer.h"

#include <curl/curl.h>

#include <cstdio>
#include <memory>
#include <mutex>

#include "system/net/HttpAddress.h"
#include "system/net/HttpWorkers.h"
#include "system/os/LayerLog.h"

namespace sys {
namespace {

std::mutex gSettingsMutex;
HttpLimits gLimits;
std::string gTrustedAuthorities;

constexpr long kMostRedirects = 5;

using EasyHandle = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;
using HeaderList = std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)>;

// Where the reply goes: a file, else memory up to the cap.
struct ReplySink {
  std::string& memory;
  std::FILE* file;
  size_t cap;
  bool overCap = false;
};

size_t WriteReply(char* bytes, size_t size, size_t count, void* context) {
  auto* sink = static_cast<ReplySink*>(context);
  size_t length = size * count;
  if (sink->file) return std::fwrite(bytes, 1, length, sink->file);
  if (length > sink->cap - sink->memory.size()) {
    sink->overCap = true;
    return 0;
  }
  sink->memory.append(bytes, length);
  return length;
}

// libcurl reports progress at least once a second, also while a server keeps
// silent: the moment to stop a transfer that nobody waits for any more.
int ReportProgress(void* context, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  const auto* abandoned = static_cast<const std::atomic<bool>*>(context);
  return abandoned->load(std::memory_order_relaxed) || IsHttpStopping() ? 1 : 0;
}

// The kind of connection a failure is logged under.
const char* ConnectionKind(const HttpTransfer& transfer) {
  if (transfer.address.rfind("https:", 0) == 0) return "HTTPS";
  return transfer.post ? "POST" : "InternetOpenUrl";
}

HeaderList RequestHeaders(const HttpTransfer& transfer) {
  curl_slist* headers = nullptr;
  if (transfer.post) {
    headers = curl_slist_append(headers, "Content-Type: application/x-www-form-urlencoded");
    // A large body would otherwise wait for the server's leave to send it.
    headers = curl_slist_append(headers, "Expect:");
  }
  if (transfer.pragmaNoCache) headers = curl_slist_append(headers, "Pragma: no-cache");
  return HeaderList(headers, curl_slist_free_all);
}

void DescribeRequest(CURL* easy, const HttpTransfer& transfer, curl_slist* headers) {
  curl_easy_setopt(easy, CURLOPT_URL, transfer.address.c_str());
  curl_easy_setopt(easy, CURLOPT_USERAGENT, "vqlib");
  curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);
  if (transfer.post) {
    curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(transfer.body.size()));
    curl_easy_setopt(easy, CURLOPT_POSTFIELDS, transfer.body.c_str());
  }
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMostRedirects);
  // A proxy could not reach this machine's own servers anyway.
  curl_easy_setopt(easy, CURLOPT_NOPROXY, "127.0.0.1,localhost,::1");
}

void SetLimitsAndTrust(CURL* easy, const HttpLimits& limits, const std::string& authorities) {
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connectMs));
  curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, static_cast<long>(limits.transferMs));
  curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L);
  if (!authorities.empty()) {
    curl_easy_setopt(easy, CURLOPT_CAINFO, authorities.c_str());
    curl_easy_setopt(easy, CURLOPT_CAPATH, nullptr);
  }
}

void ReceiveInto(CURL* easy, ReplySink& sink, const std::atomic<bool>& abandoned, char* errorText) {
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, WriteReply);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, &sink);
  curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, ReportProgress);
  curl_easy_setopt(easy, CURLOPT_XFERINFODATA, const_cast<std::atomic<bool>*>(&abandoned));
  curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, errorText);
}

HttpOutcome Judge(CURLcode code, const HttpTransfer& transfer, const ReplySink& sink, const char* errorText) {
  if (code == CURLE_OK) return HttpOutcome::kDone;
  // An abandoned transfer has nobody left to tell.
  if (code == CURLE_ABORTED_BY_CALLBACK) return HttpOutcome::kFailed;
  if (sink.overCap) WriteLog("HTTP reply refused: longer than %zu bytes", sink.cap);
  WriteLog("Error creating connection (%s) %d", ConnectionKind(transfer), static_cast<int>(code));
  if (errorText[0] != '\0') WriteLog("HTTP: %s", errorText);
  return HttpOutcome::kFailed;
}

HttpOutcome Perform(const HttpTransfer& transfer, ReplySink& sink, const std::atomic<bool>& abandoned) {
  EasyHandle easy(curl_easy_init(), curl_easy_cleanup);
  if (!easy) {
    WriteLog("Error creating connection (%s) %d", ConnectionKind(transfer), static_cast<int>(CURLE_FAILED_INIT));
    return HttpOutcome::kFailed;
  }
  HeaderList headers = RequestHeaders(transfer);
  char errorText[CURL_ERROR_SIZE] = "";
  DescribeRequest(easy.get(), transfer, headers.get());
  SetLimitsAndTrust(easy.get(), GetHttpLimits(), [] {
    std::lock_guard lock(gSettingsMutex);
    return gTrustedAuthorities;
  }());
  ReceiveInto(easy.get(), sink, abandoned, errorText);
  return Judge(curl_easy_perform(easy.get()), transfer, sink, errorText);
}

}  // namespace

HttpOutcome RunHttpTransfer(const HttpTransfer& transfer, std::string& reply, const std::atomic<bool>& abandoned) {
  if (!IsHttpAddressAllowed(transfer.address)) return HttpOutcome::kFailed;
  std::string_view logged = HttpAddressForLog(transfer.address);
  WriteLog("HTTP %s %.*s", transfer.post ? "POST" : "GET", static_cast<int>(logged.size()), logged.data());
  reply.clear();
  ReplySink sink{reply, nullptr, GetHttpLimits().memoryReplyBytes};
  if (transfer.outputPath.empty()) return Perform(transfer, sink, abandoned);
  sink.file = std::fopen(transfer.outputPath.c_str(), "wb");
  if (!sink.file) {
    WriteLog("HTTP reply cannot be written to %s", transfer.outputPath.c_str());
    return HttpOutcome::kNoOutputFile;
  }
  HttpOutcome outcome = Perform(transfer, sink, abandoned);
  if (std::fclose(sink.file) != 0 && outcome == HttpOutcome::kDone) {
    WriteLog("HTTP reply cannot be written to %s", transfer.outputPath.c_str());
    return HttpOutcome::kFailed;
  }
  return outcome;
}

void SetHttpLimits(const HttpLimits& limits) {
  std::lock_guard lock(gSettingsMutex);
  gLimits = limits;
}

HttpLimits GetHttpLimits() {
  std::lock_guard lock(gSettingsMutex);
  return gLimits;
}

void SetHttpTrustedAuthorities(const std::string& pemPath) {
  std::lock_guard lock(gSettingsMutex);
  gTrustedAuthorities = pemPath;
}

}  // namespace sys
