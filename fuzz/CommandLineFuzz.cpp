// Feeds arbitrary text to the readers of the command line: the switches, the
// host window handle, the cheat code, the host program and the "options="
// pairs, as the framework reads them at start, with each setting read back as
// the number and the flag the framework takes it for. The text is a command
// line as the framework keeps it (up to its first zero byte), and the same
// bytes split at zero bytes are the arguments that make one. What is read
// must come from the line: the cheat code is its tail, the host program one
// word of at most 259 characters, each option's name and value pieces of it.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "app/CommandLine.h"

namespace {

constexpr size_t kMaxInput = 1 << 16;
constexpr size_t kLongestProgramName = 259;

void Require(bool condition) {
  if (!condition) std::abort();
}

bool Holds(const std::string& line, const TString& piece) {
  return line.find(std::string(piece.CStr(), static_cast<size_t>(piece.Length()))) != std::string::npos;
}

void ReadLine(const std::string& line) {
  const char* text = line.c_str();
  for (const char* name : {"-wnd=", "--cheat", "--multiple", "screensaver", "-msn", "--axtest", "-pq="}) {
    HasSwitch(text, name);
  }
  ReadHostWindowHandle(text);

  const TString cheat = ReadCheatCode(text);
  Require(line.ends_with(cheat.CStr()));

  const TString program = ReadHostProgram(text);
  Require(static_cast<size_t>(program.Length()) <= kLongestProgramName && Holds(line, program));
  Require(program.FindChar(' ') < 0 && program.FindChar('\t') < 0);

  std::map<TString, TString> settings;
  ReadOptions(text, settings);
  for (const auto& [name, value] : settings) {
    Require(Holds(line, name) && Holds(line, value));
    value.ToInt();
    value.ToFloat();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  ReadLine(bytes.c_str());

  // The program's name, then each argument ends at a zero byte.
  std::vector<const char*> argv{"quorvane"};
  for (size_t start = 0;;) {
    argv.push_back(bytes.c_str() + start);
    size_t end = bytes.find('\0', start);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  const std::string joined = JoinCommandLine(static_cast<int>(argv.size()), argv.data());
  std::string expected = bytes;
  for (char& c : expected) c = c == '\0' ? ' ' : c;
  Require(joined == expected);
  ReadLine(joined);
  return 0;
}
