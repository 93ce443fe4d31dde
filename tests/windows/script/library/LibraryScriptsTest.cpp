#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/TempFolder.h"
#include "tests/support/windows/ScreenScriptDriver.h"

// Every script NAME.lua in the cases folder runs as the screen coroutine of
// a window script (ScreenScriptDriver), once as it is and once with the
// collector running at every check point. What it writes, with the log's
// entries, must equal NAME.out byte for byte. Files the cases load live in
// sub-folders. Expected files are written by hand.

namespace {

std::vector<std::string> CaseFiles() {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(LIBRARY_CASES_FOLDER)) {
    if (entry.path().extension() == ".lua") files.push_back(entry.path().filename().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string Expected(const std::string& file) {
  std::filesystem::path path = std::filesystem::path(LIBRARY_CASES_FOLDER) / file;
  return ReadWholeFile(path.replace_extension(".out").string());
}

class LibraryScripts : public ::testing::TestWithParam<std::tuple<std::string, bool>> {};

TEST_P(LibraryScripts, WriteTheExpectedOutput) {
  const auto& [file, collectorStress] = GetParam();
  ScreenScriptDriver driver(LIBRARY_CASES_FOLDER, collectorStress);
  EXPECT_EQ(driver.Run(file), Expected(file));
}

INSTANTIATE_TEST_SUITE_P(Cases, LibraryScripts, ::testing::Combine(::testing::ValuesIn(CaseFiles()), ::testing::Bool()),
                         [](const ::testing::TestParamInfo<std::tuple<std::string, bool>>& info) {
                           std::string name = std::get<0>(info.param);
                           name = name.substr(0, name.size() - 4);
                           std::replace_if(name.begin(), name.end(), [](char c) { return !isalnum(c); }, '_');
                           return name + (std::get<1>(info.param) ? "_UnderCollectorStress" : "");
                         });

}  // namespace
