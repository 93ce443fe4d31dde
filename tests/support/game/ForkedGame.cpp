#include "tests/support/game/ForkedGame.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "platform/file/FileIndex.h"
#include "tests/support/FakeClock.h"
#include "tests/support/Headless.h"

namespace {

void WriteAll(int fd, const std::string& text) {
  size_t written = 0;
  while (written < text.size()) {
    ssize_t n = write(fd, text.data() + written, text.size() - written);
    if (n <= 0) return;
    written += static_cast<size_t>(n);
  }
}

std::string ReadAll(int fd) {
  std::string text;
  char buffer[4096];
  ssize_t n = 0;
  while ((n = read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<size_t>(n));
  return text;
}

// Runs in the child: the process-wide objects die at its exit, as they do
// when the program ends.
[[noreturn]] void RunChild(const GameStart& start, const GameScript& script, int reportFd) {
  // A child that hangs is ended; the parent waits for it.
  alarm(start.mostSeconds);
  if (!start.home.empty()) RunHeadlessIn(start.home);
  // The display of the caller's desktop, with no sound all the same.
  if (start.onScreen) unsetenv("SDL_VIDEODRIVER");
  if (!start.programFolder.empty()) SetProgramFolder(start.programFolder.c_str());
  int exitCode = 0;
  std::string failures;
  {
    FakeClock clock;
    GameDriver driver(clock, script, start.onScreen);
    driver.SetOpening(start.opening);
    exitCode = driver.Run(start.commandLine);
    failures = driver.GetFailures();
  }
  WriteAll(reportFd, failures);
  close(reportFd);
  std::exit(exitCode);
}

}  // namespace

GameRun PlayGame(const GameStart& start, const GameScript& script) {
  GameRun run;
  int report[2];
  if (pipe(report) != 0) {
    run.failures = "no pipe for the child's report\n";
    return run;
  }
  // What the parent has buffered must not come out twice.
  std::fflush(nullptr);
  pid_t child = fork();
  if (child == 0) {
    close(report[0]);
    RunChild(start, script, report[1]);
  }
  close(report[1]);
  if (child < 0) {
    close(report[0]);
    run.failures = "the game could not be started\n";
    return run;
  }
  run.failures = ReadAll(report[0]);
  close(report[0]);
  int status = 0;
  if (waitpid(child, &status, 0) == child && WIFEXITED(status)) {
    run.exitCode = WEXITSTATUS(status);
  } else {
    run.failures += "the game did not exit by itself\n";
  }
  return run;
}
