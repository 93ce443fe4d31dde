#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/text/TString.h"
#include "platform/time/TClock.h"
#include "windows/kinds/TText.h"

// One line of text entry (player and account names). It takes printable
// characters up to a maximum length at its cursor, moves the cursor with
// the arrow keys, deletes with Backspace, pastes from the clipboard with
// Ctrl+V or Insert, and passes the focus on with Tab through the edits of
// its dialog, in the order they were made. Every keystroke it takes is
// reported with a kMessageTextEdit message bearing its name.
//
// Keys come as Windows virtual-key codes, characters as Windows-1252 codes;
// only printable ASCII goes into the text. The text is shown as typed, not
// read as mark-up, with a blinking cursor while the edit has the focus, or
// as one '*' per character in password mode.
class TTextEdit : public TText {
 public:
  // What AcceptChar is asked about; the defaults are noted.
  enum Acceptance : int32_t {
    kAcceptInsert = 0,   // a typed character: while the text is shorter than the maximum (else a refusal notice)
    kAcceptMove = 1,     // moving the cursor or deleting before it: yes
    kAcceptEnter = 2,    // no: Enter goes on to the dialog and its default button
    kAcceptTab = 3,      // no: Tab moves the focus to the next edit and goes on
    kAcceptPaste = 4,    // yes
    kAcceptRefusal = 5,  // a notice (text full, cursor at an end): no effect
  };
  static constexpr int32_t kDefaultMaxLength = 10;

  static TClassId ClassId();
  // The window as a text edit, or null.
  static TTextEdit* Cast(TWindow* window);

  TTextEdit();
  // Leaves the Tab order of its dialog.
  ~TTextEdit() override;

  bool IsKindOf(TClassId id) const override;
  // Starts the blink (a refresh every 200 ms) and joins the Tab order of the
  // other edits in the top dialog.
  bool Init() override;
  bool Refresh() override;
  bool OnChar(uint8_t character) override;
  bool OnKeyDown(uint8_t key, uint32_t modifiers) override;

  // Replaces the text as typed, with the cursor at its end.
  void SetLabel(const TString& text) override;
  // The text as typed, not as shown.
  TString GetLabel() const override;
  // Whether to go on with a keystroke of the kind (Acceptance); `code` is
  // the character, or the key for the arrows, or 0 for a paste. Subclasses
  // override it to take Enter or Tab, or to react to refusals.
  virtual bool AcceptChar(int32_t kind, uint8_t code);

  void SetPassword(bool on);
  // Characters that are swallowed instead of typed or pasted.
  void SetIgnore(const TString& characters) { mIgnore = characters; }
  void SetMaxLength(int32_t length) { mMaxLength = length; }
  // A read-only edit takes no characters and shows no cursor.
  void SetEditable(bool on);
  int32_t GetCursor() const { return mCursor; }
  // The edits of the dialog in Tab order, this one among them.
  const std::vector<TTextEdit*>& GetTabOrder() const { return *mTabOrder; }

  // Shows the text anew: masked in password mode, with the cursor in the
  // blink's visible phase while the edit has the focus.
  void UpdateDisplayText();
  void DeleteBeforeCursor();

 private:
  using TabOrder = std::vector<TTextEdit*>;
  friend class TextSpider;

  void Insert(char character);
  bool Paste();
  void PostKeystroke();
  void FocusNext();
  // An edit is in one Tab order at a time, once.
  void JoinTabOrder(const std::shared_ptr<TabOrder>& order);
  void LeaveTabOrder();

  int32_t mMaxLength = kDefaultMaxLength;
  std::shared_ptr<TabOrder> mTabOrder;
  TString mText;
  int32_t mCursor = 0;  // characters of the text before it
  bool mEditable = true;
  bool mPassword = false;
  bool mCursorShown = false;  // the blink phase last shown
  TString mIgnore;
  TClock mBlink;
};
