#include "tests/windows/script/ScriptTestKit.h"

#include <regex>

#include "platform/file/FileIndex.h"
#include "platform/text/Log.h"

ScriptTestKit::ScriptTestKit() { ClearLog(); }

// Setting the folder starts a new log there.
void ScriptTestKit::ClearLog() const { SetLogFolder(mLogs.Path().c_str()); }

std::vector<std::string> ScriptTestKit::LogEntries() const {
  static const std::regex stamp(R"((^|\n)\w{3} \w{3} [ \d]\d \d\d:\d\d:\d\d \d+: )");
  const std::string text = ReadWholeFile(GetLogPath().CStr());
  std::vector<std::string> entries;
  std::sregex_token_iterator piece(text.begin(), text.end(), stamp, -1), end;
  for (; piece != end; ++piece) {
    std::string entry = *piece;
    if (!entry.empty() && entry.back() == '\n') entry.pop_back();
    if (!entry.empty()) entries.push_back(entry);
  }
  return entries;
}

void ScriptTestKit::WriteScript(const std::string& name, const std::string& text) const {
  files.WriteAsset(name, text);
  BuildFileIndex();
}
