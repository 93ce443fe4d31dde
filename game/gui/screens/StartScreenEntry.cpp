#include "game/gui/screens/StartScreenEntry.h"

#include <string>

#include "platform/text/Log.h"

namespace GUI {

namespace {

std::string TrimmedName(const std::string& text, size_t begin, size_t end) {
  while (begin < end && text[begin] == ' ') ++begin;
  while (end > begin && text[end - 1] == ' ') --end;
  return text.substr(begin, end - begin);
}

void AddPictureName(const std::string& name, std::vector<TString>& pictures) {
  if (name.empty()) return;
  if (static_cast<int>(name.size()) > TStartScreenEntry::kMaxNameLength) {
    LogPrintf("Start screen: a picture name of %zu characters is too long and is left out", name.size());
    return;
  }
  if (pictures.size() == TStartScreenEntry::kMaxPages) {
    LogPrintf("Start screen: more than %zu pictures, \"%s\" is left out", TStartScreenEntry::kMaxPages,
              name.c_str());
    return;
  }
  pictures.emplace_back(name.c_str());
}

}  // namespace

TString TStartScreenEntry::Key(int32_t first, int32_t second) {
  return TString::Format("World%02d_%02d", static_cast<int>(first), static_cast<int>(second));
}

TStartScreenEntry TStartScreenEntry::Read(const TString& text) {
  TStartScreenEntry entry;
  entry.text = text;
  const std::string raw(text.CStr(), static_cast<size_t>(text.Length()));
  if (raw.empty() || raw[0] != kImageMark) return entry;
  for (size_t begin = 1; begin <= raw.size();) {
    size_t end = raw.find(kNameSeparator, begin);
    if (end == std::string::npos) end = raw.size();
    AddPictureName(TrimmedName(raw, begin, end), entry.pictures);
    begin = end + 1;
  }
  return entry;
}

}  // namespace GUI
