#include "game/gui/scenes/TutorialScript.h"

#include <algorithm>
#include <map>
#include <string_view>

#include "game/gui/scenes/LuaTableReader.h"
#include "platform/file/FileIndex.h"
#include "platform/text/Log.h"
#include "windows/script/LuaBinding.h"
#include "windows/script/TLuaTable.h"
#include "windows/script/TScript.h"

namespace GUI::ScriptTutorial {

namespace {

// Where an overlay given only by its name is shown: the screen's centre.
const TVec2 kTutorialOverlayPlace(400.0f, 300.0f);

using TAttributePtr = std::shared_ptr<ITutorialAttribute>;
using TAttributeBuilder = TAttributePtr (*)(const TLuaTableEntry&, const TTutorialContext&);

int32_t TutorialInt(double number) { return LuaNumberToInt(number); }

// The tables of a list value, in table order.
std::vector<std::unique_ptr<TLuaTable>> ListTables(const TLuaTableEntry& entry) {
  std::vector<std::unique_ptr<TLuaTable>> tables;
  const std::unique_ptr<TLuaTable> list = GetEntryTable(entry);
  for (const TLuaTableEntry& item : ReadLuaTableEntries(list.get())) {
    if (std::unique_ptr<TLuaTable> table = GetEntryTable(item)) tables.push_back(std::move(table));
  }
  return tables;
}

TVec2 TablePoint(const TLuaTable* table) {
  if (!table) return TVec2();
  return TVec2(static_cast<float>(table->GetNumberAt(1, 0.0)), static_cast<float>(table->GetNumberAt(2, 0.0)));
}

GamePlay::TArrow TableArrow(const TLuaTable& table) {
  return {{TutorialInt(table.GetNumberAt(1, 0.0)), TutorialInt(table.GetNumberAt(2, 0.0))},
          static_cast<float>(table.GetNumber("r", 0.0))};
}

std::vector<GamePlay::TDialogItem> DialogItems(const TLuaTableEntry& entry) {
  std::vector<GamePlay::TDialogItem> items;
  for (const std::unique_ptr<TLuaTable>& part : ListTables(entry)) {
    items.push_back({TablePoint(part->GetTableAt(1).get()), part->GetStringAt(2, "")});
  }
  return items;
}

TAttributePtr BuildHighlights(const TLuaTableEntry& entry, const TTutorialContext& context) {
  std::vector<TTutorialHighlight> cells;
  for (const std::unique_ptr<TLuaTable>& cell : ListTables(entry)) {
    cells.push_back({TutorialInt(cell->GetNumberAt(1, 0.0)), TutorialInt(cell->GetNumberAt(2, 0.0)),
                     cell->GetBool("absolute", false)});
  }
  return std::make_shared<TTutAttrHighlights>(context, std::move(cells));
}

TAttributePtr BuildArrow(const TLuaTableEntry& entry, const TTutorialContext& context) {
  const auto [ring, slot] = GetEntryIntPair(entry);
  return std::make_shared<TTutAttrArrow>(context, ring, slot);
}

TAttributePtr BuildFixArrow(const TLuaTableEntry& entry, const TTutorialContext& context) {
  const std::unique_ptr<TLuaTable> table = GetEntryTable(entry);
  if (!table) return nullptr;
  return std::make_shared<TTutAttrFixArrow>(context, std::vector<GamePlay::TArrow>{TableArrow(*table)});
}

TAttributePtr BuildFixArrows(const TLuaTableEntry& entry, const TTutorialContext& context) {
  std::vector<GamePlay::TArrow> arrows;
  for (const std::unique_ptr<TLuaTable>& table : ListTables(entry)) arrows.push_back(TableArrow(*table));
  return std::make_shared<TTutAttrFixArrow>(context, std::move(arrows));
}

TAttributePtr BuildDialog(const TLuaTableEntry& entry, const TTutorialContext& context) {
  return std::make_shared<TTutAttrDialog>(context, DialogItems(entry));
}

TAttributePtr BuildModalDialog(const TLuaTableEntry& entry, const TTutorialContext& context) {
  return std::make_shared<TTutAttrModalDialog>(context, DialogItems(entry), false);
}

TAttributePtr BuildModalDialogEndGame(const TLuaTableEntry& entry, const TTutorialContext& context) {
  return std::make_shared<TTutAttrModalDialog>(context, DialogItems(entry), true);
}

TAttributePtr BuildLockRings(const TLuaTableEntry& entry, const TTutorialContext& context) {
  std::vector<int32_t> rings;
  const std::unique_ptr<TLuaTable> list = GetEntryTable(entry);
  for (const TLuaTableEntry& item : ReadLuaTableEntries(list.get())) {
    rings.push_back(TutorialInt(GetEntryNumber(item)));
  }
  return std::make_shared<TTutAttrLockRing>(context, std::move(rings));
}

TAttributePtr BuildOverlay(const TLuaTableEntry& entry, const TTutorialContext& context) {
  TVec2 place = kTutorialOverlayPlace;
  TString name;
  if (const std::unique_ptr<TLuaTable> table = GetEntryTable(entry)) {
    place = TablePoint(table->GetTableAt(1).get());
    name = table->GetStringAt(2, "");
  } else {
    name = GetEntryString(entry);
  }
  context.messageView->AddOverlay(name);
  return std::make_shared<TTutAttrOverlay>(context, place, name);
}

TAttributePtr BuildMoveRing(const TLuaTableEntry& entry, const TTutorialContext& context) {
  const auto [ring, steps] = GetEntryIntPair(entry);
  return std::make_shared<TTutAttrMoveRing>(context, ring, steps);
}

TAttributePtr BuildExplode(const TLuaTableEntry& entry, const TTutorialContext& context) {
  const auto [ring, slot] = GetEntryIntPair(entry);
  return std::make_shared<TTutAttrExplode>(context, ring, slot);
}

TAttributePtr BuildElimination(const TLuaTableEntry& entry, const TTutorialContext& context) {
  return std::make_shared<TTutAttrSetElimination>(context, GetEntryNumber(entry) != 0.0);
}

TAttributePtr BuildBombActivity(const TLuaTableEntry& entry, const TTutorialContext& context) {
  return std::make_shared<TTutAttrBombActivity>(context, GetEntryBool(entry));
}

TAttributeBuilder FindAttributeBuilder(const TString& key) {
  static const std::map<std::string_view, TAttributeBuilder> kBuilders = {
      {"Highlights", BuildHighlights},
      {"Arrow", BuildArrow},
      {"FixArrow", BuildFixArrow},
      {"FixArrows", BuildFixArrows},
      {"Dialog", BuildDialog},
      {"ModalDialog", BuildModalDialog},
      {"ModalDialogEndGame", BuildModalDialogEndGame},
      {"LockRings", BuildLockRings},
      {"Overlay", BuildOverlay},
      {"MoveRing", BuildMoveRing},
      {"ExplodePowerUp", BuildExplode},
      {"Elimination", BuildElimination},
      {"BombActivity", BuildBombActivity},
  };
  const auto found = kBuilders.find(std::string_view(key.CStr()));
  return found == kBuilders.end() ? nullptr : found->second;
}

// A negative delay reads as none, never as a wait of weeks.
uint32_t EventDelay(const TLuaTable& table) {
  return static_cast<uint32_t>(std::max(0, TutorialInt(table.GetNumber("__delay__", 0.0))));
}

TTutorialEventPtr BuildEvent(const TLuaTable& table, const TTutorialContext& context) {
  std::vector<TAttributePtr> attributes;
  for (const TLuaTableEntry& entry : ReadLuaTableEntries(&table)) {
    if (IsNumberKey(entry)) continue;
    if (const TAttributeBuilder builder = FindAttributeBuilder(entry.keyName)) {
      if (TAttributePtr attribute = builder(entry, context)) attributes.push_back(std::move(attribute));
    }
  }
  return std::make_shared<TTutorialEvent>(table.GetString("__eventname__", ""), EventDelay(table), context.owner,
                                          std::move(attributes));
}

std::deque<TTutorialEventPtr> BuildEvents(const TString& fileName, const TLuaTable& tutorial,
                                          const TTutorialContext& context) {
  std::deque<TTutorialEventPtr> events;
  for (const TLuaTableEntry& entry : ReadLuaTableEntries(&tutorial)) {
    if (!IsNumberKey(entry) && entry.keyName == "TargetPieces") continue;
    const std::unique_ptr<TLuaTable> table = GetEntryTable(entry);
    if (!table) continue;
    const TString type = table->GetString("__type__", "");
    if (type != "Event") {
      LogPrintf("Tutorial %s: an entry of type '%s' is no event; skipped", fileName.CStr(), type.CStr());
      continue;
    }
    events.push_back(BuildEvent(*table, context));
  }
  return events;
}

}  // namespace

std::unique_ptr<TTutorial> LoadTutorialScript(const TString& fileName, const TTutorialContext& context) {
  if (!FileExists(fileName)) return nullptr;
  std::deque<TTutorialEventPtr> events;
  {
    TScript script;
    RequireDataScript(script, fileName);
    if (const std::unique_ptr<TLuaTable> tutorial = script.GetTable("Tutorial")) {
      events = BuildEvents(fileName, *tutorial, context);
    } else {
      LogPrintf("Tutorial %s sets no Tutorial table", fileName.CStr());
    }
  }
  return std::make_unique<TTutorial>(context, std::move(events));
}

}  // namespace GUI::ScriptTutorial
