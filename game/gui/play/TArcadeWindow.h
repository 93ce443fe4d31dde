#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "game/rules/level/TLevelKey.h"
#include "platform/text/TString.h"
#include "platform/types/TClassId.h"
#include "windows/core/TWindow.h"
#include "windows/core/TWindowTask.h"

namespace GamePlay {
class IRateController;
class IScoringModel;
class ITimeController;
class ITowerControl;
class ITowerModel;
class TLevelSettings;
}  // namespace GamePlay

namespace GUI {

class TLevelBanner;
class TLifeBar;
class TTowerViewImpl;
class TTutorialMsgViewImpl;

// The window of the play screen, through which every level is played. A
// script makes it ("ArcadeWindow") and gives it a level with SetLevel; it
// then owns the level's model and views, steps the model every 10 ms while
// the game clocks run, routes the pointer into the model and, once the level
// is left, runs the script that leads to the next screen at the end of the
// next frame. The buttons it presses or reveals ("pauseButton",
// "skipButton", "quitGame") are looked for in its parent's tree.
//
// Its Lua functions act on the newest play window and do nothing once it is
// gone: Restart, ResetGame, SetLevel, PauseGame, ResumeGame, QuitFromGame,
// GameFinish, IsGameEndScreen.
class TArcadeWindow final : public TWindow {
 public:
  static constexpr int32_t kWidth = 800;
  static constexpr int32_t kHeight = 600;
  // The model's step, in milliseconds of game time.
  static constexpr uint32_t kUpdatePeriod = 10;

  static TClassId ClassId();
  // The window as a play window, or null.
  static TArcadeWindow* Cast(TWindow* window);
  // For the window manager's table of window types.
  static std::unique_ptr<TWindow> Create();
  // Neither paused nor suspended: the model steps and takes the pointer.
  static bool AreGameClocksRunning();

  // Registers the Lua functions on the window manager's script.
  TArcadeWindow();
  ~TArcadeWindow() override;

  bool IsKindOf(TClassId id) const override;
  // Takes the keyboard focus.
  void PostCreate() override;
  void Draw() override;
  bool OnMouseDown(int32_t x, int32_t y) override;
  // Codes: 0 right up, 1 right down, 2 middle up, 3 middle down.
  bool OnMouseButton(int32_t button, int32_t x, int32_t y) override;
  bool OnMouseUp(int32_t x, int32_t y) override;
  bool OnMouseMove(int32_t x, int32_t y) override;
  // Escape pauses; every character answers false.
  bool OnChar(uint8_t character) override;
  // The play screen is always redrawn whole.
  bool InvalidateRect(TRect* rect) override;
  // The level goes at once, as when a new one replaces it.
  void ReleaseBeforeDeletion() override;

  // The Lua functions.
  void Restart();
  void ResetGame();
  // A new level replaces the one before wholly. A level whose settings
  // cannot be made leaves the window without a model (logged).
  void SetLevel(int32_t world, int32_t level);
  void PauseGame();
  void ResumeGame();
  void QuitFromGame();
  // The level is won at once.
  void GameFinish();
  bool IsGameEndScreen() { return mGameEndScreen; }

  // Fires "pauseButton" as a click would, when there is one.
  void PressPauseButton();
  // The model's 10 ms step for the level the task was made for; false once
  // a newer level has replaced it.
  bool Update(uint32_t levelSerial);
  bool IsCurrentLevel(uint32_t levelSerial) const { return levelSerial == mLevelSerial; }

  // What tests and the game main read; null without a model.
  GamePlay::ITowerControl* GetTowerControl() const;
  GamePlay::ITowerModel* GetTowerModel() const;
  GamePlay::IScoringModel* GetScoring() const;
  TTowerViewImpl* GetTowerView() const;
  TTutorialMsgViewImpl* GetTutorialMsgView() const;
  GamePlay::ITimeController* GetLevelTimer() const;
  // Null without a timer.
  TLifeBar* GetLifeBar() const;
  // Null on tutorial levels.
  TLevelBanner* GetBanner() const;
  // How far the next ring's delivery has come.
  GamePlay::IRateController* GetDelivery() const;
  bool IsStatisticsShown() const { return mStatisticsShown; }
  bool IsCheatMode() const { return mCheatMode; }
  const TString& GetPregameTutorial() const { return mPregameTutorial; }

 private:
  struct TPlayLevel;

  void RegisterLuaFunctions();
  // The model set-up and the level set-up; false when the level's settings
  // cannot be made.
  bool SetUpLevel(TPlayLevel& level, const GamePlay::TLevelKey& key);
  void LoadScenes(TPlayLevel& level, const GamePlay::TLevelSettings& settings);
  void StartTasks();
  void ShowSkipButton();
  void TakeHostRequests();
  void OpenPregameTutorial();
  void LeaveLevel();
  TWindow* FindInParent(const char* name);

  std::unique_ptr<TPlayLevel> mLevel;
  std::optional<GamePlay::TLevelKey> mLevelKey;
  TString mPregameTutorial;
  uint32_t mLevelSerial = 0;
  bool mLeaving = false;
  bool mStatisticsShown = false;
  bool mCheatMode = false;
  bool mQuit = false;
  bool mReset = false;
  bool mTutorialShown = false;
  bool mGameEndScreen = false;
};

// The model's step every 10 ms, listed with the dialog that was on top when
// the level was set, so the game stands still while another dialog covers it.
class TUpdateTask final : public TWindowTask {
 public:
  TUpdateTask(TArcadeWindow& window, uint32_t levelSerial) : TWindowTask(window), mLevelSerial(levelSerial) {}

 protected:
  bool Animate() override;

 private:
  uint32_t mLevelSerial;
};

// Redraws the whole screen every 10 ms while its level is played, from the
// platform's task list, so the play screen moves even under a dialog.
class TGameUpdate2d final : public TWindowTask {
 public:
  TGameUpdate2d(TArcadeWindow& window, uint32_t levelSerial) : TWindowTask(window), mLevelSerial(levelSerial) {}

 protected:
  bool Animate() override;

 private:
  uint32_t mLevelSerial;
};

}  // namespace GUI
