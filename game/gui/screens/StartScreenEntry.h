#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/text/TString.h"

namespace GUI {

// One entry of "levels/startscreens.xml": the pages shown before a level.
// A text entry is shown as it is written. An image entry starts with "@"
// (no text entry does) and lists the names of its pictures, one for each
// page, separated by ";"; spaces around a name and empty names are
// ignored, and a list can hold at most kMaxPages names of at most
// kMaxNameLength characters each (longer ones are dropped with a log line).
struct TStartScreenEntry {
  static constexpr char kImageMark = '@';
  static constexpr char kNameSeparator = ';';
  static constexpr size_t kMaxPages = 16;
  static constexpr int kMaxNameLength = 128;

  // The file and the key of the entry of the level: "World%02d_%02d" of the
  // two numbers in the order given.
  static constexpr const char* kFileName = "levels/startscreens.xml";
  static TString Key(int32_t first, int32_t second);
  // Reads the entry's text.
  static TStartScreenEntry Read(const TString& text);

  TString text;
  // The pictures of an image entry, in page order; empty for a text entry.
  std::vector<TString> pictures;
};

}  // namespace GUI
