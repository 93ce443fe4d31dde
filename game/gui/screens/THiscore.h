#pragma once

#include <cstdint>
#include <memory>

#include "game/gui/screens/GameWindowTasks.h"
#include "platform/text/TString.h"
#include "platform/types/TClassId.h"
#include "windows/core/TWindow.h"
#include "windows/core/TWindowTask.h"

class TVqHiscores;

namespace GUI {

// The hiscore screen: the local table of the current game mode and, when
// the player asks, the online tables of the hiscore service, ten rows at a
// time, with the way to the dialog that sends the best unsent score or the
// earned medals. Its children come from the screen's script and are found by
// name; a child the script did not make is skipped. Names, messages and
// error texts from outside are shown as plain text, never as mark-up.
class THiscore final : public TWindow {
 public:
  enum TViewState : int32_t {
    kLocalView = 0,
    kWaitingForCategories = 1,
    kWaitingForScores = 2,
    kOnlineView = 4,
    kErrorView = 5,
  };
  enum TResultMode : int32_t {
    kNoResult = 0,
    kScoreAccepted = 1,
    kMedalsAccepted = 2,
    kNotQualified = 3,
  };
  static constexpr int32_t kRows = 10;
  // How far the left panel moves right when the game keeps its scores local.
  static constexpr int32_t kLocalOnlyShift = 130;
  static constexpr uint32_t kUpdatePeriod = 20;
  // The application's hiscore modes that change what the screens offer.
  static constexpr int32_t kOnlineHiscores = 0;
  static constexpr int32_t kLocalHiscores = 2;
  // The buffer the client's error texts are copied into.
  static constexpr int32_t kErrorTextSize = 512;
  static constexpr int32_t kScreenWidth = 800;
  static constexpr int32_t kScreenHeight = 600;

  static TClassId ClassId();
  // The window as the hiscore screen, or null.
  static THiscore* Cast(TWindow* window);
  // For the window manager's table of window types.
  static std::unique_ptr<TWindow> Create();

  // Starts the update task in the dialog being built and binds
  // "ShowPrivacyWeb" to this window.
  THiscore();
  // An open submit dialog closes with the screen.
  ~THiscore() override;

  bool IsKindOf(TClassId id) const override;
  // Lays the screen out for the hiscore mode and shows the local view.
  void PostCreate() override;
  // Takes the commands of the screen's buttons.
  bool HandleMessage(TMessage& message) override;
  // The whole screen is drawn again, whatever part asked for it.
  bool InvalidateRect(TRect* rect) override;

  // One update: while a request runs, its reply moves the view on.
  void Update();
  // A submission was accepted: the online tables are fetched anew and then
  // show the result.
  void ShowSubmissionResult(TResultMode result);
  // Opens the hiscore service's privacy page.
  void ShowPrivacyWeb();

  TViewState GetViewState() const { return mViewState; }
  TResultMode GetResultMode() const { return mResultMode; }
  int32_t GetFirstRow() const { return mFirstRow; }
  int32_t GetCategory() const { return mCategory; }

 private:
  bool RunCommand(const TString& command);
  void StepGameMode(int32_t step);
  void StepCategory(int32_t step);
  void RequestCategories();
  void RequestScores();
  void Scroll(int32_t rows);
  void OpenSubmitDialog(bool medals);
  // The children as the view state asks, then the buttons.
  void ShowState();
  void ShowRows(bool local);
  void ShowOnlineResult();
  void ShowButtons();
  bool HasPendingLocalScore() const;
  bool IsLocalOnly() const;
  TString GameModeTitle() const;
  void Show(const char* name, bool shown) { ShowChild(*this, name, shown); }
  // Sets the text of a text window of that name; the text is shown as it is.
  void SetText(const TString& name, const TString& text);

  TVqHiscores* mHiscores;
  TViewState mViewState = kLocalView;
  TResultMode mResultMode = kNoResult;
  TString mErrorText;
  int32_t mCategory = 0;
  int32_t mFirstRow = 0;
  // The open submit dialog; reads null once it is gone.
  TWindowLink mSubmitDialog;
};

// The hiscore screen's update task: every 20 ms while its window lives.
class TUpdateHiscoreWindow final : public TWindowTask {
 public:
  explicit TUpdateHiscoreWindow(THiscore& window) : TWindowTask(window) {}

 protected:
  bool Animate() override;
};

}  // namespace GUI
