// Speed of the hiscore client's side of the protocol. Submitting a score
// builds its document and enciphers it: 20 µs or less, nothing the player
// could notice. The reply to a score request of 500 scores (our own
// service's reply, as the game asks for) is parsed and read into the
// downloaded list in 2 ms or less, within one frame of the hiscore window.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/support/SpeedGoals.h"
#include "online/HiscoreDocuments.h"
#include "online/HttpEscape.h"
#include "online/THiscoreImpl.h"
#include "platform/crypto/TStringCipher.h"
#include "tests/online/HiscoreRig.h"
#include "tools/hiscore/HiscoreService.h"

namespace {

const SpeedGoals kGoals{
    {"BM_BuildAndEncodeScoreDocument", kTimeMs, Goal::kAtMost, 0.02},
    {"BM_HandleReplyOfFiveHundredScores", kTimeMs, Goal::kAtMost, 2},
};

constexpr char kBenchGame[] = "quorvane";
constexpr char kBenchMode[] = "quorvane_gamemode_adv";

THiscoreRecord BenchRecord(int32_t score) {
  THiscoreRecord record = HiscoreRow(1, score, "Player name", "0123456789abcdef0123456789abcdef");
  record.gameData = "31323334353";
  record.serverData = "<medal name=\"quorvane_completedjourney\" per=\"game\"/>";
  record.version = "1.0.0";
  return record;
}

void BM_BuildAndEncodeScoreDocument(benchmark::State& state) {
  const TStringCipher cipher(kHiscoreTestKey);
  const THiscoreRecord record = BenchRecord(123456);
  for (auto _ : state) {
    TString document = HiscoreScoreDocument(record, {"online name", "password", kBenchMode, kBenchGame});
    benchmark::DoNotOptimize(EncodeHiscoreDocument(cipher, document));
  }
}
BENCHMARK(BM_BuildAndEncodeScoreDocument)->Unit(benchmark::kMicrosecond);

// Our service's answer to a request for 500 scores of a full table.
std::string FiveHundredScores() {
  HiscoreService service;
  service.AddGame(kBenchGame, kHiscoreTestKey);
  const TStringCipher cipher(kHiscoreTestKey);
  for (int32_t i = 0; i < 500; ++i) {
    THiscoreRecord record = BenchRecord(100000 - i * 7);
    record.guid = TString::Format("%032d", i);
    const TString document = HiscoreScoreDocument(record, {"online name", nullptr, kBenchMode, kBenchGame});
    service.Answer(std::string("game=quorvane&action=submit&score=") +
                   HttpEscape(EncodeHiscoreDocument(cipher, document).CStr()).CStr());
  }
  return service.Answer("game=quorvane&action=get&type=quorvane_gamemode_adv&numScores=500&username=x");
}

void BM_HandleReplyOfFiveHundredScores(benchmark::State& state) {
  const std::string reply = FiveHundredScores();
  THiscoreImpl hiscores(kHiscoreTestKey, false);
  hiscores.requestKind = THiscoreImpl::kScoreDownload;
  char error[128];
  for (auto _ : state) {
    if (hiscores.HandleReply(1, reply.c_str(), error, sizeof error, nullptr) != THiscoreImpl::kReplyHandled) {
      state.SkipWithError("the reply was not taken in");
    }
  }
  if (hiscores.downloaded.records.size() != 500) state.SkipWithError("not 500 scores");
}
BENCHMARK(BM_HandleReplyOfFiveHundredScores)->Unit(benchmark::kMillisecond);

}  // namespace
