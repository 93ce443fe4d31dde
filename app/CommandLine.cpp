#include "app/CommandLine.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

constexpr char kHostWindowSwitch[] = "-wnd=";
constexpr char kCheatSwitch[] = "--cheat";
constexpr char kHostProgramSwitch[] = "-host=";
constexpr char kOptionsSwitch[] = "options=";
constexpr size_t kLongestProgramName = 259;
constexpr char kBlanks[] = " \t";

// The text right after the first occurrence of the switch; null when absent.
const char* After(const char* line, const char* name) {
  const char* found = std::strstr(line, name);
  return found ? found + std::strlen(name) : nullptr;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

TString ToTString(std::string_view text) { return TString(text.data(), static_cast<int>(text.size())); }

}  // namespace

bool HasSwitch(const char* line, const char* name) { return std::strstr(line, name) != nullptr; }

uint32_t ReadHostWindowHandle(const char* line) {
  const char* text = After(line, kHostWindowSwitch);
  if (!text) return 0;
  char* end = nullptr;
  unsigned long long handle = std::strtoull(text, &end, 16);
  if (end == text || handle > UINT32_MAX) return 0;
  return static_cast<uint32_t>(handle);
}

TString ReadCheatCode(const char* line) {
  const char* text = After(line, kCheatSwitch);
  if (!text || *text == '\0') return "";
  return TString(text + 1);
}

TString ReadHostProgram(const char* line) {
  const char* text = After(line, kHostProgramSwitch);
  if (!text) return "";
  while (IsBlank(*text)) ++text;
  size_t length = std::strcspn(text, kBlanks);
  return ToTString(std::string_view(text, std::min(length, kLongestProgramName)));
}

void ReadOptions(const char* line, std::map<TString, TString>& settings) {
  const char* start = After(line, kOptionsSwitch);
  if (!start) return;
  std::string_view text(start);
  while (!text.empty() && !IsBlank(text.front())) {
    size_t equals = text.find('=');
    if (equals == std::string_view::npos) return;
    std::string_view name = text.substr(0, equals);
    std::string_view rest = text.substr(equals + 1);
    size_t end = rest.find('&');
    if (end == std::string_view::npos) end = rest.find_first_of(kBlanks);
    settings[ToTString(name)] = ToTString(rest.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  }
}

std::string JoinCommandLine(int argc, const char* const* argv) {
  std::string line;
  for (int index = 1; index < argc; ++index) {
    if (index > 1) line += ' ';
    line += argv[index];
  }
  return line;
}
