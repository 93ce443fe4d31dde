#pragma once

#include <vector>

#include "platform/text/TString.h"
#include "platform/types/TVec2.h"

namespace GamePlay {

class IScriptTutorialView;
class ITowerModel;
class ITowerView;

// One text box of a tutorial dialog: the centre of its box on screen, in
// pixels, and its text.
struct TDialogItem {
  TVec2 position;
  TString text;
};

// The message box of the scripted tutorials: a queue of dialogs that fade in
// over the play field, the modal ones waiting for a continue button (and
// holding the game clocks meanwhile), and one overlay picture.
class ITutorialMsgView {
 public:
  virtual ~ITutorialMsgView() = default;
  virtual void ShowDialog(const std::vector<TDialogItem>& items, bool modal, bool endsLevel) = 0;
  // Loads the picture of that name so a later ShowOverlay can show it.
  virtual void AddOverlay(const TString& name) = 0;
  // Nothing for a name never added.
  virtual void ShowOverlay(const TVec2& position, const TString& name) = 0;
  virtual void HideOverlay() = 0;
  // Closes the front dialog.
  virtual void HideDialog() = 0;
  virtual bool IsShowing() = 0;
  virtual bool IsWaitingForClick() = 0;
  virtual void OnMouseDown(const TVec2& point) = 0;
  virtual void OnMouseUp(const TVec2& point) = 0;
  // Told when the player closes a dialog with the continue button.
  virtual void SetListener(IScriptTutorialView* listener) = 0;
  virtual void SetTowerView(ITowerView* towerView) = 0;
  virtual void SetModel(ITowerModel* model) = 0;
  virtual void Draw() = 0;
};

}  // namespace GamePlay
