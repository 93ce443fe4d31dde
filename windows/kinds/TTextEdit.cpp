#include "windows/kinds/TTextEdit.h"

#include <algorithm>
#include <string>

#include "media/text/MarkupText.h"
#include "platform/TPlatform.h"
#include "platform/types/TEvent.h"
#include "system/window/VirtualKeys.h"
#include "windows/core/TMessage.h"
#include "windows/core/TWindowManager.h"
#include "windows/core/TWindowSpider.h"

namespace {

constexpr uint8_t kBackspace = 8;
constexpr uint8_t kTab = 9;
constexpr uint8_t kEnter = 13;
constexpr uint8_t kPasteKey = 'V';
// The cursor shows in the second part of each blink period; the edit looks
// at the blink often enough to catch each phase.
constexpr uint32_t kBlinkPeriod = 800;
constexpr uint32_t kBlinkHidden = 400;
constexpr uint32_t kBlinkStep = 200;

// Printable ASCII: control characters, DEL and the codes above 127 (which
// the text layout would read as broken UTF-8) are not typed.
bool IsPrintable(char character) { return character >= ' ' && character < 127; }

}  // namespace

// Walks the top dialog depth first from the front: the first other edit met
// at a level hands the new one its Tab order and ends the walk of that level.
class TextSpider : public TWindowSpider {
 public:
  explicit TextSpider(TTextEdit& edit) : mEdit(edit) {}

  bool Visit(TWindow& child) override {
    TTextEdit* other = TTextEdit::Cast(&child);
    if (other && other != &mEdit) {
      mEdit.JoinTabOrder(other->mTabOrder);
      return false;
    }
    child.ForEachChild(*this);
    return true;
  }

 private:
  TTextEdit& mEdit;
};

TClassId TTextEdit::ClassId() {
  static const char id = 0;
  return &id;
}

TTextEdit* TTextEdit::Cast(TWindow* window) {
  return window && window->IsKindOf(ClassId()) ? static_cast<TTextEdit*>(window) : nullptr;
}

TTextEdit::TTextEdit() : mTabOrder(std::make_shared<TabOrder>(1, this)) {
  AddFlags(kWindowFocusable);
  mBlink.Start();
}

TTextEdit::~TTextEdit() { LeaveTabOrder(); }

bool TTextEdit::IsKindOf(TClassId id) const { return id == ClassId() || TText::IsKindOf(id); }

bool TTextEdit::Init() {
  StartAnim(kBlinkStep, true, true, false);
  TWindowManager* manager = PlatformWindowManager();
  if (TWindow* dialog = manager ? manager->GetTopModal() : nullptr) {
    TextSpider spider(*this);
    dialog->ForEachChild(spider);
  }
  return true;
}

bool TTextEdit::Refresh() {
  UpdateDisplayText();
  return true;
}

void TTextEdit::JoinTabOrder(const std::shared_ptr<TabOrder>& order) {
  if (order == mTabOrder) return;
  LeaveTabOrder();
  mTabOrder = order;
  mTabOrder->push_back(this);
}

void TTextEdit::LeaveTabOrder() {
  if (!mTabOrder) return;
  std::erase(*mTabOrder, this);
  mTabOrder.reset();
}

void TTextEdit::FocusNext() {
  auto self = std::find(mTabOrder->begin(), mTabOrder->end(), this);
  if (self == mTabOrder->end()) return;
  ++self;
  TTextEdit* next = self == mTabOrder->end() ? mTabOrder->front() : *self;
  if (TWindowManager* manager = PlatformWindowManager()) manager->SetFocus(next);
}

void TTextEdit::SetLabel(const TString& text) {
  mText = text;
  mCursor = mText.Length();
  UpdateDisplayText();
}

TString TTextEdit::GetLabel() const { return mText; }

void TTextEdit::SetPassword(bool on) {
  mPassword = on;
  UpdateDisplayText();
}

void TTextEdit::SetEditable(bool on) {
  mEditable = on;
  UpdateDisplayText();
}

bool TTextEdit::AcceptChar(int32_t kind, uint8_t code) {
  switch (kind) {
    case kAcceptInsert:
      if (mText.Length() < mMaxLength) return true;
      AcceptChar(kAcceptRefusal, code);
      return false;
    case kAcceptMove:
    case kAcceptPaste:
      return true;
    default:
      return false;
  }
}

// The shown text is mark-up: what was typed is escaped, so that it shows as
// typed whatever it holds, and the cursor tag goes between the characters.
void TTextEdit::UpdateDisplayText() {
  TWindowManager* manager = PlatformWindowManager();
  const bool focused = manager && manager->GetFocus() == this;
  const TString shown = mPassword ? TString(std::string(static_cast<size_t>(mText.Length()), '*').c_str()) : mText;
  if (!focused) {
    TText::SetLabel(EscapeMarkup(shown));
    return;
  }
  const bool cursorPhase = mBlink.GetTime() % kBlinkPeriod > kBlinkHidden;
  if (cursorPhase != mCursorShown) {
    mCursorShown = cursorPhase;
    Invalidate();
  }
  if (!cursorPhase) {
    TText::SetLabel(EscapeMarkup(shown));
    return;
  }
  TString label = EscapeMarkup(shown.Mid(0, mCursor));
  if (mEditable) label += "<cursor>";
  label += EscapeMarkup(shown.Mid(mCursor));
  TText::SetLabel(label);
}

void TTextEdit::DeleteBeforeCursor() {
  if (mCursor <= 0) return;
  mText.Erase(mCursor - 1, 1);
  --mCursor;
  UpdateDisplayText();
}

void TTextEdit::Insert(char character) {
  mText = mText.Mid(0, mCursor) + character + mText.Mid(mCursor);
  ++mCursor;
  UpdateDisplayText();
}

void TTextEdit::PostKeystroke() {
  if (TWindowManager* manager = PlatformWindowManager()) {
    manager->PostMessage(std::make_unique<TMessage>(kMessageTextEdit, GetName(), nullptr));
  }
}

bool TTextEdit::OnChar(uint8_t character) {
  if (!mEditable) return false;
  switch (character) {
    case kBackspace:
      if (mCursor == 0) return AcceptChar(kAcceptRefusal, character);
      if (!AcceptChar(kAcceptMove, character)) return false;
      DeleteBeforeCursor();
      break;
    case kTab:
      if (!AcceptChar(kAcceptTab, character)) {
        FocusNext();
        return false;
      }
      break;
    case kEnter:
      if (!AcceptChar(kAcceptEnter, character)) return false;
      break;
    default: {
      const char typed = static_cast<char>(character);
      if (!IsPrintable(typed)) return false;
      if (mIgnore.FindChar(typed) < 0) {
        if (!AcceptChar(kAcceptInsert, character)) return false;
        Insert(typed);
      }
    }
  }
  PostKeystroke();
  return true;
}

bool TTextEdit::OnKeyDown(uint8_t key, uint32_t modifiers) {
  switch (key) {
    case sys::vk::kLeft:
      if (mCursor == 0) {
        AcceptChar(kAcceptRefusal, key);
        return true;
      }
      if (!AcceptChar(kAcceptMove, key)) return false;
      --mCursor;
      UpdateDisplayText();
      return true;
    case sys::vk::kRight:
      if (mCursor >= mText.Length()) {
        AcceptChar(kAcceptRefusal, key);
        return true;
      }
      if (!AcceptChar(kAcceptMove, key)) return false;
      ++mCursor;
      UpdateDisplayText();
      return true;
    case sys::vk::kInsert:
      return Paste();
    case kPasteKey:
      return (modifiers & kEventControl) != 0 && Paste();
    default:
      return false;
  }
}

// The pasted text replaces the whole text: cut to the maximum length first,
// then cleared of ignored characters and of what cannot be typed.
bool TTextEdit::Paste() {
  if (!mEditable || !AcceptChar(kAcceptPaste, 0)) return false;
  TPlatform* platform = TPlatform::Instance();
  const TString clipboard = platform ? platform->GetClipboardText() : TString("");
  if (clipboard.IsEmpty()) return false;
  const TString cut = clipboard.Mid(0, std::max(mMaxLength, 0));
  TString kept;
  for (int index = 0; index < cut.Length(); ++index) {
    const char c = cut.CharAt(index);
    if (IsPrintable(c) && mIgnore.FindChar(c) < 0) kept += c;
  }
  SetLabel(kept);
  return true;
}
