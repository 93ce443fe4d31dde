// Feeds arbitrary bytes to the hiscore client as the reply to each of its
// requests (a submission, a score download, a category download), as Update
// hands a finished transfer's reply on. The lists read must stay within what
// was asked, the own entry inside the downloaded list, the error text within
// its buffer, and the getters must answer for whatever was read.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz/FuzzScratch.h"
#include "online/HiscoreReply.h"
#include "online/THiscoreImpl.h"

namespace {

constexpr size_t kMaxReply = 1 << 20;
constexpr char kReplyFuzzKey[] = "S2V5T2ZUaGVHYW1l";
constexpr char kReplyFuzzMode[] = "quorvane_gamemode_adv";
constexpr int32_t kErrorSize = 24;

// A player with a score in flight, and scores of another player.
void PrepareSubmission(THiscoreImpl& hiscores) {
  hiscores.playerName = "Pia";
  hiscores.gameMode = kReplyFuzzMode;
  hiscores.accounts["Pia"] = {"Pia", "pia", "pw"};
  hiscores.AddLocalScore(300, false, "", "");
  hiscores.AddLocalScore(200, false, "", "");
  const THiscoreRecord& sent = hiscores.localLists[kReplyFuzzMode].records.front();
  hiscores.submission = {kReplyFuzzMode, "Pia", {{sent.guid, sent.score}}};
  hiscores.playerName = "Ola";
  hiscores.AddLocalScore(250, false, "", "");
}

void ReadEverything(const THiscoreImpl& hiscores) {
  char text[8];
  if (hiscores.downloaded.records.size() > THiscoreReply::kMostScores) std::abort();
  if (hiscores.tables.size() > THiscoreReply::kMostTables) std::abort();
  if (hiscores.ownIndex != THiscoreImpl::kNoOwnEntry &&
      (hiscores.ownIndex < 0 || static_cast<size_t>(hiscores.ownIndex) >= hiscores.downloaded.records.size())) {
    std::abort();
  }
  for (int32_t i = 0; i < hiscores.GetScoreCount(false); ++i) {
    if (!hiscores.GetScore(false, i, nullptr, text, sizeof text, nullptr, nullptr, text, sizeof text)) std::abort();
  }
  for (int32_t i = 0; i < static_cast<int32_t>(hiscores.tables.size()); ++i) {
    if (!hiscores.GetTableName(i, text, sizeof text)) std::abort();
  }
  hiscores.GetPendingScore(1, nullptr, nullptr, text, sizeof text);
}

void HandleAs(int32_t kind, const std::string& reply) {
  THiscoreImpl hiscores(kReplyFuzzKey, false);
  PrepareSubmission(hiscores);
  hiscores.requestKind = kind;
  char error[kErrorSize + 1];
  error[kErrorSize] = 'X';
  bool scoreFlag = true;
  const int32_t result = hiscores.HandleReply(1, reply.c_str(), error, kErrorSize, &scoreFlag);
  if (result != THiscoreImpl::kReplyHandled && result != THiscoreImpl::kFailed) std::abort();
  if (error[kErrorSize] != 'X') std::abort();
  if (result == THiscoreImpl::kFailed && std::memchr(error, 0, kErrorSize) == nullptr) std::abort();
  if (kind == THiscoreImpl::kSubmission && result == THiscoreImpl::kFailed && scoreFlag) std::abort();
  ReadEverything(hiscores);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxReply) return 0;
  FuzzScratch::Get();
  // The reply as the transfer gives it: up to its first zero byte.
  const std::string reply(reinterpret_cast<const char*>(data), size);
  for (int32_t kind : {THiscoreImpl::kSubmission, THiscoreImpl::kScoreDownload, THiscoreImpl::kCategoryDownload}) {
    HandleAs(kind, reply.c_str());
  }
  return 0;
}
