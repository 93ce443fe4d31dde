// Speed of the string cipher: building one runs the Blowfish key schedule
// (521 block encryptions); the preference and hiscore files are enciphered
// and deciphered whole on every save and load.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/crypto/TStringCipher.h"

namespace {

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
