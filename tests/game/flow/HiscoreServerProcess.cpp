#include "tests/game/flow/HiscoreServerProcess.h"

#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>

#include "game/gui/main/TGameApp.h"
#include "tools/hiscore/HiscoreServer.h"

namespace {

// Longer than both starts of the game together on a busy machine.
constexpr unsigned kServerSeconds = 900;

// The test runner waits for every holder of the test's output to let go:
// the service keeps none of it.
void LetGoOfTheTerminal() {
  setsid();
  const int nowhere = open("/dev/null", O_RDWR);
  for (int fd = 0; fd <= 2; ++fd) dup2(nowhere, fd);
  if (nowhere > 2) close(nowhere);
}

[[noreturn]] void ServeUntilStopped(int reportFd) {
  LetGoOfTheTerminal();
  // Blocked before the server's threads start, so that only the wait below
  // takes the signals.
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGTERM);
  sigaddset(&stop, SIGALRM);
  pthread_sigmask(SIG_BLOCK, &stop, nullptr);
  HiscoreServer server;
  server.Service().AddGame("quorvane", TGameApp::kEncryptionKey);
  server.Service().AddCategory("quorvane", "alltime", "All time");
  const std::string address = server.IsListening() ? server.Address() : "";
  (void)!write(reportFd, address.data(), address.size());
  close(reportFd);
  alarm(kServerSeconds);
  int signal = 0;
  sigwait(&stop, &signal);
  std::_Exit(0);
}

}  // namespace

HiscoreServerProcess HiscoreServerProcess::Start() {
  HiscoreServerProcess started;
  int report[2];
  if (pipe(report) != 0) return started;
  const pid_t child = fork();
  if (child == 0) {
    close(report[0]);
    ServeUntilStopped(report[1]);
  }
  close(report[1]);
  if (child < 0) {
    close(report[0]);
    return started;
  }
  started.mPid = child;
  char buffer[128];
  ssize_t n = 0;
  while ((n = read(report[0], buffer, sizeof buffer)) > 0) started.mAddress.append(buffer, static_cast<size_t>(n));
  close(report[0]);
  return started;
}

HiscoreServerProcess HiscoreServerProcess::Load(const std::string& file) {
  HiscoreServerProcess loaded;
  std::ifstream in(file);
  in >> loaded.mPid >> loaded.mAddress;
  return loaded;
}

void HiscoreServerProcess::Save(const std::string& file) const {
  std::ofstream out(file);
  out << mPid << "\n" << mAddress << "\n";
}

namespace {

// The program a process runs; a program rebuilt since it started shows as
// "(deleted)" behind its path.
std::string ProgramOf(const std::string& process) {
  static constexpr std::string_view kReplaced = " (deleted)";
  std::error_code error;
  std::string program = std::filesystem::read_symlink("/proc/" + process + "/exe", error).string();
  if (program.size() > kReplaced.size() && program.ends_with(kReplaced)) program.resize(program.size() - kReplaced.size());
  return program;
}

}  // namespace

// A process id read back may by now belong to another program: only a
// process of this program is ours to end.
bool HiscoreServerProcess::IsOurs() const {
  return mPid > 0 && ProgramOf(std::to_string(mPid)) == ProgramOf("self");
}

void HiscoreServerProcess::Stop() {
  if (IsOurs()) kill(mPid, SIGTERM);
  mPid = 0;
}
