// Start-up cost of the file index and the cost of one name lookup.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/FileIndex.h"
#include "tests/support/PackWriter.h"

namespace {

constexpr int kFolders = 50;
constexpr int kFilesPerFolder = 100;
constexpr int kPackEntries = 5000;

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// A program folder with 5,000 loose asset files in 50 folders and one pack
// of 5,000 entries, removed at exit.
class AssetTree {
 public:
  AssetTree() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quorvane-bench-XXXXXX").string();
    mRoot = mkdtemp(pattern.data());
    std::filesystem::path assets = mRoot / "assets";
    PackWriter pack;
    for (int folder = 0; folder < kFolders; ++folder) {
      std::filesystem::path sub = assets / ("Folder" + std::to_string(folder));
      std::filesystem::create_directories(sub);
      for (int file = 0; file < kFilesPerFolder; ++file) {
        std::string name = "Image" + std::to_string(file) + ".png";
        WriteFile(sub / name, "x");
        mNames.push_back("folder" + std::to_string(folder) + "/" + name);
      }
    }
    for (int entry = 0; entry < kPackEntries; ++entry) {
      pack.Add("packed/Script" + std::to_string(entry) + ".lua", "-- script");
    }
    WriteFile(assets / "data.vqp", pack.Bytes());
    SetProgramFolder(mRoot.c_str());
    SetDataFolders((mRoot / "user").c_str(), (mRoot / "common").c_str());
  }
  ~AssetTree() { std::filesystem::remove_all(mRoot); }

  const std::vector<std::string>& Names() const { return mNames; }

 private:
  std::filesystem::path mRoot;
  std::vector<std::string> mNames;
};

AssetTree& Tree() {
  static AssetTree tree;
  return tree;
}

void BM_BuildFileIndex(benchmark::State& state) {
  Tree();
  for (auto _ : state) {
    ClearFileIndex();
    BuildFileIndex();
  }
}
BENCHMARK(BM_BuildFileIndex)->Unit(benchmark::kMillisecond);

void BM_ResolvePath(benchmark::State& state) {
  const std::vector<std::string>& names = Tree().Names();
  ClearFileIndex();
  BuildFileIndex();
  std::vector<TString> lookups;
  for (size_t i = 0; i < names.size(); i += 7) lookups.push_back(("Assets/" + names[i]).c_str());
  size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ResolvePath(lookups[next]));
    next = next + 1 == lookups.size() ? 0 : next + 1;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ResolvePath);

}  // namespace
