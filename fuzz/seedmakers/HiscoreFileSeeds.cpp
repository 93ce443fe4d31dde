// Makes the seeds of HiscoreFileFuzz: score files written by the hiscore
// client as its tests fill it (tests/online/HiscoreRig.h), and the plain
// documents inside them, which the fuzzer also seals into files of its own:
//   HiscoreFileSeeds fuzz/seeds
// Each seed is written as <seeds>/HiscoreFileFuzz/<name>; findings kept
// beside them are left alone.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "online/THiscoreImpl.h"
#include "platform/crypto/TStringCipher.h"
#include "platform/file/FileIndex.h"
#include "platform/file/TFile.h"
#include "tests/online/HiscoreRig.h"
#include "tests/support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

void WriteSeed(const fs::path& folder, const std::string& name, const std::string& bytes) {
  std::ofstream(folder / name, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The file the client saves, and the document and zero byte inside it.
void WriteSeeds(const fs::path& folder, const std::string& name, const THiscoreImpl& hiscores) {
  hiscores.Save();
  std::string file;
  FileReadAll("user:hiscore.dat", &file);
  WriteSeed(folder, name + ".dat", file);
  TStringCipher cipher(kHiscoreTestKey);
  const int cipherSize = static_cast<int>(file.size()) - 8;
  std::string plain(static_cast<size_t>(cipher.Decrypt(file.data(), cipherSize, nullptr, 0, false)), '\0');
  cipher.Decrypt(file.data(), cipherSize, plain.data(), static_cast<int>(plain.size()), false);
  WriteSeed(folder, name + ".txt", plain);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <seeds folder>\n", argv[0]);
    return 2;
  }
  const fs::path folder = fs::path(argv[1]) / "HiscoreFileFuzz";
  fs::create_directories(folder);
  TempFolder data;
  SetDataFolders(data.Path().c_str(), data.Path().c_str());

  THiscoreImpl empty(kHiscoreTestKey, true);
  WriteSeeds(folder, "empty", empty);

  THiscoreImpl sample(kHiscoreTestKey, true);
  FillSampleHiscores(&sample);
  WriteSeeds(folder, "sample", sample);

  THiscoreImpl played(kHiscoreTestKey, true);
  played.playerName = "Ann";
  played.gameMode = "quorvane_gamemode_adv";
  played.gameVersion = "1.0";
  played.AddLocalScore(1200, false, "31", "");
  played.AddLocalScore(900, true, "", "<extra/>");
  WriteSeeds(folder, "played", played);
  return 0;
}
