// Feeds arbitrary bytes to the string table as its file (plain text or a
// "ZXML" container), then looks up the labels its cells may hold with
// arguments that refer to arguments, to labels, to the label itself and to
// nothing. Loading and every lookup must end, without a fault.

#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/FuzzScratch.h"
#include "platform/xml/TStringTable.h"
#include "platform/xml/XmlEntities.h"

namespace {

constexpr size_t kMaxInput = 1 << 20;
constexpr size_t kMaxLabels = 64;

// The texts of the first cells in the bytes, found roughly as the table
// finds them: what follows the ">" after a "<Data", up to the next "<".
std::vector<std::string> CellTexts(const std::string& bytes) {
  std::vector<std::string> texts;
  for (size_t at = bytes.find("<Data"); at != std::string::npos && texts.size() < kMaxLabels;
       at = bytes.find("<Data", at + 1)) {
    size_t open = bytes.find('>', at);
    size_t close = open == std::string::npos ? open : bytes.find('<', open + 1);
    if (close == std::string::npos) break;
    texts.push_back(DecodeXmlEntities(bytes.data() + open + 1, close - open - 1));
  }
  return texts;
}

void LookUp(const TStringTable& table, const TString& label) {
  const TString reference = TString("%") + label + "%";
  const TString arguments[] = {"%1%", "%%", reference, "%", "plain"};
  table.Lookup(label, 0, nullptr);
  table.Lookup(label, 5, arguments);
  table.GetString(label, reference, "%2%", "%Missing%", "100%%");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  FuzzScratch::Get().Write("user/strings.xml", data, size);
  TStringTable table;
  table.SetQuiet(true);
  table.Load("user:strings.xml");
  for (const std::string& text : CellTexts(std::string(reinterpret_cast<const char*>(data), size))) {
    LookUp(table, TString(text.data(), static_cast<int>(text.size())));
  }
  return 0;
}
