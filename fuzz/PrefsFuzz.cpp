// Feeds arbitrary bytes to the preference store as its file "user:prefs.dat",
// read without a key (plain) and with one (enciphered). Whatever it reads must
// answer its accessors and save, and the saved file must load into a store
// that saves the same bytes again, so nothing read is lost or changed by a
// save.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/FuzzScratch.h"
#include "platform/file/TFile.h"
#include "platform/prefs/SettingsSource.h"
#include "platform/prefs/TPrefs.h"

namespace {

constexpr size_t kMaxInput = 1 << 20;
constexpr int kMaxPlayersRead = 8;
// The key the enciphered seeds are written with.
constexpr char kKey[] = "S2V5T2ZUaGVHYW1l";

bool gKeyed = false;

TString FuzzSetting(const TString& key) { return gKeyed && key == "encryptionkey" ? kKey : ""; }

std::string SavedFile() {
  std::string bytes;
  FileReadAll("user:prefs.dat", &bytes);
  return bytes;
}

void ReadEntries(TPrefs& prefs) {
  const int players = std::min(prefs.GetUserCount(), kMaxPlayersRead);
  for (int player = -1; player < players; ++player) {
    prefs.GetValue("name", "none", player);
    prefs.GetInt("level", 0, player);
    char buffer[64];
    prefs.GetData("data", buffer, sizeof buffer, player);
    prefs.GetData("data", nullptr, 0, player);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  const FuzzScratch& scratch = FuzzScratch::Get();
  SetSettingsReader(FuzzSetting);
  for (bool keyed : {false, true}) {
    gKeyed = keyed;
    scratch.Write("user/prefs.dat", data, size);
    std::string saved;
    {
      TPrefs prefs(true);
      ReadEntries(prefs);
      prefs.Save();
      saved = SavedFile();
    }
    TPrefs again(true);
    again.Save();
    if (SavedFile() != saved) std::abort();
  }
  return 0;
}
