#pragma once

#include <cstdint>
#include <memory>

#include "game/gui/screens/GameWindowTasks.h"
#include "platform/text/TString.h"
#include "windows/core/TWindowTask.h"
#include "windows/kinds/TModalWindow.h"

class TVqHiscores;

namespace GUI {

class THiscore;

// The medals a medal submission carries; once the service accepted them,
// each is marked submitted for the current player.
struct THiscoreSubmitAction {
  bool journey = false;
  bool expert = false;
  bool zen = false;

  void MarkSubmitted() const;
};

// The dialog that sends the current player's best unsent score, or the
// earned medals, to the hiscore service with an online account. Its
// children come from "scripts/hiscoresubmit.lua" and are found by name. It
// reports to the hiscore screen that opened it and closes when that screen
// goes.
class THiscoreSubmit final : public TModalWindow {
 public:
  static constexpr uint32_t kUpdatePeriod = 20;

  // Puts a new dialog on top of the screen's, builds it from its script and
  // shows the form; null when it cannot be opened.
  static THiscoreSubmit* Open(THiscore& screen, bool medals);

  THiscoreSubmit(THiscore& screen, bool medals);

  // Takes the commands of its buttons and the keystrokes of its edits.
  bool HandleMessage(TMessage& message) override;
  // The keys go to "nameedit".
  void OnFocus(TWindow* previous) override;

  // The reply came: an error shows over the form; success closes the dialog
  // and lets the screen show the result.
  void ShowSubmissionError(const TString& error);
  void SubmissionAccepted(bool scoreEntered, const std::shared_ptr<THiscoreSubmitAction>& action);

 private:
  // The texts and marks the form starts with.
  void Initialise();
  // The form, or while connecting only the note that it connects.
  void ShowLayout(bool connecting);
  void ShowSubmitButtons();
  void SubmitScore();
  void SubmitMedals();
  void StartUpdate(std::shared_ptr<THiscoreSubmitAction> action);
  void Close();
  bool HasPendingScore() const;
  TString EditText(const char* name);
  void Show(const char* name, bool shown) { ShowChild(*this, name, shown); }

  TWindowLink mScreen;
  TVqHiscores* mHiscores;
  bool mMedalMode;
};

// Polls the submission every 20 ms while the dialog lives, until its reply.
class TUpdateHiscoreSubmitWindow final : public TWindowTask {
 public:
  TUpdateHiscoreSubmitWindow(THiscoreSubmit& dialog, std::shared_ptr<THiscoreSubmitAction> action)
      : TWindowTask(dialog), mAction(std::move(action)) {}

 protected:
  bool Animate() override;

 private:
  std::shared_ptr<THiscoreSubmitAction> mAction;
};

}  // namespace GUI
