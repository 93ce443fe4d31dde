#include "tests/support/game/GameDriver.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

#include "app/DisplayAdapterSource.h"
#include "app/RunFramework.h"
#include "app/TAppPlatform.h"
#include "game/gui/main/GameLuaFunctions.h"
#include "game/gui/main/GameMain.h"
#include "game/gui/main/TGameApp.h"
#include "platform/text/Log.h"
#include "platform/time/TTask.h"
#include "system/gfx/Adapter.h"
#include "system/window/NativeWindowSource.h"
#include "system/window/SdlWindow.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeNativeWindow.h"
#include "tests/support/game/OnScreenDesktop.h"
#include "windows/core/TWindow.h"
#include "windows/core/TWindowManager.h"

namespace {

// The driver of the game that runs now: the framework's entry takes a plain
// function as the game's main function.
GameDriver* gDriver = nullptr;

// Game time between two frames drawn while time is moved on: about what a
// slow machine shows, yet often enough for every animation to be seen.
constexpr uint32_t kFrameSpacing = 80;
// Longer than a click that only focuses the window counts as one.
constexpr uint32_t kFocusSettles = 200;

// How the layers below word a script error, a missing file or label.
constexpr const char* kProblemMarks[] = {"Lua error", "Lua Error",      "Failed to run script", "Missing string",
                                         "no file",   "Unable to open", "no mask file",         "Cannot read"};

bool ReportsProblem(const std::string& line) {
  for (const char* mark : kProblemMarks) {
    if (line.find(mark) != std::string::npos) return true;
  }
  return false;
}

}  // namespace

// Stands in the platform's task list, so that the script takes its turns in
// the idle pass of the loop, between two events; the list's frame pass runs
// inside an event and is left alone.
class GameDriverTask final : public TTask {
 public:
  explicit GameDriverTask(GameDriver& driver) : mDriver(driver) {}
  bool IsReady(TTaskPass pass) override { return pass == TTaskPass::Timed; }
  bool Step() override { return mDriver.TakeGameTurn(); }

 private:
  GameDriver& mDriver;
};

GameDriver::GameDriver(FakeClock& clock, GameScript script, bool onScreen)
    : mClock(clock), mScript(std::move(script)), mOnScreen(onScreen) {}

GameDriver::~GameDriver() {
  if (mScriptThread.joinable()) mScriptThread.join();
}

int GameDriver::Run(const std::string& commandLine) {
  gDriver = this;
  SetNativeWindowSource([this] { return MakeDesktop(); });
  SetDisplayAdapterSource([this] {
    mAdapter = sys::gfx::Adapter::Create(sys::gfx::Adapter::ConfigFromSdl());
    return mAdapter;
  });
  int exitCode = RunFramework(commandLine.c_str(), DrivenGameMain, false);
  SetDisplayAdapterSource(nullptr);
  SetNativeWindowSource(nullptr);
  gDriver = nullptr;
  return exitCode;
}

std::unique_ptr<sys::NativeWindow> GameDriver::MakeDesktop() {
  auto desktop = std::make_unique<FakeNativeWindow>(&mClock);
  mDesktop = desktop.get();
  if (!mOnScreen) return desktop;
  auto shown = sys::SdlWindow::Create(sys::kMainWindowTitle, sys::kMainWindowWidth, sys::kMainWindowHeight);
  if (!shown) return nullptr;
  return std::make_unique<OnScreenDesktop>(std::move(desktop), std::move(shown));
}

void GameDriver::DrivenGameMain(TAppPlatform* platform, const char* commandLine) {
  gDriver->StartScript(*platform);
  GameMain(platform, commandLine);
  gDriver->EndGame();
}

void GameDriver::StartScript(TAppPlatform& platform) {
  mPlatform = &platform;
  platform.AddTask(std::make_unique<GameDriverTask>(*this));
  mScriptThread = std::thread([this] { RunScript(); });
}

// A game forked from a test process in which the application object exists
// already: its constructor bound the game's Lua functions to a script of
// that test, not to this game's, which a fresh start has them bound to.
void GameDriver::BindGameFunctions() {
  TWindowManager* manager = mPlatform->GetWindowManager();
  if (manager && manager->GetScript()) RegisterGameLuaFunctions(*manager->GetScript(), TGameApp::Instance());
}

// The script waits for its first turn and has its opening look; the window
// gets the focus as a new window does on a desktop, and the time passes in
// which a click would only bring it to the front. When the script is done with the game still
// running, the window is asked to close and the turn goes back for good.
void GameDriver::RunScript() {
  {
    std::unique_lock<std::mutex> lock(mMutex);
    mTurnChanged.wait(lock, [this] { return mTurn == Turn::Script; });
  }
  BindGameFunctions();
  if (mOpening) mOpening(*this);
  mDesktop->Report(sys::InputKind::FocusGained);
  AdvanceTime(kFocusSettles);
  mScript(*this);
  std::lock_guard<std::mutex> lock(mMutex);
  if (!mEnded) mDesktop->Report(sys::InputKind::CloseRequested);
  mScriptDone = true;
  mTurn = Turn::Game;
  mTurnChanged.notify_all();
}

// The game's loop is over: a script still waiting for a pass goes on (its
// passes return at once) and is waited for before the platform goes.
void GameDriver::EndGame() {
  {
    std::lock_guard<std::mutex> lock(mMutex);
    mEnded = true;
    mTurn = Turn::Script;
    mTurnChanged.notify_all();
  }
  mScriptThread.join();
  mPlatform = nullptr;
}

bool GameDriver::TakeGameTurn() {
  if (mScriptDone) return false;
  HandOver(Turn::Script);
  return !mScriptDone;
}

void GameDriver::HandOver(Turn to) {
  std::unique_lock<std::mutex> lock(mMutex);
  mTurn = to;
  mTurnChanged.notify_all();
  Turn back = to == Turn::Game ? Turn::Script : Turn::Game;
  mTurnChanged.wait(lock, [this, back] { return mTurn == back || mScriptDone; });
}

void GameDriver::Pass(int passes) {
  for (int i = 0; i < passes && !mEnded; ++i) HandOver(Turn::Game);
  mSinceFrame = 0;
}

void GameDriver::AdvanceTime(uint32_t milliseconds, uint32_t step) {
  while (milliseconds > 0 && !mEnded) {
    const uint32_t passed = std::min(milliseconds, std::max(step, 1u));
    mClock.Advance(passed);
    milliseconds -= passed;
    if (mSinceFrame + passed >= kFrameSpacing) {
      Pass();
    } else {
      PassWithoutFrame();
      mSinceFrame += passed;
    }
  }
}

// A pass that draws no frame leaves its answer queued; it must not keep the
// next frame from being drawn.
void GameDriver::PassWithoutFrame() {
  // A full screen draws whatever the flip, and the cursor would take the answer.
  if (mAdapter && !mPlatform->IsFullScreen()) {
    mAdapter->Force(sys::gfx::AdapterOperation::FlipStatus, sys::gfx::Result::WasStillDrawing);
  }
  if (!mEnded) HandOver(Turn::Game);
  if (mAdapter) {
    while (mAdapter->TakeForced(sys::gfx::AdapterOperation::FlipStatus) != sys::gfx::Result::Ok) {
    }
  }
}

bool GameDriver::WaitForEnd(int passes) {
  for (int i = 0; i < passes && !mEnded; ++i) Pass();
  return Check(mEnded, "the game did not end");
}

TWindow* GameDriver::FindWindow(const std::string& name) const {
  TWindowManager* manager = mPlatform && !mEnded ? mPlatform->GetWindowManager() : nullptr;
  TWindow* root = manager ? manager->GetRootWindow() : nullptr;
  if (!root) return nullptr;
  TWindow* window = root->GetName() == name.c_str() ? root : root->FindChild(name.c_str());
  return window && window->IsVisible() ? window : nullptr;
}

TWindow* GameDriver::WaitForWindow(const std::string& name, int passes) {
  for (int i = 0; i <= passes && !mEnded; ++i) {
    if (TWindow* window = FindWindow(name)) return window;
    Pass();
  }
  Fail("no window named \"" + name + "\" appeared");
  return nullptr;
}

bool GameDriver::Click(const std::string& name) {
  TWindow* window = WaitForWindow(name);
  if (!window) return false;
  TRect rect = window->GetScreenRect();
  ClickAt((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  return true;
}

void GameDriver::ClickAt(int32_t x, int32_t y) {
  mDesktop->MoveTo(x, y);
  mDesktop->Press(sys::MouseButton::Left, x, y);
  mDesktop->Release(sys::MouseButton::Left, x, y);
  Pass();
}

void GameDriver::Drag(int32_t fromX, int32_t fromY, int32_t toX, int32_t toY, int steps) {
  mDesktop->MoveTo(fromX, fromY);
  mDesktop->Press(sys::MouseButton::Left, fromX, fromY);
  Pass();
  for (int step = 1; step <= steps; ++step) {
    mDesktop->MoveTo(fromX + (toX - fromX) * step / steps, fromY + (toY - fromY) * step / steps);
    Pass();
  }
  mDesktop->Release(sys::MouseButton::Left, toX, toY);
  Pass();
}

void GameDriver::PressKey(uint32_t virtualKey, uint32_t modifiers) {
  mDesktop->PressKey(virtualKey, modifiers);
  mDesktop->ReleaseKey(virtualKey, modifiers);
  Pass();
}

void GameDriver::Type(const std::string& utf8) {
  mDesktop->Type(utf8);
  Pass();
}

void GameDriver::RequestClose() {
  mDesktop->Report(sys::InputKind::CloseRequested);
  Pass();
}

TAppPlatform* GameDriver::Platform() const { return mEnded ? nullptr : mPlatform; }

sys::Picture GameDriver::ShownPicture() {
  if (mSinceFrame > 0) Pass();
  sys::Picture picture;
  mDesktop->ReadShownPicture(picture);
  return picture;
}

std::string GameDriver::LogText() const {
  std::ifstream log(GetLogPath().CStr(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(log), {});
}

std::string GameDriver::ProblemsInLog() const {
  std::istringstream log(LogText());
  std::string problems;
  std::string line;
  while (std::getline(log, line)) {
    if (ReportsProblem(line)) problems += line + "\n";
  }
  return problems;
}

void GameDriver::Fail(const std::string& message) { mFailures += message + "\n"; }

bool GameDriver::Check(bool condition, const std::string& message) {
  if (!condition) Fail(message);
  return condition;
}
