// Feeds arbitrary bytes to the hiscore client as its score file
// "user:hiscore.dat", twice: as they are, and as the plain text of a file
// enciphered and checksummed the way the client writes one, so that the
// checks after the checksum and the document reader are reached as well.
// Whatever loads must answer the getters, and what the client then saves must
// load into a client that saves the same bytes again.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/FuzzScratch.h"
#include "online/HiscoreFile.h"
#include "online/THiscoreImpl.h"
#include "platform/crypto/TStringCipher.h"
#include "platform/file/TFile.h"

namespace {

constexpr size_t kMaxInput = 1 << 20;
// The key the seeds are written with.
constexpr char kKey[] = "S2V5T2ZUaGVHYW1l";

std::string SavedScoreFile() {
  std::string bytes;
  FileReadAll("user:hiscore.dat", &bytes);
  return bytes;
}

void ReadEverything(THiscoreImpl& hiscores) {
  char name[16];
  char data[16];
  for (const auto& [mode, list] : hiscores.localLists) {
    hiscores.gameMode = mode;
    for (int32_t i = 0; i < hiscores.GetScoreCount(true); ++i) {
      int32_t rank = 0;
      int32_t score = 0;
      bool anonymous = false;
      if (!hiscores.GetScore(true, i, &rank, name, sizeof name, &anonymous, &score, data, sizeof data)) {
        std::abort();
      }
    }
    hiscores.GetPendingScore(0, nullptr, nullptr, data, sizeof data);
  }
  for (const auto& [player, account] : hiscores.accounts) {
    hiscores.playerName = player;
    if (!hiscores.GetAccount(name, sizeof name, data, sizeof data)) std::abort();
  }
}

void LoadAndSaveAgain(const std::string& file) {
  FuzzScratch::Get().Write("user/hiscore.dat", file);
  std::string saved;
  {
    THiscoreImpl hiscores(kKey, true);
    hiscores.Load();
    ReadEverything(hiscores);
    hiscores.Save();
    saved = SavedScoreFile();
  }
  THiscoreImpl again(kKey, true);
  again.Load();
  again.Save();
  if (SavedScoreFile() != saved) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  const std::string input(reinterpret_cast<const char*>(data), size);
  LoadAndSaveAgain(input);
  LoadAndSaveAgain(SealHiscoreFile(TStringCipher(kKey), input));
  return 0;
}
