// Replays inputs through a fuzzing program's entry point without libFuzzer, so
// that the test build runs every seed and every saved finding as a regression
// case under its sanitizers:
//
//   <fuzzer>_replay FOLDER...
//
// Every file of each folder (sorted by name) is one input; a folder that does
// not exist holds none. The program runs headless with its per-user folders in
// a temporary folder, as the tests do. A fault aborts it with the sanitizer's
// report after the name of the input; finding no input at all is a failure
// too, so a fuzzing program cannot lose its seeds unseen.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/Headless.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

std::vector<std::filesystem::path> InputsIn(const char* folder) {
  std::vector<std::filesystem::path> inputs;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.is_regular_file()) inputs.push_back(entry.path());
  }
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

}  // namespace

int main(int argc, char** argv) {
  TempFolder home;
  RunHeadlessIn(home);
  if (LLVMFuzzerInitialize != nullptr) LLVMFuzzerInitialize(&argc, &argv);
  size_t replayed = 0;
  for (int i = 1; i < argc; i++) {
    for (const std::filesystem::path& input : InputsIn(argv[i])) {
      fprintf(stderr, "replaying %s\n", input.c_str());
      const std::string bytes = ReadWholeFile(input);
      LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
      replayed++;
    }
  }
  printf("%zu inputs replayed\n", replayed);
  return replayed > 0 ? 0 : 1;
}
