#include "tests/support/windows/ScreenScriptDriver.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <thread>
#include <utility>

#include "platform/file/FileIndex.h"
#include "platform/text/Log.h"
#include "platform/asset/TAssetManager.h"
#include "script/lua/Collector.h"
#include "tests/support/SizedTexture.h"
#include "tests/support/StringTableFile.h"
#include "tests/support/TempFolder.h"
#include "windows/script/LuaBinding.h"
#include "windows/kinds/TButton.h"
#include "windows/kinds/TImage.h"
#include "windows/kinds/TLayeredWindow.h"
#include "windows/core/TMessage.h"
#include "windows/kinds/TScreen.h"
#include "windows/kinds/TText.h"
#include "windows/kinds/TTextEdit.h"
#include "windows/script/TWindowScript.h"

namespace {

// Print in Lua, so that values show as the dialect turns them into text.
constexpr char kPrintText[] = R"(
local function Show(value)
  local kind = type(value)
  if kind == "table" then
    local items = {}
    for i = 1, table.getn(value) do items[i] = Show(value[i]) end
    return "{" .. table.concat(items, ", ") .. "}"
  elseif kind == "userdata" then
    return "message " .. tostring(value.type) .. " " .. tostring(value.name)
  end
  return tostring(value)
end
function Print(...)
  local parts = {}
  for i = 1, arg.n do parts[i] = Show(arg[i]) end
  Emit(table.concat(parts, "\t"))
end
)";

constexpr int kIdleStep = 10;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The length of the stamp "Www Mmm dd hh:mm:ss N: " that starts a log entry;
// 0 for a line that goes on the entry before.
size_t StampLength(const std::string& line) {
  constexpr size_t kFixed = 20;  // up to the blank after the seconds
  if (line.size() < kFixed || line[3] != ' ' || line[7] != ' ' || line[13] != ':' || line[16] != ':' ||
      line[19] != ' ') {
    return 0;
  }
  size_t end = kFixed;
  while (end < line.size() && IsDigit(line[end])) ++end;
  if (end == kFixed || line.compare(end, 2, ": ") != 0) return 0;
  return end + 2;
}

// The log's entries, each as "log: " and its text.
std::string LogEntries() {
  std::string entries;
  std::string line;
  std::istringstream text(ReadWholeFile(GetLogPath().CStr()));
  while (std::getline(text, line)) {
    const size_t stamp = StampLength(line);
    entries += (stamp > 0 ? "log: " + line.substr(stamp) : line) + "\n";
  }
  return entries;
}

std::unique_ptr<TWindow> MakePlainWindow() { return std::make_unique<TWindow>(); }

// The most derived kind first.
const char* KindName(const TWindow& window) {
  const std::pair<TClassId, const char*> kinds[] = {
      {TScreen::ClassId(), "Screen"},     {TModalWindow::ClassId(), "Modal"},      {TTextEdit::ClassId(), "TextEdit"},
      {TText::ClassId(), "Text"},         {TButton::ClassId(), "Button"},         {TLayeredWindow::ClassId(), "Layered"},
      {TImage::ClassId(), "Bitmap"},
  };
  for (const auto& [id, name] : kinds) {
    if (window.IsKindOf(id)) return name;
  }
  return "Window";
}

// " in layers 0 1" for a child of a layered window.
std::string LayersHolding(const TWindow& child, const TWindow* parent) {
  if (parent == nullptr || !parent->IsKindOf(TLayeredWindow::ClassId())) return "";
  const auto& layered = static_cast<const TLayeredWindow&>(*parent);
  std::string text;
  for (int32_t layer = 0; layer < layered.GetLayerCount(); ++layer) {
    const std::vector<TWindow*>& children = layered.GetLayerChildren(layer);
    if (std::find(children.begin(), children.end(), &child) != children.end()) text += " " + std::to_string(layer);
  }
  return " in layers" + (text.empty() ? std::string(" none") : text);
}

std::unique_ptr<TMessage> MakeMessage(int32_t type, const std::string& name) {
  return std::make_unique<TMessage>(type, TString(name.c_str()), nullptr);
}

TEvent MakeEvent(int32_t type, int32_t value, int32_t x = 0, int32_t y = 0) {
  TEvent event;
  event.type = type;
  event.value = value;
  event.x = x;
  event.y = y;
  return event;
}

}  // namespace

ScreenScriptDriver::ScreenScriptDriver(const std::string& scriptFolder, bool collectorStress) {
  SetLogFolder(mLogs.Path().c_str());
  std::filesystem::copy(scriptFolder, mFiles.AssetPath(""), std::filesystem::copy_options::recursive);
  BuildFileIndex();
  mPlatform.windowManager = &mManager;
  mManager.SetRootWindow(std::make_unique<TScreen>());
  mManager.SetScript(std::make_unique<TWindowScript>());
  mScript = mManager.GetScript();
  luaC_setstress(mScript->GetState(), collectorStress);
  mManager.AddWindowType("Plain", MakePlainWindow);
  BindTestGlobals();
}

ScreenScriptDriver::~ScreenScriptDriver() {
  luaC_setstress(mScript->GetState(), false);
  mPlatform.stringTable = nullptr;
}

void ScreenScriptDriver::BindTestGlobals() {
  lua_State* L = mScript->GetState();
  BindMethod(L, "Emit", this, &ScreenScriptDriver::Emit);
  BindMethod(L, "PrintTree", this, &ScreenScriptDriver::PrintTree);
  BindMethod(L, "Click", this, &ScreenScriptDriver::Click);
  BindMethod(L, "PressKey", this, &ScreenScriptDriver::PressKey);
  BindMethod(L, "TypeChar", this, &ScreenScriptDriver::TypeChar);
  BindMethod(L, "Idle", this, &ScreenScriptDriver::Idle);
  BindMethod(L, "Post", this, &ScreenScriptDriver::Post);
  BindMethod(L, "Call", this, &ScreenScriptDriver::Call);
  BindMethod(L, "SendNow", this, &ScreenScriptDriver::SendNow);
  BindMethod(L, "AddImage", this, &ScreenScriptDriver::AddImage);
  BindMethod(L, "UseStrings", this, &ScreenScriptDriver::UseStrings);
  BindMethod(L, "IdleUntil", this, &ScreenScriptDriver::IdleUntil);
  mScript->DoLuaString(kPrintText);
}

std::string ScreenScriptDriver::Run(const std::string& fileName) {
  // The file's chunk, returned, is started as the screen coroutine.
  mScript->DoLuaString(("return assert(loadfile('" + fileName + "'))").c_str());
  while (mScript->IsSuspended() && !mInput.empty()) {
    const Input input = mInput.front();
    mInput.pop_front();
    Feed(input);
  }
  std::string result = std::move(mOutput);
  if (mScript->IsSuspended()) result += "waits\n";
  return result + LogEntries();
}

void ScreenScriptDriver::Feed(const Input& input) {
  switch (input.kind) {
    case Input::kEvent:
      mManager.HandleEvent(input.event);
      break;
    case Input::kIdle:
      IdleFor(input.milliseconds);
      break;
    case Input::kPost:
      mManager.PostMessage(MakeMessage(input.messageType, input.name));
      mManager.DispatchMessages();
      break;
    case Input::kAwait:
      AwaitCondition(input.name, input.milliseconds);
      break;
    case Input::kCall: {
      lua_State* L = mScript->GetState();
      PushGlobal(L, input.name.c_str());
      mScript->RunFunction(0, 0);
      break;
    }
  }
}

void ScreenScriptDriver::IdleFor(uint32_t milliseconds) {
  for (uint32_t passed = 0; passed < milliseconds; passed += kIdleStep) {
    mClock.Advance(kIdleStep);
    mPlatform.time += kIdleStep;
    mPlatform.tasks.DoTasks(TTaskPass::Timed);
    mManager.HandleEvent(MakeEvent(kEventIdle, 0));
  }
}

void ScreenScriptDriver::AwaitCondition(const std::string& name, uint32_t patience) {
  auto condition = mConditions.find(name);
  if (condition == mConditions.end()) {
    mOutput += "no condition " + name + "\n";
    return;
  }
  // One step at least, so that what the script just asked for is under way.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(patience);
  do {
    if (std::chrono::steady_clock::now() >= deadline) {
      mOutput += "gave up waiting for " + name + "\n";
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    IdleFor(kIdleStep);
  } while (!condition->second());
}

void ScreenScriptDriver::AddCondition(const std::string& name, std::function<bool()> condition) {
  mConditions[name] = std::move(condition);
}

// ---- Test-only globals.

int ScreenScriptDriver::Emit(lua_State* L) {
  mOutput += LuaText(L, 1);
  mOutput += "\n";
  return 0;
}

int ScreenScriptDriver::PrintTree(lua_State*) {
  WriteTree(*mManager.GetRootWindow(), nullptr, 0);
  return 0;
}

void ScreenScriptDriver::WriteTree(const TWindow& window, const TWindow* parent, int depth) {
  const TRect& rect = window.GetRect();
  mOutput += std::string(2 * depth, ' ') + KindName(window) + " \"" + window.GetName().CStr() + "\" " +
             std::to_string(rect.left) + "," + std::to_string(rect.top) + " " + std::to_string(window.GetWidth()) +
             "x" + std::to_string(window.GetHeight());
  if (!window.IsVisible()) mOutput += " hidden";
  if (window.IsKindOf(TLayeredWindow::ClassId())) {
    mOutput += " layers " + std::to_string(static_cast<const TLayeredWindow&>(window).GetLayerCount());
  }
  mOutput += LayersHolding(window, parent) + "\n";
  // Back to front: the order the windows were added in.
  std::vector<TWindow*> children = window.GetChildren();
  for (auto child = children.rbegin(); child != children.rend(); ++child) WriteTree(**child, &window, depth + 1);
}

int ScreenScriptDriver::Click(lua_State* L) {
  const int32_t x = LuaNumberToInt(lua_tonumber(L, 1));
  const int32_t y = LuaNumberToInt(lua_tonumber(L, 2));
  mInput.push_back(EventInput(MakeEvent(kEventLeftDown, 0, x, y)));
  mInput.push_back(EventInput(MakeEvent(kEventLeftUp, 0, x, y)));
  return 0;
}

int ScreenScriptDriver::PressKey(lua_State* L) {
  const int32_t key = LuaNumberToInt(lua_tonumber(L, 1));
  mInput.push_back(EventInput(MakeEvent(kEventKeyDown, key)));
  mInput.push_back(EventInput(MakeEvent(kEventKeyUp, key)));
  return 0;
}

int ScreenScriptDriver::TypeChar(lua_State* L) {
  mInput.push_back(EventInput(MakeEvent(kEventCharacter, LuaNumberToInt(lua_tonumber(L, 1)))));
  return 0;
}

int ScreenScriptDriver::Idle(lua_State* L) {
  Input idle;
  idle.kind = Input::kIdle;
  idle.milliseconds = static_cast<uint32_t>(std::max(LuaNumberToInt(lua_tonumber(L, 1)), 0));
  mInput.push_back(idle);
  return 0;
}

int ScreenScriptDriver::Post(lua_State* L) {
  Input post;
  post.kind = Input::kPost;
  post.messageType = LuaNumberToInt(lua_tonumber(L, 1));
  post.name = LuaText(L, 2);
  mInput.push_back(post);
  return 0;
}

int ScreenScriptDriver::Call(lua_State* L) {
  Input call;
  call.kind = Input::kCall;
  call.name = LuaText(L, 1);
  mInput.push_back(call);
  return 0;
}

int ScreenScriptDriver::SendNow(lua_State* L) {
  mManager.SendToScript(MakeMessage(LuaNumberToInt(lua_tonumber(L, 1)), LuaText(L, 2)));
  return 0;
}

int ScreenScriptDriver::AddImage(lua_State* L) {
  const std::string key = LuaText(L, 1) + std::string(":tex");
  const int32_t width = LuaNumberToInt(lua_tonumber(L, 2));
  const int32_t height = LuaNumberToInt(lua_tonumber(L, 3));
  // The cache holds its textures weakly.
  mImages.push_back(std::make_shared<SizedTexture>(width, height));
  mPlatform.assetManager->Register(key.c_str(), mImages.back());
  return 0;
}

int ScreenScriptDriver::IdleUntil(lua_State* L) {
  Input await;
  await.kind = Input::kAwait;
  await.name = LuaText(L, 1);
  await.milliseconds = static_cast<uint32_t>(std::max(LuaNumberToInt(lua_tonumber(L, 2)), 0));
  mInput.push_back(await);
  return 0;
}

void ScreenScriptDriver::UseStringFile() {
  mStrings.Load("strings.xml");
  mPlatform.stringTable = &mStrings;
}

void ScreenScriptDriver::UseFontFiles() {
  std::error_code error;
  for (const auto& file : std::filesystem::directory_iterator(mFiles.AssetPath("fonts"), error)) {
    if (file.path().extension() != ".mvec") continue;
    const std::string name = "fonts/" + file.path().filename().string();
    mPlatform.fonts[name] = mFonts.GetFont(name.c_str());
  }
}

int ScreenScriptDriver::UseStrings(lua_State* L) {
  TableRows rows;
  for (int index = 1; index < lua_gettop(L); index += 2) rows.emplace_back(LuaText(L, index), LuaText(L, index + 1));
  WriteStringTable(mFiles, "strings.xml", rows);
  mStrings.Load("strings.xml");
  mPlatform.stringTable = &mStrings;
  return 0;
}
