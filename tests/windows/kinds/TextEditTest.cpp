// Text edits: typing, the arrows, paste, Tab order, the blink, and text that
// looks like mark-up. Keys are Windows virtual-key codes, characters
// Windows-1252 codes.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "media/text/TTextLayout.h"
#include "tests/support/FakeClock.h"
#include "tests/windows/kinds/TextDialogTree.h"
#include "windows/kinds/TButton.h"
#include "windows/core/TMessage.h"
#include "windows/kinds/TModalWindow.h"
#include "windows/kinds/TTextEdit.h"

namespace {

using Texts = std::vector<std::string>;
const TColor kWhite(1.0f, 1.0f, 1.0f, 1.0f);
constexpr uint8_t kBackspace = 8;
constexpr uint8_t kTab = 9;
constexpr uint8_t kEnterCharacter = 13;
constexpr uint8_t kLeft = 37;
constexpr uint8_t kRight = 39;
constexpr uint8_t kInsert = 45;
constexpr uint8_t kV = 86;
constexpr uint32_t kControl = 2;

// Notes what it is asked, and takes Enter when told.
class NotingEdit : public TTextEdit {
 public:
  bool AcceptChar(int32_t kind, uint8_t code) override {
    asked.push_back(kind);
    if (kind == kAcceptEnter && takesEnter) return true;
    return TTextEdit::AcceptChar(kind, code);
  }

  std::vector<int32_t> asked;
  bool takesEnter = false;
};

// The dialog, on a clock that moves by hand.
struct EditTree : TextDialogTree {
  template <class Edit = TTextEdit>
  Edit* AddEdit(TWindow& parent, const char* name, int32_t y = 0) {
    auto owned = std::make_unique<Edit>();
    owned->SetName(name);
    owned->SetPosition(0, y);
    owned->Setup("", 100, 10, 0, SyntheticFonts::kName, 5, kWhite);
    return Add(parent, std::move(owned));
  }

  void Type(uint8_t character) { manager.HandleEvent(TEvent{.type = kEventCharacter, .value = character}); }
  void Press(uint8_t key, uint32_t modifiers = 0) {
    manager.HandleEvent(TEvent{.type = kEventKeyDown, .value = key, .modifiers = modifiers});
  }

  Texts Received() {
    manager.DispatchMessages();
    Texts received = script->received;
    script->received.clear();
    return received;
  }

  FakeClock clock;
};

// The edit holds `text` with its cursor `cursor` characters in.
void Prepare(TTextEdit& edit, const char* text, int32_t cursor) {
  edit.SetLabel(text);
  for (int32_t moves = static_cast<int32_t>(std::string(text).size()) - cursor; moves > 0; --moves) {
    edit.OnKeyDown(kLeft, 0);
  }
}

TEST(TextEdit, TakesPrintableCharactersUpToItsMaximum) {
  struct Case {
    const char* what;
    const char* text;
    int32_t cursor;
    int32_t maximum;
    const char* ignore;
    bool editable;
    uint8_t character;
    const char* after;
    int32_t cursorAfter;
    bool taken;
  };
  const Case cases[] = {
      {"typed at the end", "abc", 3, 10, "", true, 'd', "abcd", 4, true},
      {"typed at the cursor", "abc", 1, 10, "", true, 'x', "axbc", 2, true},
      {"the eleventh at maximum 10", "0123456789", 10, 10, "", true, 'x', "0123456789", 10, false},
      {"an ignored character", "ab", 1, 10, " -", true, '-', "ab", 1, true},
      {"an ignored character at the maximum", "0123456789", 3, 10, "-", true, '-', "0123456789", 3, true},
      {"Backspace at 0", "ab", 0, 10, "", true, kBackspace, "ab", 0, false},
      {"Backspace", "abc", 2, 10, "", true, kBackspace, "ac", 1, true},
      {"Enter", "ab", 2, 10, "", true, kEnterCharacter, "ab", 2, false},
      {"Tab", "ab", 2, 10, "", true, kTab, "ab", 2, false},
      {"a control character", "ab", 2, 10, "", true, 1, "ab", 2, false},
      {"DEL", "ab", 2, 10, "", true, 127, "ab", 2, false},
      {"code 128", "ab", 2, 10, "", true, 128, "ab", 2, false},
      {"code 233 (e acute)", "ab", 2, 10, "", true, 233, "ab", 2, false},
      {"code 255", "ab", 2, 10, "", true, 255, "ab", 2, false},
      {"not editable", "ab", 2, 10, "", false, 'c', "ab", 2, false},
      {"a blank", "ab", 2, 10, "", true, ' ', "ab ", 3, true},
  };
  for (const Case& c : cases) {
    EditTree tree;
    TTextEdit* edit = tree.AddEdit(*tree.dialog, "name");
    tree.manager.SetFocus(edit);
    edit->SetMaxLength(c.maximum);
    edit->SetIgnore(c.ignore);
    edit->SetEditable(c.editable);
    Prepare(*edit, c.text, c.cursor);
    EXPECT_EQ(edit->OnChar(c.character), c.taken) << c.what;
    EXPECT_STREQ(edit->GetLabel().CStr(), c.after) << c.what;
    EXPECT_EQ(edit->GetCursor(), c.cursorAfter) << c.what;
    EXPECT_EQ(tree.Received(), c.taken ? Texts{"7 name"} : Texts{}) << c.what;
  }
}

TEST(TextEdit, AsksItsAcceptanceOperationOfEachKindOfKeystroke) {
  EditTree tree;
  auto* edit = tree.AddEdit<NotingEdit>(*tree.dialog, "name");
  edit->SetMaxLength(1);
  struct Step {
    std::function<void()> act;
    std::vector<int32_t> asked;
  };
  const Step steps[] = {
      {[&] { edit->OnChar('a'); }, {TTextEdit::kAcceptInsert}},
      {[&] { edit->OnChar('b'); }, {TTextEdit::kAcceptInsert, TTextEdit::kAcceptRefusal}},
      {[&] { edit->OnKeyDown(kRight, 0); }, {TTextEdit::kAcceptRefusal}},
      {[&] { edit->OnKeyDown(kLeft, 0); }, {TTextEdit::kAcceptMove}},
      {[&] { edit->OnKeyDown(kLeft, 0); }, {TTextEdit::kAcceptRefusal}},
      {[&] { edit->OnChar(kBackspace); }, {TTextEdit::kAcceptRefusal}},
      {[&] { edit->OnChar(kTab); }, {TTextEdit::kAcceptTab}},
      {[&] { edit->OnKeyDown(kInsert, 0); }, {TTextEdit::kAcceptPaste}},
  };
  for (const Step& step : steps) {
    edit->asked.clear();
    step.act();
    EXPECT_EQ(edit->asked, step.asked);
  }
  edit->takesEnter = true;
  EXPECT_TRUE(edit->OnChar(kEnterCharacter)) << "a subclass may take Enter";
  EXPECT_EQ(tree.Received(), (Texts{"7 name", "7 name"})) << "'a', then Enter";
}

TEST(TextEdit, ArrowsMoveTheCursorWithinTheTextAndPostNothing) {
  EditTree tree;
  TTextEdit* edit = tree.AddEdit(*tree.dialog, "name");
  edit->SetLabel("ab");
  EXPECT_TRUE(edit->OnKeyDown(kRight, 0)) << "at the end";
  EXPECT_EQ(edit->GetCursor(), 2);
  EXPECT_TRUE(edit->OnKeyDown(kLeft, 0));
  EXPECT_TRUE(edit->OnKeyDown(kLeft, 0));
  EXPECT_EQ(edit->GetCursor(), 0);
  EXPECT_TRUE(edit->OnKeyDown(kLeft, 0)) << "at the start";
  EXPECT_EQ(edit->GetCursor(), 0);
  EXPECT_TRUE(edit->OnKeyDown(kRight, 0));
  EXPECT_EQ(edit->GetCursor(), 1);
  EXPECT_FALSE(edit->OnKeyDown(38, 0)) << "up";
  EXPECT_FALSE(edit->OnKeyDown(91, 0));
  EXPECT_TRUE(tree.Received().empty());
}

TEST(TextEdit, PasteReplacesTheTextWithWhatOfTheClipboardCanBeTyped) {
  struct Case {
    const char* what;
    const char* clipboard;
    const char* before;
    const char* ignore;
    const char* after;
    bool taken;
  };
  const Case cases[] = {
      {"a tab character", "ab\tc", "", "", "abc", true},
      {"longer than the maximum: cut first", "abcdefghijkl", "", "", "abcdefghij", true},
      {"cut, then cleared", "a\tbcdefghijk", "", "", "abcdefghi", true},
      {"ignored characters", "a-b c", "", "- ", "abc", true},
      {"an empty clipboard", "", "old", "", "old", false},
      {"an existing text replaced", "new", "old", "", "new", true},
      {"codes above 127", "caf\xE9\x80", "", "", "caf", true},
  };
  for (const Case& c : cases) {
    for (const bool byInsert : {false, true}) {
      EditTree tree;
      TTextEdit* edit = tree.AddEdit(*tree.dialog, "name");
      tree.manager.SetFocus(edit);
      edit->SetIgnore(c.ignore);
      edit->SetLabel(c.before);
      tree.platform.clipboard = c.clipboard;
      EXPECT_EQ(byInsert ? edit->OnKeyDown(kInsert, 0) : edit->OnKeyDown(kV, kControl), c.taken) << c.what;
      EXPECT_STREQ(edit->GetLabel().CStr(), c.after) << c.what;
      EXPECT_EQ(edit->GetCursor(), static_cast<int32_t>(std::string(c.after).size())) << c.what;
      EXPECT_TRUE(tree.Received().empty()) << c.what;
    }
  }
}

TEST(TextEdit, PasteNeedsControlWithVAndAnEditableEdit) {
  EditTree tree;
  TTextEdit* edit = tree.AddEdit(*tree.dialog, "name");
  tree.platform.clipboard = "pasted";
  EXPECT_FALSE(edit->OnKeyDown(kV, 0));
  EXPECT_FALSE(edit->OnKeyDown(kV, 1)) << "shift";
  edit->SetEditable(false);
  EXPECT_FALSE(edit->OnKeyDown(kInsert, 0));
  EXPECT_STREQ(edit->GetLabel().CStr(), "");
}

// The dialog holds two panels: the first with "one" and "two", the second,
// in front, with "three"; Tab goes through them in the order they were made.
struct TabTree : EditTree {
  TabTree() {
    panel1 = AddRecordingChild(*dialog, "panel1", TRect(0, 0, 200, 100), &platform.journal);
    panel2 = AddRecordingChild(*dialog, "panel2", TRect(0, 100, 200, 200), &platform.journal);
    one = AddEdit(*panel1, "one");
    two = AddEdit(*panel1, "two", 20);
    three = AddEdit(*panel2, "three");
    manager.SetFocus(one);
    platform.journal.Clear();
  }

  std::string FocusName() const { return manager.GetFocus() ? manager.GetFocus()->GetName().CStr() : "none"; }

  RecordingWindow* panel1 = nullptr;
  RecordingWindow* panel2 = nullptr;
  TTextEdit* one = nullptr;
  TTextEdit* two = nullptr;
  TTextEdit* three = nullptr;
};

TEST(TextEdit, TabVisitsEachEditOfTheDialogOnceAndTheLastLeadsToTheFirst) {
  TabTree tree;
  Texts visited;
  for (int tabs = 0; tabs < 4; ++tabs) {
    tree.Type(kTab);
    visited.push_back(tree.FocusName());
  }
  EXPECT_EQ(visited, (Texts{"two", "three", "one", "two"}));
  EXPECT_EQ(tree.Calls(), (Texts{"OnChar panel1 9", "OnChar panel1 9", "OnChar panel2 9", "OnChar panel1 9"}))
      << "the Tab goes on as unhandled";
  EXPECT_TRUE(tree.Received().empty());
}

TEST(TextEdit, TabSkipsAnEditThatWasDestroyed) {
  TabTree tree;
  tree.panel1->RemoveChild(tree.two).reset();
  tree.Type(kTab);
  EXPECT_EQ(tree.FocusName(), "three");
  tree.Type(kTab);
  EXPECT_EQ(tree.FocusName(), "one");
}

// An edit made in a panel in front of an edit of the dialog meets the
// panel's edit and then the dialog's: it joins their order once.
TEST(TextEdit, IsInATabOrderOnceWhereverItMeetsTheOtherEdits) {
  EditTree tree;
  TTextEdit* outer = tree.AddEdit(*tree.dialog, "outer");
  RecordingWindow* panel = AddRecordingChild(*tree.dialog, "panel", TRect(0, 20, 200, 100));
  TTextEdit* inner = tree.AddEdit(*panel, "inner");
  TTextEdit* last = tree.AddEdit(*panel, "last", 20);
  EXPECT_EQ(last->GetTabOrder(), (std::vector<TTextEdit*>{outer, inner, last}));
  EXPECT_EQ(&outer->GetTabOrder(), &last->GetTabOrder());
  panel->RemoveChild(last).reset();
  EXPECT_EQ(outer->GetTabOrder(), (std::vector<TTextEdit*>{outer, inner}));
  tree.manager.SetFocus(inner);
  tree.Type(kTab);
  EXPECT_EQ(tree.manager.GetFocus(), outer);
}

TEST(TextEdit, AnEditMovedToAnotherDialogLeavesItsOldTabOrder) {
  EditTree tree;
  TTextEdit* first = tree.AddEdit(*tree.dialog, "first");
  TTextEdit* moved = tree.AddEdit(*tree.dialog, "moved", 20);
  auto owned = std::make_unique<TModalWindow>();
  TModalWindow* other = owned.get();
  tree.manager.PushModal(std::move(owned));
  TTextEdit* there = tree.AddEdit(*other, "there");
  std::unique_ptr<TWindow> taken = tree.dialog->RemoveChild(moved);
  other->AddChild(taken, true);
  EXPECT_EQ(first->GetTabOrder(), std::vector<TTextEdit*>{first});
  EXPECT_EQ(there->GetTabOrder(), (std::vector<TTextEdit*>{there, moved}));
}

// The blink runs on game time: the animation task refreshes the edit every
// 200 ms, and a frame draws it only when what it shows changed.
TEST(TextEdit, TheCursorBlinksWhileTheEditHasTheFocus) {
  struct Case {
    bool focused;
    bool password;
    Texts shown;
    std::vector<int> draws;
  };
  const Case cases[] = {
      {true, false, {"ab", "ab", "a<cursor>b", "ab"}, {0, 0, 1, 1}},
      {false, false, {"ab", "ab", "ab", "ab"}, {0, 0, 0, 0}},
      {true, true, {"**", "**", "*<cursor>*", "**"}, {0, 0, 1, 1}},
  };
  for (const Case& c : cases) {
    EditTree tree;
    TTextEdit* edit = tree.AddEdit(*tree.dialog, "name");
    edit->SetPassword(c.password);
    edit->SetLabel("ab");
    edit->OnKeyDown(kLeft, 0);
    if (c.focused) tree.manager.SetFocus(edit);
    tree.Settle();
    Texts shown;
    std::vector<int> draws;
    for (int step = 0; step < 4; ++step) {
      tree.clock.Advance(200);
      tree.manager.HandleEvent(TEvent{.type = kEventIdle});
      shown.push_back(edit->GetLayout()->GetText().CStr());
      draws.push_back(tree.platform.journal.Count("Begin2d"));
      tree.platform.journal.Clear();
    }
    EXPECT_EQ(shown, c.shown) << c.focused << c.password;
    EXPECT_EQ(draws, c.draws) << c.focused << c.password;
  }
}

// Each run's first byte in the laid-out text, and whether it is bold or the
// cursor: "<b>" typed must not turn bold, a trailing '\' must not eat the
// cursor tag.
TEST(TextEdit, TypedAndPastedMarkUpShowsAsItself) {
  const std::string typed = "<b>\\";
  for (const bool pasted : {false, true}) {
    EditTree tree;
    TTextEdit* edit = tree.AddEdit(*tree.dialog, "name");
    if (pasted) {
      tree.platform.clipboard = typed;
      edit->OnKeyDown(kInsert, 0);
    } else {
      for (char c : typed) edit->OnChar(static_cast<uint8_t>(c));
    }
    EXPECT_STREQ(edit->GetLabel().CStr(), typed.c_str());
    EXPECT_EQ(edit->GetCursor(), 4);
    EXPECT_STREQ(edit->GetLayout()->GetText().CStr(), "\\<b>\\\\");
    const auto plain = TTextLayout::Create("abcd", 100, 10, 0, SyntheticFonts::kName, 5, kWhite);
    const TTextLine& line = *edit->GetLayout()->GetLines().at(0);
    EXPECT_EQ(line.runs.back().endX, plain->GetLines().at(0)->runs.back().endX) << "four characters wide";
    EXPECT_TRUE(std::none_of(line.runs.begin(), line.runs.end(), [](const TGlyphRun& run) { return run.bold; }));

    tree.manager.SetFocus(edit);
    tree.clock.Advance(600);
    edit->Refresh();
    EXPECT_STREQ(edit->GetLayout()->GetText().CStr(), "\\<b>\\\\<cursor>");
    const TTextLine& withCursor = *edit->GetLayout()->GetLines().at(0);
    EXPECT_TRUE(
        std::any_of(withCursor.runs.begin(), withCursor.runs.end(), [](const TGlyphRun& run) { return run.cursor; }));
  }
}

TEST(TextEdit, EnterPressesTheDefaultButtonOfItsDialog) {
  EditTree tree;
  TTextEdit* edit = tree.AddEdit(*tree.dialog, "name");
  TButton* button = tree.Add(*tree.dialog, std::make_unique<TButton>(TButton::kPush));
  button->SetName("ok");
  button->SetFlags(TButton::kSetDefault);
  tree.manager.SetFocus(edit);
  tree.Type('x');
  tree.Type(kEnterCharacter);
  EXPECT_EQ(tree.script->received, (Texts{"7 name", "2 ", "3 ok"}))
      << "Enter's message goes out at once, the button's command after it";
  EXPECT_STREQ(edit->GetLabel().CStr(), "x");
}

}  // namespace
