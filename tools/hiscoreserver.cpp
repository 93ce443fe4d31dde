// Runs our own hiscore service on 127.0.0.1 until interrupted, for trying
// the game's hiscore screens by hand and for the acceptance run:
//   hiscoreserver PORT
// Put the address it prints into "hiscoreserver.txt" in the game's folder.
// It knows the game "quorvane" with its built-in key and one category.

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "game/gui/main/TGameApp.h"
#include "tools/hiscore/HiscoreServer.h"

namespace {

constexpr int kHighestPort = 65535;

// A port of 1 to 65535, or 0 when the text is none.
uint16_t PortArgument(const char* text) {
  char* end = nullptr;
  const long port = std::strtol(text, &end, 10);
  return *text && *end == '\0' && port > 0 && port <= kHighestPort ? static_cast<uint16_t>(port) : 0;
}

}  // namespace

int main(int argc, char** argv) {
  const uint16_t port = argc == 2 ? PortArgument(argv[1]) : 0;
  if (port == 0) {
    std::fprintf(stderr, "usage: hiscoreserver PORT (1 to %d)\n", kHighestPort);
    return 2;
  }
  // Blocked before the server's threads start, so that they inherit it and
  // only the wait below takes the signal.
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGINT);
  sigaddset(&stop, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stop, nullptr);
  HiscoreServer server(port);
  if (!server.IsListening()) {
    std::fprintf(stderr, "hiscoreserver: cannot listen on 127.0.0.1:%u\n", port);
    return 1;
  }
  server.Service().AddGame("quorvane", TGameApp::kEncryptionKey);
  server.Service().AddCategory("quorvane", "alltime", "All time");
  std::printf("Hiscore server at %s\n", server.Address().c_str());
  std::fflush(stdout);
  int signal = 0;
  sigwait(&stop, &signal);
  std::printf("Stopped after %zu requests\n", server.Requests().size());
  return 0;
}
