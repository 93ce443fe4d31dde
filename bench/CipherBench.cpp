// Speed of the string cipher: building one runs the Blowfish key schedule
// (521 block encryptions); the preference and hiscore files are enciphered
// and deciphered whole on every save and load. Goals: a cipher built in
// 0.1 ms or less, and 16 KB enciphered or deciphered in 1 ms or less, so that
// a save or load of such a file takes a small share of a 16 ms frame.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/support/SpeedGoals.h"
#include "platform/crypto/TStringCipher.h"

namespace {

const SpeedGoals kGoals{
    {"BM_KeySchedule", kTimeMs, Goal::kAtMost, 0.1},
    {"BM_EncryptString/16384", kTimeMs, Goal::kAtMost, 1},
    {"BM_DecryptString/16384", kTimeMs, Goal::kAtMost, 1},
};

const TString kKeyText = "c3RyaW5nIGNpcGhlciBiZW5jaCBrZXk=";

TString Document(int length) {
  std::string text;
  while (static_cast<int>(text.size()) < length) text += "<user name=\"player\" level=\"12\" score=\"34567\"/>\n";
  text.resize(length);
  return text.c_str();
}

void BM_KeySchedule(benchmark::State& state) {
  for (auto _ : state) {
    TStringCipher cipher(kKeyText);
    benchmark::DoNotOptimize(&cipher);
  }
}
BENCHMARK(BM_KeySchedule);

void BM_EncryptString(benchmark::State& state) {
  TStringCipher cipher(kKeyText);
  TString text = Document(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(cipher.EncryptString(text));
  state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_EncryptString)->Arg(256)->Arg(16 << 10);

void BM_DecryptString(benchmark::State& state) {
  TStringCipher cipher(kKeyText);
  TString encrypted = cipher.EncryptString(Document(static_cast<int>(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(cipher.DecryptString(encrypted));
  state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DecryptString)->Arg(256)->Arg(16 << 10);

}  // namespace
