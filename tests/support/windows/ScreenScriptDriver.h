#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/types/TEvent.h"
#include "media/text/TFontCache.h"
#include "platform/xml/TStringTable.h"
#include "script/lua/Lua.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFileLayer.h"
#include "windows/core/TWindowManager.h"

class TTexture;
class TWindow;
class TWindowScript;

// Runs a Lua test script as the screen coroutine of a real window script,
// headless: an 800 x 600 root screen on a fake platform face, a clock that
// moves only while the script idles, and the script's files copied from a
// folder into the program's assets (found by logical names, as the game
// finds its scripts). The window type "Plain" (a plain window) is
// registered.
//
// Test-only globals the script may use besides the window library:
//   Print(...)              writes its arguments, tab-separated, as one line:
//                           tables as {item, ...}, messages as
//                           "message TYPE NAME"
//   PrintTree()             writes the window tree from the root, one window
//                           a line: kind, name, position and size, "hidden",
//                           the layer count of a layered window and the
//                           layers each of its children lies in
//   Click(x, y)             queue input for the time the script waits:
//   PressKey(code)          a left click at a screen point, a virtual key
//   TypeChar(code)          pressed and released, a character, idle time
//   Idle(milliseconds)      passing in steps of 10 ms, a message posted to
//   Post(type, name)        the window manager (without a target), and a
//   Call(name)              call of a global Lua function by the framework
//   SendNow(type, name)     hands a message to the script at once, as the
//                           window manager hands it one that no window took
//   AddImage(name, w, h)    an image of that size the texture cache hands
//                           out under the name (lower case, "/" between
//                           folders), without a display
//   UseStrings(label, text, ...)  the string table: the labels with
//                           their texts
//   IdleUntil(name, ms)     queue idle time in steps of 10 ms, each after a
//                           real millisecond, at least one step and until
//                           the condition of that
//                           name (AddCondition) holds, for work done outside
//                           the program such as a server's reply; after ms
//                           of real time it gives up and writes
//                           "gave up waiting for NAME"
// Whenever the coroutine waits and input is queued, the next input is fed
// to the window manager; the run ends when the coroutine ends or waits with
// nothing left to feed.
class ScreenScriptDriver {
 public:
  // collectorStress: the collector runs at every check point.
  ScreenScriptDriver(const std::string& scriptFolder, bool collectorStress);
  ~ScreenScriptDriver();
  ScreenScriptDriver(const ScreenScriptDriver&) = delete;
  ScreenScriptDriver& operator=(const ScreenScriptDriver&) = delete;

  // Runs the file (a logical name); returns what it wrote, then
  // "waits" when it still waits at the end, then the log's entries, each as
  // "log: " and the entry.
  std::string Run(const std::string& fileName);

  // The copied folder's own "strings.xml" becomes the string table.
  void UseStringFile();
  // The copied folder's font files ("fonts/NAME.mvec") become the fonts
  // texts are laid out in, read as the game's platform reads them; without
  // this no name has a font.
  void UseFontFiles();

  // A condition IdleUntil waits for; replaces one of the same name.
  void AddCondition(const std::string& name, std::function<bool()> condition);

  TWindowManager& Manager() { return mManager; }
  FakePlatform& Platform() { return mPlatform; }
  TWindowScript& Script() { return *mScript; }

 private:
  struct Input {
    enum Kind { kEvent, kIdle, kPost, kCall, kAwait } kind = kEvent;
    TEvent event;
    uint32_t milliseconds = 0;
    int32_t messageType = 0;
    std::string name;  // of the message or the function
  };

  static Input EventInput(const TEvent& event) {
    Input input;
    input.event = event;
    return input;
  }
  void BindTestGlobals();
  void Feed(const Input& input);
  void IdleFor(uint32_t milliseconds);
  void AwaitCondition(const std::string& name, uint32_t patience);
  void WriteTree(const TWindow& window, const TWindow* parent, int depth);

  int Emit(lua_State* L);
  int PrintTree(lua_State* L);
  int Click(lua_State* L);
  int PressKey(lua_State* L);
  int TypeChar(lua_State* L);
  int Idle(lua_State* L);
  int Post(lua_State* L);
  int Call(lua_State* L);
  int SendNow(lua_State* L);
  int AddImage(lua_State* L);
  int UseStrings(lua_State* L);
  int IdleUntil(lua_State* L);

  TempFolder mLogs;
  TFontCache mFonts;  // outlives every text laid out in its fonts
  FakePlatform mPlatform;
  FakeClock mClock;
  TestFileLayer mFiles;
  TWindowManager mManager;
  TWindowScript* mScript = nullptr;
  std::deque<Input> mInput;
  std::vector<std::shared_ptr<TTexture>> mImages;
  TStringTable mStrings;
  std::string mOutput;
  std::map<std::string, std::function<bool()>> mConditions;
};
