#include "game/gui/scenes/ScriptAnimLoader.h"

#include <algorithm>

#include "game/gui/effects/TStaticGraphic.h"
#include "game/gui/scenes/LuaTableReader.h"
#include "game/gui/scenes/TEvent.h"
#include "game/gui/scenes/TLoop.h"
#include "game/gui/scenes/TSetActions.h"
#include "platform/text/Log.h"
#include "windows/script/LuaBinding.h"
#include "windows/script/TLuaTable.h"
#include "windows/script/TScript.h"

namespace GUI::ScriptAnim {

namespace {

// Events and loops nest no deeper than this; a scene never needs more, and
// a table nested far deeper would use up the stack.
constexpr size_t kDeepestNesting = 32;

float SceneRadians(double degrees) { return static_cast<float>(degrees / 360.0 * 6.2831854820251465); }

bool IsScenePosKey(const TLuaTableEntry& entry) { return !IsNumberKey(entry) && entry.keyName == "Pos"; }

// The table's address: the same table reached twice gives the same one.
const void* LuaTableIdentity(const TLuaTable& table) {
  lua_State* L = table.GetState();
  table.Push();
  const void* identity = lua_topointer(L, -1);
  lua_pop(L, 1);
  return identity;
}

TVec2 ReadScenePoint(const TLuaTable& table, const char* key) {
  const std::unique_ptr<TLuaTable> point = table.GetTable(key);
  if (!point) return TVec2();
  return TVec2(static_cast<float>(point->GetNumberAt(1, 0.0)), static_cast<float>(point->GetNumberAt(2, 0.0)));
}

float ReadSceneFloat(const TLuaTable& table, const char* key) { return static_cast<float>(table.GetNumber(key, 0.0)); }

uint32_t ReadSceneCount(const TLuaTable& table, const char* key) {
  return static_cast<uint32_t>(LuaNumberToInt(table.GetNumber(key, 0.0)));
}

std::shared_ptr<TLayerProperty> BuildLayerProperty(const TLuaTableEntry& entry) {
  if (IsNumberKey(entry)) return nullptr;
  if (entry.keyName == "Pos") return std::make_shared<TLayerPos>(GetEntryVec2(entry));
  const double value = GetEntryNumber(entry);
  if (entry.keyName == "Alpha") return std::make_shared<TLayerAlpha>(static_cast<float>(value));
  if (entry.keyName == "Scale") return std::make_shared<TLayerScale>(static_cast<float>(value));
  if (entry.keyName == "Rotation") return std::make_shared<TLayerRotation>(SceneRadians(value));
  return nullptr;
}

// Builds the layers of one scene file, following its nested tables along
// one path at a time.
class TSceneBuilder {
 public:
  TSceneBuilder(const TString& fileName, std::vector<std::shared_ptr<IGraphic>>& graphics)
      : mFileName(fileName), mGraphics(graphics) {}

  void Build(const TLuaTable& animations, TAnimations& scene) {
    for (const TLuaTableEntry& entry : ReadLuaTableEntries(&animations)) {
      const std::unique_ptr<TLuaTable> layerTable = GetEntryTable(entry);
      if (layerTable) scene.AddLayer(BuildLayer(*layerTable));
    }
  }

 private:
  std::shared_ptr<TLayer> BuildLayer(const TLuaTable& table) {
    const TString fileName = table.GetString("filename", "");
    const TString alphaName = table.GetString("alphamap", "");
    std::shared_ptr<IGraphic> graphic;
    if (alphaName.IsEmpty()) {
      graphic = std::make_shared<TStaticGraphic>(fileName);
      mGraphics.push_back(graphic);
    } else {
      graphic = MakeStaticGraphicWithAlpha(fileName, alphaName);
    }
    auto layer = std::make_shared<TLayer>(fileName, std::move(graphic));
    const PathStep step(*this, table);
    for (const TLuaTableEntry& entry : ReadLuaTableEntries(&table)) {
      if (std::unique_ptr<TLuaTable> value = IsScenePosKey(entry) ? nullptr : GetEntryTable(entry)) {
        if (std::shared_ptr<TLayerAttribute> item = BuildItem(*value, nullptr)) layer->GetTimeline().Add(item);
      } else if (std::shared_ptr<TLayerProperty> property = BuildLayerProperty(entry)) {
        property->Apply(*layer);
      }
    }
    return layer;
  }

  // Null for a table of no known type, and for a change with no event or
  // loop to start it.
  std::shared_ptr<TLayerAttribute> BuildItem(const TLuaTable& table, TLayerAttribute* parent) {
    const TString type = table.GetString("__type__", "");
    if (type == "Loop") return BuildLoop(table, parent);
    if (type == "Event") return BuildEvent(table, parent);
    if (type != "SetScale" && type != "SetPos" && type != "SetAlpha" && type != "SetRotation") return nullptr;
    if (parent == nullptr) {
      LogPrintf("Scene %s: %s outside an event or loop is skipped", mFileName.CStr(), type.CStr());
      return nullptr;
    }
    return BuildChange(table, type, *parent);
  }

  static std::shared_ptr<TLayerAttribute> BuildChange(const TLuaTable& table, const TString& type,
                                                      TLayerAttribute& parent) {
    const float duration = ReadSceneFloat(table, "duration");
    if (type == "SetPos") {
      return std::make_shared<TPosAction>(parent, duration, ReadScenePoint(table, "start"), ReadScenePoint(table, "end"));
    }
    if (type == "SetRotation") {
      return std::make_shared<TRotationAction>(parent, duration, SceneRadians(table.GetNumber("start", 0.0)),
                                               SceneRadians(table.GetNumber("end", 0.0)));
    }
    const float from = ReadSceneFloat(table, "start");
    const float to = ReadSceneFloat(table, "end");
    if (type == "SetScale") return std::make_shared<TScaleAction>(parent, duration, from, to);
    return std::make_shared<TAlphaAction>(parent, duration, from, to);
  }

  std::shared_ptr<TLayerAttribute> BuildEvent(const TLuaTable& table, TLayerAttribute* parent) {
    if (!MayEnter(table)) return nullptr;
    auto event = std::make_shared<TEvent>(parent, ReadSceneCount(table, "start"));
    FillGroup(table, *event);
    return event;
  }

  std::shared_ptr<TLayerAttribute> BuildLoop(const TLuaTable& table, TLayerAttribute* parent) {
    if (!MayEnter(table)) return nullptr;
    auto loop = std::make_shared<TLoop>(parent, ReadSceneCount(table, "counter"));
    FillGroup(table, *loop);
    return loop;
  }

  // The items and properties of an event or loop.
  template <class TGroup>
  void FillGroup(const TLuaTable& table, TGroup& group) {
    const PathStep step(*this, table);
    for (const TLuaTableEntry& entry : ReadLuaTableEntries(&table)) {
      if (std::unique_ptr<TLuaTable> value = IsScenePosKey(entry) ? nullptr : GetEntryTable(entry)) {
        if (std::shared_ptr<TLayerAttribute> child = BuildItem(*value, &group)) group.AddChild(child);
      } else if (std::shared_ptr<TLayerProperty> property = BuildLayerProperty(entry)) {
        group.AddProperty(property);
      }
    }
  }

  // Whether the table may be walked: not one the path passes through
  // already, and not too deep.
  bool MayEnter(const TLuaTable& table) {
    if (std::find(mPath.begin(), mPath.end(), LuaTableIdentity(table)) != mPath.end()) {
      LogPrintf("Scene %s: a table that holds itself is skipped", mFileName.CStr());
      return false;
    }
    if (mPath.size() > kDeepestNesting) {
      LogPrintf("Scene %s: items nested deeper than %zu levels are skipped", mFileName.CStr(), kDeepestNesting);
      return false;
    }
    return true;
  }

  // The table is on the path while it is walked.
  class PathStep {
   public:
    PathStep(TSceneBuilder& builder, const TLuaTable& table) : mBuilder(builder) {
      mBuilder.mPath.push_back(LuaTableIdentity(table));
    }
    ~PathStep() { mBuilder.mPath.pop_back(); }
    PathStep(const PathStep&) = delete;
    PathStep& operator=(const PathStep&) = delete;

   private:
    TSceneBuilder& mBuilder;
  };

  TString mFileName;
  std::vector<std::shared_ptr<IGraphic>>& mGraphics;
  std::vector<const void*> mPath;  // the layer and the events and loops being walked
};

}  // namespace

std::shared_ptr<TAnimations> LoadScriptAnimations(const TString& fileName,
                                                  std::vector<std::shared_ptr<IGraphic>>& graphics) {
  auto scene = std::make_shared<TAnimations>();
  TScript script;
  RequireDataScript(script, fileName);
  if (const std::unique_ptr<TLuaTable> animations = script.GetTable("Animations")) {
    TSceneBuilder(fileName, graphics).Build(*animations, *scene);
  } else {
    LogPrintf("Scene %s sets no Animations table", fileName.CStr());
  }
  return scene;
}

}  // namespace GUI::ScriptAnim
