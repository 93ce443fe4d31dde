// Start-up cost of the file index and the cost of one name lookup. Goals:
// the index of 5,000 loose files and a pack of 5,000 entries is built in 50 ms
// or less; a million lookups a second or more.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/BenchFolder.h"
#include "bench/support/SpeedGoals.h"
#include "platform/file/FileIndex.h"
#include "tests/support/PackWriter.h"

namespace {

constexpr int kFolders = 50;
constexpr int kFilesPerFolder = 100;
constexpr int kPackEntries = 5000;

// A program folder with 5,000 loose asset files in 50 folders and one pack
// of 5,000 entries.
class AssetTree {
 public:
  AssetTree() {
    PackWriter pack;
    for (int folder = 0; folder < kFolders; ++folder) {
      for (int file = 0; file < kFilesPerFolder; ++file) {
        std::string name = "Folder" + std::to_string(folder) + "/Image" + std::to_string(file) + ".png";
        mFolder.Write("assets/" + name, "x");
        mNames.push_back(name);
      }
    }
    for (int entry = 0; entry < kPackEntries; ++entry) {
      pack.Add("packed/Script" + std::to_string(entry) + ".lua", "-- script");
    }
    mFolder.Write("assets/data.vqp", pack.Bytes());
    SetProgramFolder(mFolder.Path().c_str());
    SetDataFolders((mFolder.Path() / "user").c_str(), (mFolder.Path() / "common").c_str());
  }

  const std::vector<std::string>& Names() const { return mNames; }

 private:
  BenchFolder mFolder;
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

const SpeedGoals kGoals{
    {"BM_BuildFileIndex", kTimeMs, Goal::kAtMost, 50},
    {"BM_ResolvePath", "items_per_second", Goal::kAtLeast, 1e6},
};

}  // namespace
