// Modal windows: closing by name, Enter and the default button, the focus
// child, and the message that announces a dialog's end.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/text/Log.h"
#include "tests/support/TempFolder.h"
#include "tests/support/windows/RecordingWindowScript.h"
#include "tests/windows/core/WindowTree.h"
#include "windows/kinds/TButton.h"
#include "windows/core/TMessage.h"
#include "windows/kinds/TModalWindow.h"

namespace {

using Texts = std::vector<std::string>;
constexpr uint8_t kEnter = 13;

// A click on the button pushes another dialog, as a Lua action that leads
// on to the next screen does.
class PushesDialog : public TButton::Action {
 public:
  explicit PushesDialog(TWindowManager& manager) : mManager(manager) {}
  bool Execute(TButton&) override {
    mManager.PushModal(std::make_unique<TModalWindow>());
    return true;
  }

 private:
  TWindowManager& mManager;
};

// The tree with a recording script and a dialog pushed over the root, which
// holds a recording window "field" that has the focus.
struct ModalDialogTree : WindowTree {
  ModalDialogTree() {
    auto recording = std::make_unique<RecordingWindowScript>();
    script = recording.get();
    manager.SetScript(std::move(recording));
    dialog = Push();
    field = AddRecordingChild(*dialog, "field", TRect(0, 0, 10, 10), &platform.journal);
    manager.SetFocus(field);
    SetLogFolder(logs.Path().c_str());
    platform.journal.Clear();
  }

  TModalWindow* Push() {
    auto owned = std::make_unique<TModalWindow>();
    TModalWindow* pushed = owned.get();
    pushed->SetSize(300, 200);
    manager.PushModal(std::move(owned));
    return pushed;
  }

  TButton* AddButton(TWindow& parent, const char* name, bool isDefault) {
    auto owned = std::make_unique<TButton>(TButton::kPush);
    TButton* button = owned.get();
    button->SetName(name);
    button->SetSize(40, 20);
    if (isDefault) button->SetFlags(TButton::kSetDefault);
    std::unique_ptr<TWindow> child = std::move(owned);
    parent.AddChild(child, true);
    return button;
  }

  void PostClose(const TString& name, TWindow* target = nullptr) {
    manager.PostMessage(std::make_unique<TMessage>(kMessageClose, name, target));
    manager.DispatchMessages();
  }

  void Type(uint8_t character) {
    manager.HandleEvent(TEvent{.type = kEventCharacter, .value = character});
  }

  std::string Log() const { return ReadWholeFile(GetLogPath().CStr()); }

  TempFolder logs;
  RecordingWindowScript* script = nullptr;
  TModalWindow* dialog = nullptr;
  RecordingWindow* field = nullptr;
};

TEST(ModalWindow, ItsOwnCloseNamePopsIt) {
  ModalDialogTree tree;
  tree.PostClose(tree.dialog->GetCloseMessageName());
  EXPECT_EQ(tree.manager.GetTopModal(), tree.root);
  EXPECT_EQ(tree.Calls(), Texts{"HandleMessage field 1 " + std::string(tree.dialog->GetCloseMessageName().CStr())})
      << "it climbed from the focus window";
  EXPECT_TRUE(tree.script->received.empty());
}

TEST(ModalWindow, AForeignCloseNameIsSwallowedAndClosesNothing) {
  ModalDialogTree tree;
  tree.PostClose(tree.root->GetCloseMessageName());
  tree.PostClose("  nobody");
  EXPECT_EQ(tree.manager.GetTopModal(), tree.dialog);
  EXPECT_TRUE(tree.script->received.empty()) << "the first dialog on the way takes it";
}

// Close messages reach a lower dialog from a focus window set inside it, or
// posted to a window in it: the top dialog, another one, stays.
TEST(ModalWindow, ACloseMessageForALowerDialogPopsNothing) {
  ModalDialogTree tree;
  TModalWindow* top = tree.Push();
  tree.manager.SetFocus(tree.field);
  tree.PostClose(tree.dialog->GetCloseMessageName());
  tree.PostClose(tree.dialog->GetCloseMessageName(), tree.field);
  EXPECT_EQ(tree.manager.GetTopModal(), top);
  EXPECT_EQ(top->GetParent(), tree.dialog);
  EXPECT_TRUE(tree.script->received.empty());
  EXPECT_NE(tree.Log().find("reached a dialog below the top one"), std::string::npos) << tree.Log();
}

TEST(ModalWindow, ItsEndIsAnnouncedToTheScriptWithItsCloseName) {
  ModalDialogTree tree;
  const std::string closeName = tree.dialog->GetCloseMessageName().CStr();
  tree.manager.PopModal();
  tree.manager.DispatchMessages();
  EXPECT_TRUE(tree.script->received.empty()) << "not before it is deleted";
  tree.manager.DeletePending();
  tree.manager.DispatchMessages();
  EXPECT_EQ(tree.script->received, Texts{"6 " + closeName});
}

// Enter in a dialog whose field has the focus. The field sees the type-2
// message when it is sent from there; the script sees it after it climbed to
// the dialog, and then the command of the button pressed.
TEST(ModalWindow, EnterPressesTheDefaultButtonOrSendsTheDefaultAction) {
  struct Case {
    const char* what;
    std::function<void(ModalDialogTree&)> build;
    Texts fieldSaw;
    Texts scriptGot;
  };
  const Texts fromField = {"OnChar field 13", "HandleMessage field 2 "};
  const Case cases[] = {
      {"no default button", [](ModalDialogTree& t) { t.AddButton(*t.dialog, "plain", false); }, fromField, {"2 "}},
      {"a hidden default button",
       [](ModalDialogTree& t) { t.AddButton(*t.dialog, "hidden", true)->ClearFlags(kWindowVisible); }, fromField, {"2 "}},
      {"one default button, whose command leaves the dialog in place",
       [](ModalDialogTree& t) { t.AddButton(*t.dialog, "ok", true); }, fromField, {"2 ", "3 ok"}},
      {"a deep one in front of a shallow one: the last found wins",
       [](ModalDialogTree& t) {
         t.AddButton(*t.dialog, "shallow", true);
         RecordingWindow* panel = AddRecordingChild(*t.dialog, "panel", TRect(0, 0, 100, 100));
         t.AddButton(*panel, "deep", true);
       },
       fromField, {"2 ", "3 shallow"}},
      {"one in each of two panels: the one further back wins",
       [](ModalDialogTree& t) {
         RecordingWindow* back = AddRecordingChild(*t.dialog, "back", TRect(0, 0, 100, 100));
         t.AddButton(*back, "second", true);
         RecordingWindow* front = AddRecordingChild(*t.dialog, "front", TRect(0, 0, 100, 100));
         t.AddButton(*front, "first", true);
       },
       fromField, {"2 ", "3 second"}},
      {"a default button in front of another at the same level ends the search there",
       [](ModalDialogTree& t) {
         t.AddButton(*t.dialog, "behind", true);
         t.AddButton(*t.dialog, "front", true);
       },
       fromField, {"2 ", "3 front"}},
      {"a command whose action replaced the dialog",
       [](ModalDialogTree& t) { t.AddButton(*t.dialog, "next", true)->SetAction(std::make_unique<PushesDialog>(t.manager)); },
       {"OnChar field 13"}, {}},
      {"no focus window: sent from the dialog",
       [](ModalDialogTree& t) {
         t.AddButton(*t.dialog, "plain", false);
         t.manager.SetFocus(nullptr);
       },
       {}, {"2 "}},
  };
  for (const Case& c : cases) {
    ModalDialogTree tree;
    c.build(tree);
    tree.platform.journal.Clear();
    if (tree.manager.GetFocus()) {
      tree.Type(kEnter);
    } else {
      EXPECT_TRUE(tree.dialog->OnChar(kEnter)) << c.what;
      tree.manager.DispatchMessages();
    }
    EXPECT_EQ(tree.Calls(), c.fieldSaw) << c.what;
    EXPECT_EQ(tree.script->received, c.scriptGot) << c.what;
  }
}

TEST(ModalWindow, CharactersOtherThanEnterAreDeclined) {
  ModalDialogTree tree;
  tree.AddButton(*tree.dialog, "ok", true);
  EXPECT_FALSE(tree.dialog->OnChar('a'));
  EXPECT_FALSE(tree.dialog->OnChar(10));
  tree.manager.DispatchMessages();
  EXPECT_TRUE(tree.script->received.empty());
}

TEST(ModalWindow, AFocusChildSetWhileTheDialogHasTheFocusTakesItAtOnce) {
  ModalDialogTree tree;
  RecordingWindow* other = AddRecordingChild(*tree.dialog, "other", TRect(0, 0, 10, 10), &tree.platform.journal);
  tree.manager.SetFocus(tree.dialog);
  tree.platform.journal.Clear();
  tree.dialog->SetFocusChild(other);
  EXPECT_EQ(tree.manager.GetFocus(), other);
  EXPECT_EQ(tree.Calls(), Texts{"OnFocus other"});
}

TEST(ModalWindow, AFocusChildSetWhileAnotherWindowHasTheFocusWaitsForTheDialogToGetIt) {
  ModalDialogTree tree;
  RecordingWindow* other = AddRecordingChild(*tree.dialog, "other", TRect(0, 0, 10, 10), &tree.platform.journal);
  tree.dialog->SetFocusChild(other);
  EXPECT_EQ(tree.manager.GetFocus(), tree.field);
  EXPECT_TRUE(tree.Calls().empty());

  tree.manager.SetFocus(tree.dialog);
  EXPECT_EQ(tree.manager.GetFocus(), other) << "the dialog passes the focus on";
  EXPECT_EQ(tree.Calls(), Texts{"OnFocus other"});
}

TEST(ModalWindow, TheDialogBelowPassesTheFocusOnWhenTheTopOneIsPopped) {
  ModalDialogTree tree;
  tree.dialog->SetFocusChild(tree.field);
  tree.Push();
  tree.platform.journal.Clear();
  tree.manager.PopModal();
  EXPECT_EQ(tree.manager.GetFocus(), tree.field);
  EXPECT_EQ(tree.Calls(), Texts{"OnFocus field"});
}

TEST(ModalWindow, ADeletedFocusChildIsForgottenAndTheDialogKeepsTheFocus) {
  ModalDialogTree tree;
  tree.dialog->SetFocusChild(tree.field);
  tree.dialog->RemoveChild(tree.field).reset();
  EXPECT_EQ(tree.dialog->GetFocusChild(), nullptr);
  tree.manager.SetFocus(tree.dialog);
  EXPECT_EQ(tree.manager.GetFocus(), tree.dialog);
}

TEST(ModalWindow, IsNeverItsOwnFocusChild) {
  ModalDialogTree tree;
  tree.manager.SetFocus(tree.dialog);
  tree.dialog->SetFocusChild(tree.dialog);
  EXPECT_EQ(tree.dialog->GetFocusChild(), nullptr);
  tree.manager.SetFocus(tree.dialog);
  EXPECT_EQ(tree.manager.GetFocus(), tree.dialog);
}

}  // namespace
