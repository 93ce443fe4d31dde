#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/TempFolder.h"

// Every script file NAME.lua in the cases folder runs through the script
// runner (tools/scriptrun): once from its text, once through a precompiled
// chunk of it, and once with the collector running at every check point. The
// runner works in a temporary folder whose "assets" is the cases folder, so
// the cases and the files they load are found by logical names. Its standard
// output must equal NAME.out byte for byte (no file: no output). When
// NAME.err exists, the script must fail: the runner exits with 1 and its
// standard error is that text (so error positions survive the chunk);
// otherwise it exits with 0 and writes nothing there. Files the cases load
// live in sub-folders. Expected files are written by hand.

extern char** environ;

namespace {

struct RunnerResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the file, with the runner's options.
RunnerResult RunScript(const std::string& file, const std::vector<std::string>& options) {
  TempFolder temp;
  std::filesystem::create_directory_symlink(SCRIPT_CASES_FOLDER, temp.File("assets"));
  const std::string outPath = temp.File("out");
  const std::string errPath = temp.File("err");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, temp.Path().c_str());
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  std::string program = SCRIPTRUN_PATH;
  std::vector<std::string> arguments = {program};
  arguments.insert(arguments.end(), options.begin(), options.end());
  arguments.push_back(file);
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_t pid;
  RunnerResult run;
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    run.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  run.out = ReadWholeFile(outPath);
  run.err = ReadWholeFile(errPath);
  return run;
}

std::vector<std::string> CaseFiles() {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(SCRIPT_CASES_FOLDER)) {
    if (entry.path().extension() == ".lua") files.push_back(entry.path().filename().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// The file beside a case with the same name and another extension.
std::string Companion(const std::string& file, const char* extension) {
  std::filesystem::path path = std::filesystem::path(SCRIPT_CASES_FOLDER) / file;
  return path.replace_extension(extension).string();
}

void ExpectCase(const std::string& file, const std::vector<std::string>& options) {
  const RunnerResult run = RunScript(file, options);
  EXPECT_EQ(run.out, ReadWholeFile(Companion(file, ".out")));
  if (std::filesystem::exists(Companion(file, ".err"))) {
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, ReadWholeFile(Companion(file, ".err")));
  } else {
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
  }
}

class ScriptFiles : public ::testing::TestWithParam<std::string> {};

TEST_P(ScriptFiles, WriteTheExpectedOutput) { ExpectCase(GetParam(), {}); }

TEST_P(ScriptFiles, WriteTheSameFromTheirPrecompiledChunks) { ExpectCase(GetParam(), {"--dump"}); }

TEST_P(ScriptFiles, WriteTheSameWhenTheCollectorRunsAtEveryCheckPoint) {
  ExpectCase(GetParam(), {"--gc-stress"});
}

INSTANTIATE_TEST_SUITE_P(Cases, ScriptFiles, ::testing::ValuesIn(CaseFiles()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param.substr(0, info.param.size() - 4);
                           std::replace_if(
                               name.begin(), name.end(), [](char c) { return !isalnum(c); },
                               '_');
                           return name;
                         });

// Cases that catch no error: every allocation they make, refused alone in a
// run of its own, must end that run in the memory error, also through a
// precompiled chunk and with the collector at every check point (which then
// fails inside collections). The sanitizers watch every run for a crash, a
// leak or memory misuse on the way out.
class ScriptFilesUnderRefusedAllocations
    : public ::testing::TestWithParam<std::tuple<std::string, std::string>> {};

TEST_P(ScriptFilesUnderRefusedAllocations, EndInTheMemoryError) {
  const auto& [file, mode] = GetParam();
  std::vector<std::string> options = {"--alloc-sweep"};
  if (!mode.empty()) options.push_back(mode);
  const RunnerResult run = RunScript(file, options);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_THAT(run.out, ::testing::EndsWith("every run ended in the memory error\n"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScriptFilesUnderRefusedAllocations,
    ::testing::Combine(::testing::Values("tables.lua", "functions.lua", "concatenation.lua",
                                         "error_wide.lua", "window_script.lua"),
                       ::testing::Values("", "--dump", "--gc-stress")),
    [](const ::testing::TestParamInfo<std::tuple<std::string, std::string>>& info) {
      std::string name = std::get<0>(info.param) + std::get<1>(info.param);
      std::replace_if(name.begin(), name.end(), [](char c) { return !isalnum(c); }, '_');
      return name;
    });

}  // namespace
