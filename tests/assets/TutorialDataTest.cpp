// Our tutorial scripts over the built data folder, read as the runner reads
// them: between them they use every attribute the runner knows, a delay,
// "StartNow", a modal dialog and an ending one, and every overlay names a
// graphic the registry preloads, so that it is there when the tutorial asks.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "game/gui/effects/TGraphicRegistry.h"
#include "game/gui/scenes/LuaTableReader.h"
#include "platform/text/Log.h"
#include "tests/support/BuiltDataFolder.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TempFolder.h"
#include "windows/script/TLuaTable.h"
#include "windows/script/TScript.h"

namespace GUI {
namespace {

const char* const kOurTutorials[] = {"tutorials/tutorial0201.lua", "tutorials/tutorial0301.lua"};

const std::set<std::string> kEveryAttribute = {
    "Highlights", "Arrow",   "FixArrow", "FixArrows",      "Dialog",      "ModalDialog",  "ModalDialogEndGame",
    "LockRings",  "Overlay", "MoveRing", "ExplodePowerUp", "Elimination", "BombActivity",
};

// What the events of our scripts use between them.
struct TutorialUse {
  std::set<std::string> keys;
  std::set<std::string> eventNames;
  std::vector<std::string> overlays;
  int delayedEvents = 0;
  int events = 0;
};

std::string OverlayName(const TLuaTableEntry& entry) {
  if (const std::unique_ptr<TLuaTable> table = GetEntryTable(entry)) return table->GetStringAt(2, "").CStr();
  return GetEntryString(entry).CStr();
}

void NoteEvent(const TLuaTable& event, TutorialUse& use) {
  ++use.events;
  use.eventNames.insert(event.GetString("__eventname__", "").CStr());
  if (event.GetNumber("__delay__", 0.0) > 0.0) ++use.delayedEvents;
  for (const TLuaTableEntry& entry : ReadLuaTableEntries(&event)) {
    if (IsNumberKey(entry)) continue;
    use.keys.insert(entry.keyName.CStr());
    if (entry.keyName == "Overlay") use.overlays.push_back(OverlayName(entry));
  }
}

void NoteScript(const char* fileName, TutorialUse& use) {
  TScript script;
  RequireDataScript(script, fileName);
  const std::unique_ptr<TLuaTable> tutorial = script.GetTable("Tutorial");
  ASSERT_NE(tutorial, nullptr) << fileName;
  for (const TLuaTableEntry& entry : ReadLuaTableEntries(tutorial.get())) {
    const std::unique_ptr<TLuaTable> event = GetEntryTable(entry);
    ASSERT_NE(event, nullptr) << fileName << ": every entry is an event";
    EXPECT_EQ(std::string(event->GetString("__type__", "").CStr()), "Event") << fileName;
    NoteEvent(*event, use);
  }
}

class TutorialData : public testing::Test {
 protected:
  TutorialData() { SetLogFolder(mLogs.Path().c_str()); }
  std::string LogText() const { return ReadWholeFile(GetLogPath().CStr()); }

  FakePlatform platform;
  BuiltDataFolder folder;

 private:
  TempFolder mLogs;
};

TEST_F(TutorialData, OurScriptsUseEveryAttributeADelayStartNowAndBothKindsOfModalDialog) {
  TutorialUse use;
  for (const char* fileName : kOurTutorials) NoteScript(fileName, use);
  std::set<std::string> unused;
  std::set_difference(kEveryAttribute.begin(), kEveryAttribute.end(), use.keys.begin(), use.keys.end(),
                      std::inserter(unused, unused.end()));
  EXPECT_EQ(unused, std::set<std::string>{});
  EXPECT_GT(use.delayedEvents, 0);
  EXPECT_EQ(use.eventNames.count("StartNow"), 1u);
  EXPECT_GT(use.events, static_cast<int>(std::size(kOurTutorials)) * 3);
  const std::string log = LogText();
  EXPECT_EQ(log.find("rror"), std::string::npos) << log;
}

TEST_F(TutorialData, EveryOverlayNamesAPreloadedGraphic) {
  TutorialUse use;
  for (const char* fileName : kOurTutorials) NoteScript(fileName, use);
  ASSERT_FALSE(use.overlays.empty());
  TGraphicRegistry registry;
  registry.Preload();
  std::set<std::string> preloaded;
  for (const auto& action : registry.GetFetchQueue()) preloaded.insert(action->GetName().CStr());
  for (const std::string& overlay : use.overlays) EXPECT_EQ(preloaded.count(overlay), 1u) << overlay;
}

}  // namespace
}  // namespace GUI
