#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/text/TString.h"
#include "system/window/Picture.h"

namespace sys {
class NativeWindow;
}
namespace sys::gfx {
class Adapter;
}

class FakeClock;
class FakeNativeWindow;
class TAppPlatform;
class TWindow;

class GameDriver;
// What a test does with the running game, step by step.
using GameScript = std::function<void(GameDriver& driver)>;

// Plays the real game from a script, as a person at the desktop would: the
// script runs on a thread of its own that takes turns with the game's main
// loop, so everything it does happens between two passes of the loop, while
// the game stands still. It waits for windows by name, clicks, drags, types,
// moves game time on and reads back the frame last shown. What it notes as
// failed is kept for whoever started the game.
class GameDriver {
 public:
  // How many passes a wait for a window takes before it gives up.
  static constexpr int kPatience = 500;

  // On screen, every frame is shown in a real window too and read back
  // from it (a display is needed).
  GameDriver(FakeClock& clock, GameScript script, bool onScreen = false);
  // What the script does at its first turn, before the window has the focus
  // and before game time has moved: the screen the game opens with, such as
  // its loading screen, which the first moment of game time closes.
  void SetOpening(GameScript opening) { mOpening = std::move(opening); }
  ~GameDriver();
  GameDriver(const GameDriver&) = delete;
  GameDriver& operator=(const GameDriver&) = delete;

  // Runs the framework with the game's main function over a fake desktop,
  // the script taking its turns between passes. When the script ends before
  // the game, the window is asked to close. Returns the exit code.
  int Run(const std::string& commandLine);

  // Lets the game run until it asks for input again: the input given so far
  // is handled and one idle pass (with its frame) runs. Once the game has
  // ended this returns at once.
  void Pass(int passes = 1);
  // Moves game time on in updates of 10 ms, a pass after each, as a
  // display that shows a frame every 80 ms of game time sees it: the passes
  // between find the last flip still under way and draw nothing, so the
  // rules step as often as ever while the costly drawing is thinned. A
  // longer step stands for frames that come late: the game's tasks do not
  // catch up, so a long stretch of game time costs few passes.
  static constexpr uint32_t kUpdate = 10;
  void AdvanceTime(uint32_t milliseconds, uint32_t step = kUpdate);
  // Passes until the game ends; false (noted) when it does not.
  bool WaitForEnd(int passes = kPatience);
  bool HasEnded() const { return mEnded; }

  // The visible window of that name anywhere in the window tree, after as
  // many passes as it takes to appear; null (noted) when it does not.
  TWindow* WaitForWindow(const std::string& name, int passes = kPatience);
  // The same without waiting and without a note.
  TWindow* FindWindow(const std::string& name) const;
  // Clicks the centre of the window of that name; false when there is none.
  bool Click(const std::string& name);
  // Input at points of the display; each ends with a pass.
  void ClickAt(int32_t x, int32_t y);
  void Drag(int32_t fromX, int32_t fromY, int32_t toX, int32_t toY, int steps = 8);
  void PressKey(uint32_t virtualKey, uint32_t modifiers = 0);
  void Type(const std::string& utf8);
  // The window's close box.
  void RequestClose();

  // Null before the game has started and after it ended.
  TAppPlatform* Platform() const;
  FakeNativeWindow& Desktop() const { return *mDesktop; }
  // The game as it stands, drawn first when the last pass drew nothing;
  // empty before the first frame.
  sys::Picture ShownPicture();

  // The game's log as written so far.
  std::string LogText() const;
  // The lines of the game's log so far that report a script error, a file
  // that is missing or a label the string table lacks.
  std::string ProblemsInLog() const;

  // Notes a failure; Check notes one when the condition is false.
  void Fail(const std::string& message);
  bool Check(bool condition, const std::string& message);
  // One line per failure noted.
  const std::string& GetFailures() const { return mFailures; }

 private:
  enum class Turn { Game, Script };

  static void DrivenGameMain(TAppPlatform* platform, const char* commandLine);
  void StartScript(TAppPlatform& platform);
  void RunScript();
  void BindGameFunctions();
  void EndGame();
  // Gives the turn to the other side and waits until it comes back.
  void HandOver(Turn to);
  bool TakeGameTurn();
  // A pass in which the display is still busy with the last frame.
  void PassWithoutFrame();

  // The window the game asks for: the scripted desktop, alone or shown on
  // screen too.
  std::unique_ptr<sys::NativeWindow> MakeDesktop();

  FakeClock& mClock;
  GameScript mScript;
  GameScript mOpening;
  bool mOnScreen;
  FakeNativeWindow* mDesktop = nullptr;
  std::shared_ptr<sys::gfx::Adapter> mAdapter;
  // Game time moved on since the last pass that drew.
  uint32_t mSinceFrame = 0;
  TAppPlatform* mPlatform = nullptr;
  std::thread mScriptThread;
  std::mutex mMutex;
  std::condition_variable mTurnChanged;
  Turn mTurn = Turn::Game;
  bool mScriptDone = false;
  bool mEnded = false;
  std::string mFailures;

  friend class GameDriverTask;
};
