// Feeds arbitrary bytes to the start screens' file: each row's label is
// read back from the table as a level's key would be, and its entry is
// read into text or pictures, which stay within their bounds.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "game/gui/screens/StartScreenEntry.h"
#include "platform/xml/TStringTable.h"
#include "tests/support/FuzzFileLayer.h"

namespace {

using GUI::TStartScreenEntry;

void CheckEntry(const TString& text) {
  const TStartScreenEntry entry = TStartScreenEntry::Read(text);
  if (entry.pictures.size() > TStartScreenEntry::kMaxPages) abort();
  for (const TString& name : entry.pictures) {
    if (name.IsEmpty() || name.Length() > TStartScreenEntry::kMaxNameLength) abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = FuzzText(data, size);
  WriteFuzzAsset(TStartScreenEntry::kFileName, text);
  TStringTable table;
  table.SetQuiet(true);
  if (!table.Load(TStartScreenEntry::kFileName)) return 0;
  for (int32_t world : {0, 1, 10}) {
    for (int32_t level : {1, 3, 4}) CheckEntry(table.GetString(TStartScreenEntry::Key(world, level)));
  }
  CheckEntry(text.c_str());
  return 0;
}
