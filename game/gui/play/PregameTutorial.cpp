#include "game/gui/play/PregameTutorial.h"

#include <cctype>

#include "platform/text/Log.h"
#include "platform/xml/TStringTable.h"

namespace GUI {

namespace {

constexpr const char* kPregamesFile = "levels/pregames.xml";
constexpr const char* kNoPregameRow = "#####";

bool IsSafeTutorialName(const TString& name) {
  for (int i = 0; i < name.Length(); ++i) {
    const unsigned char c = static_cast<unsigned char>(name.CStr()[i]);
    if (!std::isalnum(c) && c != '_' && c != '-' && c != '.' && c != '/') return false;
  }
  return true;
}

}  // namespace

TString ReadPregameTutorial(const GamePlay::TLevelKey& level) {
  TStringTable pregames;
  pregames.SetQuiet(true);  // most levels have no tutorial before them
  if (!pregames.Load(kPregamesFile)) return "";
  const TString name = pregames.GetString(TString::Format("World%02u_%02u", level.world, level.level));
  if (name == kNoPregameRow) return "";
  if (!IsSafeTutorialName(name)) {
    LogPrintf("Pre-game tutorial name refused: %s", name.CStr());
    return "";
  }
  return name;
}

}  // namespace GUI
