#include "windows/kinds/TModalWindow.h"

#include "platform/text/Log.h"
#include "windows/kinds/TButton.h"
#include "windows/core/TMessage.h"
#include "windows/core/TWindowManager.h"
#include "windows/core/TWindowSpider.h"

namespace {

constexpr uint8_t kEnterCharacter = 13;

// Looks for the default button depth first from the front: a visible default
// button ends the search among its siblings, any other window is searched in
// turn, and the outer levels go on, so the last one found wins.
class FindDefault : public TWindowSpider {
 public:
  bool Visit(TWindow& child) override {
    TButton* button = TButton::Cast(&child);
    if (button && (button->GetButtonFlags() & TButton::kDefault) && button->IsVisible()) {
      mFound = button;
      return false;
    }
    child.ForEachChild(*this);
    return true;
  }

  TButton* GetFound() const { return mFound; }

 private:
  TButton* mFound = nullptr;
};

}  // namespace

TClassId TModalWindow::ClassId() {
  static const char id = 0;
  return &id;
}

TModalWindow* TModalWindow::Cast(TWindow* window) {
  return window && window->IsKindOf(ClassId()) ? static_cast<TModalWindow*>(window) : nullptr;
}

TModalWindow::TModalWindow() { AddFlags(kWindowDialogBoundary | kWindowFocusable); }

TModalWindow::~TModalWindow() {
  if (TWindowManager* manager = PlatformWindowManager()) {
    manager->PostMessage(std::make_unique<TMessage>(kMessageModalClosed, GetCloseMessageName(), nullptr));
  }
}

bool TModalWindow::IsKindOf(TClassId id) const { return id == ClassId() || TWindow::IsKindOf(id); }

TString TModalWindow::GetCloseMessageName() const { return TMessage::CloseName(GetSerial()); }

// A close message can meet a dialog below the top one (climbing from a focus
// window set inside it, or posted to its parent): popping then would close
// the top dialog, which is another one.
bool TModalWindow::HandleMessage(TMessage& message) {
  if (message.GetType() != kMessageClose) return false;
  if (message.GetName() != GetCloseMessageName()) return true;
  TWindowManager* manager = PlatformWindowManager();
  if (!manager) return true;
  if (manager->GetTopModal() == this) {
    manager->PopModal();
  } else {
    LogPrintf("Close message '%s' reached a dialog below the top one: nothing closed", message.GetName().CStr());
  }
  return true;
}

bool TModalWindow::OnChar(uint8_t character) {
  if (character != kEnterCharacter) return false;
  auto message = std::make_unique<TMessage>(kMessageDefaultAction, "", nullptr);
  FindDefault search;
  ForEachChild(search);
  if (search.GetFound() && search.GetFound()->DoCommand()) return true;
  TWindowManager* manager = PlatformWindowManager();
  TWindow* from = manager && manager->GetFocus() ? manager->GetFocus() : this;
  from->SendMessage(std::move(message));
  return true;
}

void TModalWindow::OnFocus(TWindow* previous) {
  if (!mFocusChild) return;
  if (TWindowManager* manager = PlatformWindowManager()) manager->SetFocus(mFocusChild, previous);
}

// A dialog is not its own focus child: handing the focus on would never end.
void TModalWindow::SetFocusChild(TWindow* child) {
  if (child == this) return;
  mFocusChild = child;
  TWindowManager* manager = PlatformWindowManager();
  if (child && manager && manager->GetFocus() == this) manager->SetFocus(child);
}
