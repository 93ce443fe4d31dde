#pragma once

#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "game/gui/effects/IGraphic.h"
#include "game/rules/control/ITutorialMsgView.h"
#include "platform/time/TClock.h"
#include "platform/types/TRect.h"

class TTextLayout;

namespace GUI {

class TGraphicRegistry;

// The tutorials' message box. Each dialog's text boxes fade in over 400 ms on
// the dialog background; a modal dialog then shows a continue button under
// its first box and holds the game clocks from its start until the last
// dialog closes. One overlay picture may be shown over the field while a
// dialog is up. The button is drawn, not a window: its place on screen is
// answered by GetContinueButtonRect.
class TTutorialMsgViewImpl final : public GamePlay::ITutorialMsgView {
 public:
  static constexpr uint32_t kFadeMilliseconds = 400;
  static constexpr float kButtonDrop = 84.0f;
  static constexpr float kBackgroundAlpha = 0.7f;

  // The pictures are looked up in registry (not null), which outlives the view.
  explicit TTutorialMsgViewImpl(TGraphicRegistry* registry);
  ~TTutorialMsgViewImpl() override;
  TTutorialMsgViewImpl(const TTutorialMsgViewImpl&) = delete;
  TTutorialMsgViewImpl& operator=(const TTutorialMsgViewImpl&) = delete;

  void ShowDialog(const std::vector<GamePlay::TDialogItem>& items, bool modal, bool endsLevel) override;
  void AddOverlay(const TString& name) override;
  void ShowOverlay(const TVec2& position, const TString& name) override;
  void HideOverlay() override;
  void HideDialog() override;
  bool IsShowing() override { return !mDialogs.empty(); }
  bool IsWaitingForClick() override { return !mDialogs.empty() && mDialogs.front().modal; }
  void OnMouseDown(const TVec2& point) override;
  void OnMouseUp(const TVec2& point) override;
  void SetListener(GamePlay::IScriptTutorialView* listener) override { mListener = listener; }
  void SetTowerView(GamePlay::ITowerView* towerView) override { mTowerView = towerView; }
  void SetModel(GamePlay::ITowerModel* model) override { mModel = model; }
  void Draw() override;

  // The continue button's hit rectangle for the front dialog; empty without
  // a dialog.
  TRect GetContinueButtonRect();
  float GetFade() const { return mFade; }
  bool IsPressed() const { return mPressed; }
  const TTextLayout& GetTextBox() const { return *mTextBox; }

 private:
  struct TDialog {
    std::vector<GamePlay::TDialogItem> items;
    bool modal = false;
    bool endsLevel = false;
  };

  bool IsModelFilling();
  // The front dialog starts its fade-in; a modal one holds the game clocks.
  void StartFront();
  void HoldClocks(bool hold);
  TVec2 ButtonPlace();
  void AdvanceFade();
  void DrawItem(const GamePlay::TDialogItem& item, bool withButton);

  std::unique_ptr<TTextLayout> mTextBox;
  std::shared_ptr<IGraphic> mBackground;
  GamePlay::ITowerView* mTowerView = nullptr;
  GamePlay::ITowerModel* mModel = nullptr;
  GamePlay::IScriptTutorialView* mListener = nullptr;
  std::shared_ptr<IGraphic> mButtonUp;
  std::shared_ptr<IGraphic> mButtonDown;
  bool mPressed = false;
  int32_t mTextWidth;
  int32_t mTextHeight;
  TClock mClock;
  float mFade = 0.0f;
  bool mShown = false;
  bool mHoldingClocks = false;
  std::deque<TDialog> mDialogs;
  TGraphicRegistry* mRegistry;
  std::map<TString, std::shared_ptr<IGraphic>> mOverlays;
  std::shared_ptr<IGraphic> mOverlay;
  TVec2 mOverlayPosition;
};

}  // namespace GUI
