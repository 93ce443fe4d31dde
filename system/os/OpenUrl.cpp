#include "system/os/OpenUrl.h"

#include <spawn.h>
#include <strings.h>
#include <sys/wait.h>

#include <thread>

#include "system/os/LayerLog.h"

extern char** environ;

namespace sys {
namespace {

bool StartsWithIgnoringCase(const std::string& text, const char* prefix) {
  return strncasecmp(text.c_str(), prefix, std::char_traits<char>::length(prefix)) == 0;
}

TUrlOpener gUrlOpener = nullptr;

void ReapWhenDone(pid_t child) {
  std::thread([child] {
    int status = 0;
    waitpid(child, &status, 0);
  }).detach();
}

}  // namespace

bool IsOpenableUrl(const std::string& address) {
  for (const char* scheme : {"http://", "https://", "mailto:"}) {
    if (StartsWithIgnoringCase(address, scheme)) return true;
  }
  return false;
}

pid_t SpawnProgram(const std::string& program, const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t child = -1;
  int error = posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv.data(), environ);
  if (error != 0) {
    WriteLog("Cannot start %s (error %d)", program.c_str(), error);
    return -1;
  }
  return child;
}

void SetUrlOpener(TUrlOpener opener) { gUrlOpener = opener; }

bool OpenUrl(const std::string& address, const std::string& program) {
  if (!IsOpenableUrl(address)) {
    WriteLog("Refused to open \"%s\": only http, https and mailto addresses are opened",
             address.c_str());
    return false;
  }
  if (gUrlOpener) return gUrlOpener(address, program);
  pid_t child = SpawnProgram(program, {address});
  if (child < 0) return false;
  ReapWhenDone(child);
  return true;
}

}  // namespace sys
