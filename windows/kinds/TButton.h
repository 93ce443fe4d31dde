#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/text/TString.h"
#include "windows/kinds/TLayeredWindow.h"
#include "windows/script/TLuaObjectWrapper.h"

class TSound;
class TTexture;

// The window flag of a button that begins a radio group.
constexpr uint32_t kWindowBeginsGroup = 0x10;

// A push button, check box or radio button. Each state shows a layer of
// child windows: normal, pressed and hover, with check boxes and radio
// buttons swapping the layers of their checked look. A click plays its sound
// and runs the command: messages to the dialog and the script, or an action.
class TButton : public TLayeredWindow {
 public:
  enum Kind : int32_t { kPush = 0, kCheck = 1, kRadio = 2 };
  enum State : int32_t { kNormal = 0, kPressed = 1, kHover = 2, kClicked = 3 };
  // The bits of SetFlags.
  enum SetFlagBits : uint32_t { kSetBeginsGroup = 0x1, kSetSendToParent = 0x2, kSetClose = 0x4, kSetDefault = 0x8 };
  // The bits the button keeps.
  enum Flag : uint32_t { kSendToParent = 0x1, kChecked = 0x2, kClose = 0x4, kDefault = 0x8 };

  // What a click runs in place of posting only the command message.
  class Action {
   public:
    virtual ~Action() = default;
    // True when the action is done with the click.
    virtual bool Execute(TButton& button) = 0;
  };

  // Sends a "LuaAction:" message with the button's name to the script.
  class LuaAction : public Action {
   public:
    explicit LuaAction(std::unique_ptr<TLuaFunction> function) : mFunction(std::move(function)) {}
    bool Execute(TButton& button) override;
    TLuaFunction* GetFunction() const { return mFunction.get(); }

   private:
    std::unique_ptr<TLuaFunction> mFunction;
  };

  static TClassId ClassId();
  // The window as a button, or null.
  static TButton* Cast(TWindow* window);

  explicit TButton(int32_t kind);
  ~TButton() override;

  bool IsKindOf(TClassId id) const override;
  bool Init() override;
  bool OnMouseDown(int32_t x, int32_t y) override;
  bool OnMouseUp(int32_t x, int32_t y) override;
  bool OnMouseMove(int32_t x, int32_t y) override;
  void OnCaptureLost() override;

  virtual void OnStateChange(int32_t state, int32_t old);
  virtual void SetState(int32_t state);

  void SetChecked(bool checked);
  void SetFlags(uint32_t bits);
  void SetAction(std::unique_ptr<Action> action) { mAction = std::move(action); }
  Action* GetAction() const { return mAction.get(); }
  // Loads the sound in memory for the state; a missing sound leaves none.
  void SetSound(int32_t state, const TString& name);
  // Copies the texture's pixels as the hit mask; an empty texture or a
  // failed lock leaves no mask.
  void SetMask(const std::shared_ptr<TTexture>& texture);
  void SetTooltip(const TString& tooltip) { mTooltip = tooltip; }
  // The text of the window named "label" below the button (at any depth)
  // when that is a text window; "" otherwise.
  TString GetLabel();
  // Posts the close and command messages and runs the action; true when the
  // action closed the click.
  bool DoCommand();
  // True when the point (window coordinates) misses the button or hits a
  // near-black mask pixel; it then loses the capture.
  bool IsOutside(int32_t x, int32_t y);

  int32_t GetKind() const { return mKind; }
  int32_t GetState() const { return mState; }
  uint32_t GetButtonFlags() const { return mButtonFlags; }
  bool IsChecked() const { return (mButtonFlags & kChecked) != 0; }
  const TString& GetTooltip() const { return mTooltip; }
  std::shared_ptr<TSound> GetSound(int32_t state) const;

 private:
  void PlaySound(int32_t state);
  uint32_t LayerOf(int32_t state) const;
  void UncheckGroup();

  int32_t mKind;
  int32_t mState = kNormal;
  uint32_t mButtonFlags = 0;
  std::unique_ptr<Action> mAction;
  std::array<std::shared_ptr<TSound>, 3> mSounds;
  TString mTooltip;
  std::vector<uint8_t> mMask;
  int32_t mMaskWidth = 0;
  int32_t mMaskHeight = 0;
};
