#pragma once

#include <cstdint>
#include <memory>

#include "game/gui/scenes/TTutorial.h"
#include "game/rules/control/IScriptTutorialView.h"
#include "platform/text/TString.h"

namespace GamePlay {
class ITowerControl;
class ITowerView;
class ITutorialMsgView;
class TLevelSettings;
}  // namespace GamePlay

namespace GUI {

// The scripted tutorial of a level, between the play window and the rules:
// the rules (and the message view's continue button) ask for the next step,
// and each frame the step is taken once the tower is at rest, that is no
// input lock is held and no piece is vanishing.
class TScriptTutorial final : public GamePlay::IScriptTutorialView {
 public:
  // "tutorials/tutorialWWLL.lua" for a tutorial level; empty for any other.
  static TString ScriptNameFor(const GamePlay::TLevelSettings& level);

  // Without a script of that name (or with an empty name) the tutorial does
  // nothing. The three objects are not owned and outlive the tutorial.
  TScriptTutorial(const TString& scriptName, GamePlay::ITowerView* towerView,
                  GamePlay::ITowerControl* towerControl, GamePlay::ITutorialMsgView* messageView);
  ~TScriptTutorial() override;
  TScriptTutorial(const TScriptTutorial&) = delete;
  TScriptTutorial& operator=(const TScriptTutorial&) = delete;

  void RequestNextStep() override { mNextStep = 1; }
  // Once, after the level is set up.
  void Start();
  // Every frame.
  void Update();

  bool IsStepRequested() const { return mNextStep != 0; }
  // Null without a script.
  ScriptTutorial::TTutorial* GetRunner() const { return mRunner.get(); }

 private:
  bool IsTowerLocked() const;
  bool HasVanishingPiece() const;

  uint8_t mNextStep = 0;
  std::shared_ptr<ScriptTutorial::TTutorial> mRunner;
  GamePlay::ITowerControl* mTowerControl;
  GamePlay::ITutorialMsgView* mMessageView;
};

}  // namespace GUI
