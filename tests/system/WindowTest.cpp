#include "system/window/Window.h"

#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <vector>

#include "system/window/VirtualKeys.h"
#include "tests/support/FakeNativeWindow.h"
#include "tests/support/FakeClock.h"

namespace {

using sys::InputKind;
using sys::Message;
using sys::MessageKind;
using sys::MouseButton;

// A window over a scripted desktop, with a procedure that records what it is
// handed and a way to drain the posted messages.
class WindowTest : public testing::Test {
 protected:
  WindowTest() {
    auto native = std::make_unique<FakeNativeWindow>(&clock);
    desktop = native.get();
    window = std::make_unique<sys::Window>(std::move(native));
    window->SetProcedure([this](const Message& message) {
      delivered.push_back(message);
      return handles;
    });
  }

  std::vector<Message> TakeAll() {
    std::vector<Message> taken;
    Message message;
    while (window->TakeMessage(message)) taken.push_back(message);
    return taken;
  }

  static std::vector<MessageKind> Kinds(const std::vector<Message>& messages) {
    std::vector<MessageKind> kinds;
    for (const Message& message : messages) kinds.push_back(message.kind);
    return kinds;
  }

  std::vector<MessageKind> DeliveredKinds() const { return Kinds(delivered); }

  FakeClock clock;
  FakeNativeWindow* desktop = nullptr;
  std::unique_ptr<sys::Window> window;
  std::vector<Message> delivered;
  bool handles = true;
};

TEST_F(WindowTest, DirectMessagesReachTheProcedureBeforeThePumpSeesPostedOnes) {
  desktop->PressKey('A');
  desktop->Report(InputKind::FocusLost);
  desktop->Report(InputKind::Minimised);
  desktop->Report(InputKind::Restored);
  desktop->Report(InputKind::CloseRequested);
  desktop->Report(InputKind::DisplayChanged);

  Message first;
  ASSERT_TRUE(window->TakeMessage(first));
  EXPECT_EQ(first.kind, MessageKind::KeyDown);
  ASSERT_EQ(delivered.size(), 5u) << "all direct messages were delivered during the take";
  EXPECT_EQ(DeliveredKinds(), (std::vector<MessageKind>{MessageKind::Activation, MessageKind::Size,
                                                        MessageKind::Size, MessageKind::CloseRequest,
                                                        MessageKind::DisplayChange}));
  EXPECT_FALSE(delivered[0].active);
  EXPECT_TRUE(delivered[1].minimised);
  EXPECT_FALSE(delivered[2].minimised);
}

TEST_F(WindowTest, TakingQuitDeliversDirectMessagesAndLeavesPostedOnes) {
  desktop->PressKey('A');
  desktop->Report(InputKind::FocusGained);
  EXPECT_FALSE(window->TakeQuit());
  EXPECT_EQ(DeliveredKinds(), std::vector<MessageKind>{MessageKind::Activation});

  window->PostQuit();
  EXPECT_TRUE(window->TakeQuit());
  EXPECT_FALSE(window->TakeQuit()) << "a quit request is taken once";
  EXPECT_EQ(Kinds(TakeAll()), std::vector<MessageKind>{MessageKind::KeyDown}) << "the key is still waiting";
}

TEST_F(WindowTest, PostedMessagesComeBeforeQuitAndQuitBeforePaint) {
  desktop->Report(InputKind::Exposed);
  desktop->Report(InputKind::Exposed);
  window->Invalidate();
  window->PostQuit();
  window->PostHostMessage(1024, 7, -3);
  std::vector<Message> taken = TakeAll();
  ASSERT_EQ(Kinds(taken), (std::vector<MessageKind>{MessageKind::HostMessage, MessageKind::Quit, MessageKind::Paint}))
      << "one repaint however often the window was invalidated";
  EXPECT_EQ(taken[0].code, 1024u);
  EXPECT_EQ(taken[0].hostFirst, 7u);
  EXPECT_EQ(taken[0].hostSecond, -3);
}

TEST_F(WindowTest, WithoutAProcedureMessagesGetTheDefaultHandling) {
  window->SetProcedure(nullptr);
  window->SetStandardCursorVisible(false);
  desktop->MoveTo(3, 4);
  desktop->Report(InputKind::CloseRequested);
  EXPECT_EQ(Kinds(TakeAll()), std::vector<MessageKind>{MessageKind::MouseMove});
  EXPECT_FALSE(desktop->cursorVisible) << "the standard cursor setting applied";
}

TEST_F(WindowTest, AnUnhandledCursorRequestShowsOrHidesTheStandardCursor) {
  struct Case {
    bool handled;
    bool standardVisible;
    bool cursorAfter;
  } cases[] = {{false, true, true}, {false, false, false}, {true, false, true}};
  for (const Case& c : cases) {
    desktop->cursorVisible = true;
    handles = c.handled;
    window->SetStandardCursorVisible(c.standardVisible);
    desktop->MoveTo(10, 10);
    TakeAll();
    EXPECT_EQ(desktop->cursorVisible, c.cursorAfter) << "handled " << c.handled << ", standard " << c.standardVisible;
  }
}

TEST_F(WindowTest, MousePositionsTravelAsSigned16BitValues) {
  struct Case {
    int32_t x, y, expectedX, expectedY;
  } cases[] = {{5, 7, 5, 7}, {-5, -7, -5, -7}, {70000, -40000, 4464, 25536}, {32768, 65535, -32768, -1}};
  for (const Case& c : cases) {
    desktop->MoveTo(c.x, c.y);
    std::vector<Message> taken = TakeAll();
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0].x, c.expectedX);
    EXPECT_EQ(taken[0].y, c.expectedY);
    int32_t x = 0, y = 0;
    ASSERT_TRUE(window->GetCursorPosition(x, y));
    EXPECT_EQ(x, c.x) << "the cursor position itself is not cut";
  }
}

TEST_F(WindowTest, CursorPositionIsUnknownUntilThePointerIsSeen) {
  int32_t x = -1, y = -1;
  EXPECT_FALSE(window->GetCursorPosition(x, y));
  desktop->Press(MouseButton::Right, 12, 34);
  TakeAll();
  ASSERT_TRUE(window->GetCursorPosition(x, y));
  EXPECT_EQ(x, 12);
  EXPECT_EQ(y, 34);
}

TEST_F(WindowTest, ConsecutiveMovesMergeIntoTheLatest) {
  desktop->MoveTo(1, 1);
  desktop->MoveTo(2, 2);
  desktop->Press(MouseButton::Left, 2, 2);
  desktop->MoveTo(3, 3);
  desktop->MoveTo(4, 4);
  std::vector<Message> taken = TakeAll();
  ASSERT_EQ(Kinds(taken), (std::vector<MessageKind>{MessageKind::MouseMove, MessageKind::ButtonDown, MessageKind::MouseMove}));
  EXPECT_EQ(taken[0].x, 2);
  EXPECT_EQ(taken[2].x, 4);
}

TEST_F(WindowTest, ButtonsKeepTheirIdentityAndPosition) {
  desktop->Report(InputKind::FocusGained);
  clock.Advance(1000);
  MouseButton buttons[] = {MouseButton::Left, MouseButton::Right, MouseButton::Middle, MouseButton::Extra1,
                           MouseButton::Extra2};
  for (MouseButton button : buttons) {
    desktop->Press(button, 20, 30);
    desktop->Release(button, 21, 31);
    std::vector<Message> taken = TakeAll();
    ASSERT_EQ(Kinds(taken), (std::vector<MessageKind>{MessageKind::ButtonDown, MessageKind::ButtonUp}));
    EXPECT_EQ(taken[0].button, button);
    EXPECT_EQ(taken[1].button, button);
    EXPECT_EQ(taken[0].x, 20);
    EXPECT_EQ(taken[1].y, 31);
  }
}

TEST_F(WindowTest, APressThatFocusesTheWindowActivatesItFirst) {
  struct Case {
    const char* name;
    bool focusFirst;
    uint32_t delayAfterFocus;
    bool activates;
  } cases[] = {
      {"press on a window without focus", false, 0, true},
      {"press right after the focus came", true, 0, true},
      {"press just within the focus window", true, sys::Window::kFocusClickWindow - 1, true},
      {"press after the focus settled", true, sys::Window::kFocusClickWindow, false},
  };
  for (const Case& c : cases) {
    auto native = std::make_unique<FakeNativeWindow>(&clock);
    FakeNativeWindow* fresh = native.get();
    sys::Window freshWindow(std::move(native));
    std::vector<MessageKind> kinds;
    freshWindow.SetProcedure([&](const Message& message) {
      kinds.push_back(message.kind);
      return true;
    });
    if (c.focusFirst) {
      fresh->Report(InputKind::FocusGained);
      Message ignored;
      freshWindow.TakeMessage(ignored);
      clock.Advance(c.delayAfterFocus);
      kinds.clear();
    }
    fresh->Press(MouseButton::Left, 1, 1);
    Message message;
    ASSERT_TRUE(freshWindow.TakeMessage(message)) << c.name;
    EXPECT_EQ(message.kind, MessageKind::ButtonDown) << c.name;
    EXPECT_EQ(kinds == std::vector<MessageKind>{MessageKind::MouseActivation}, c.activates) << c.name;
  }
}

TEST_F(WindowTest, OnlyTheFirstPressAfterFocusActivates) {
  desktop->Report(InputKind::FocusGained);
  desktop->Press(MouseButton::Left, 1, 1);
  desktop->Press(MouseButton::Left, 1, 1);
  TakeAll();
  int activations = 0;
  for (const Message& message : delivered) activations += message.kind == MessageKind::MouseActivation;
  EXPECT_EQ(activations, 1);
}

TEST_F(WindowTest, CaptureLostComesOnlyWhenTheCaptureIsTakenFromTheProgram) {
  desktop->Report(InputKind::FocusGained);
  TakeAll();
  window->SetCapture();
  EXPECT_TRUE(desktop->captured);
  window->ReleaseCapture();
  EXPECT_FALSE(desktop->captured);
  EXPECT_TRUE(TakeAll().empty()) << "the program's own release sends nothing";

  window->SetCapture();
  desktop->Report(InputKind::FocusLost);
  EXPECT_EQ(Kinds(TakeAll()), std::vector<MessageKind>{MessageKind::CaptureLost});
  EXPECT_FALSE(window->HasCapture());
  EXPECT_FALSE(desktop->captured);

  desktop->Report(InputKind::FocusGained);
  desktop->Report(InputKind::FocusLost);
  EXPECT_TRUE(TakeAll().empty()) << "losing focus without a capture loses nothing";
}

TEST_F(WindowTest, LeaveTrackingArmsOnceAndFiresOnce) {
  desktop->MoveTo(5, 5);
  TakeAll();
  window->TrackLeave();
  window->TrackLeave();
  EXPECT_TRUE(window->IsTrackingLeave());
  desktop->MoveTo(8, 9);
  desktop->Report(InputKind::PointerLeft);
  std::vector<Message> taken = TakeAll();
  ASSERT_EQ(Kinds(taken), (std::vector<MessageKind>{MessageKind::MouseMove, MessageKind::MouseLeave}));
  EXPECT_EQ(taken[1].x, 8);
  EXPECT_EQ(taken[1].y, 9);
  EXPECT_FALSE(window->IsTrackingLeave());

  desktop->Report(InputKind::PointerEntered);
  desktop->Report(InputKind::PointerLeft);
  EXPECT_TRUE(TakeAll().empty()) << "without arming again no second leave";
}

TEST_F(WindowTest, ArmingLeaveTrackingWhileOutsideReportsTheLeaveAtOnce) {
  window->TrackLeave();
  EXPECT_FALSE(window->IsTrackingLeave());
  EXPECT_EQ(Kinds(TakeAll()), std::vector<MessageKind>{MessageKind::MouseLeave});
}

TEST_F(WindowTest, HoverFiresAfterThePointerRests) {
  struct Step {
    int32_t moveX, moveY;  // -1: no move
    uint32_t wait;
  };
  struct Case {
    const char* name;
    std::vector<Step> steps;
    bool hovers;
  } cases[] = {
      {"rests the whole delay", {{-1, -1, 400}}, true},
      {"one millisecond short", {{-1, -1, 399}}, false},
      {"jitter within the box", {{-1, -1, 200}, {102, 98, 200}}, true},
      {"a move out of the box starts anew", {{-1, -1, 200}, {103, 100, 200}}, false},
      {"then rests long enough", {{-1, -1, 200}, {103, 100, 400}}, true},
  };
  for (const Case& c : cases) {
    desktop->MoveTo(100, 100);
    TakeAll();
    window->TrackHover();
    bool hovered = false;
    for (const Step& step : c.steps) {
      if (step.moveX >= 0) {
        desktop->MoveTo(step.moveX, step.moveY);
        TakeAll();
      }
      clock.Advance(step.wait);
      for (const Message& message : TakeAll()) hovered |= message.kind == MessageKind::MouseHover;
    }
    EXPECT_EQ(hovered, c.hovers) << c.name;
    EXPECT_EQ(window->IsTrackingHover(), !c.hovers) << c.name << ": a hover disarms the tracking";
    desktop->Report(InputKind::PointerLeft);
    desktop->Report(InputKind::PointerEntered);
    TakeAll();
  }
}

TEST_F(WindowTest, LeavingTheWindowCancelsHover) {
  desktop->MoveTo(50, 60);
  TakeAll();
  window->TrackHover();
  desktop->Report(InputKind::PointerLeft);
  clock.Advance(1000);
  EXPECT_TRUE(TakeAll().empty());
  EXPECT_FALSE(window->IsTrackingHover());
}

TEST_F(WindowTest, HoverReportsWhereThePointerRests) {
  desktop->MoveTo(50, 60);
  TakeAll();
  window->TrackHover();
  desktop->MoveTo(51, 61);
  clock.Advance(sys::Window::kHoverDelay);
  std::vector<Message> taken = TakeAll();
  ASSERT_EQ(Kinds(taken), (std::vector<MessageKind>{MessageKind::MouseMove, MessageKind::MouseHover}));
  EXPECT_EQ(taken[1].x, 51);
  EXPECT_EQ(taken[1].y, 61);
}

TEST_F(WindowTest, KeysGiveTheirCodeAndTheEditingCharacters) {
  using sys::kModifierAlt;
  using sys::kModifierControl;
  using sys::kModifierExtended;
  using sys::kModifierShift;
  struct Case {
    uint32_t key;
    uint32_t modifiers;
    int character;  // -1: none
  } cases[] = {
      {sys::vk::kBackspace, 0, 8},
      {sys::vk::kTab, kModifierShift, 9},
      {sys::vk::kReturn, 0, 13},
      {sys::vk::kReturn, kModifierExtended, 13},
      {sys::vk::kEscape, 0, 27},
      {'C', kModifierControl, 3},
      {'A', kModifierControl | kModifierShift, 1},
      {'Z', kModifierControl, 26},
      {'A', 0, -1},
      {sys::vk::kReturn, kModifierAlt, -1},
      {'C', kModifierAlt, -1},
      {sys::vk::kInsert, kModifierShift | kModifierExtended, -1},
      {sys::vk::kF1, 0, -1},
  };
  for (const Case& c : cases) {
    desktop->PressKey(c.key, c.modifiers);
    desktop->ReleaseKey(c.key, c.modifiers);
    std::vector<Message> taken = TakeAll();
    std::vector<MessageKind> expected = {MessageKind::KeyDown, MessageKind::KeyUp};
    if (c.character >= 0) expected.insert(expected.begin() + 1, MessageKind::Character);
    ASSERT_EQ(Kinds(taken), expected) << "key " << c.key;
    EXPECT_EQ(taken[0].code, c.key);
    EXPECT_EQ(taken[0].modifiers, c.modifiers);
    EXPECT_EQ(taken.back().modifiers, c.modifiers);
    if (c.character >= 0) {
      EXPECT_EQ(taken[1].code, static_cast<uint32_t>(c.character)) << "key " << c.key;
    }
  }
}

TEST_F(WindowTest, TypedTextArrivesAsWindows1252Characters) {
  desktop->Type("a\xC3\xA9\xE2\x82\xAC\xE6\x97\xA5 ");  // a, e acute, euro sign, a CJK sign, space
  std::vector<uint32_t> codes;
  for (const Message& message : TakeAll()) {
    EXPECT_EQ(message.kind, MessageKind::Character);
    codes.push_back(message.code);
  }
  EXPECT_EQ(codes, (std::vector<uint32_t>{'a', 0xE9, 0x80, ' '})) << "a character without a code is dropped";
}

TEST_F(WindowTest, CloseSignalsArriveAsCloseRequests) {
  for (int signal : {SIGINT, SIGTERM}) {
    delivered.clear();
    std::raise(signal);
    TakeAll();
    EXPECT_EQ(DeliveredKinds(), std::vector<MessageKind>{MessageKind::CloseRequest}) << "signal " << signal;
  }
}

TEST_F(WindowTest, TheSignalHandlersLeaveWithTheWindow) {
  struct sigaction during {};
  sigaction(SIGINT, nullptr, &during);
  window.reset();
  struct sigaction after {};
  sigaction(SIGINT, nullptr, &after);
  EXPECT_NE(during.sa_handler, after.sa_handler);
  EXPECT_EQ(after.sa_handler, SIG_DFL);
}

TEST_F(WindowTest, TextsCrossToTheDesktopAsUtf8) {
  window->SetTitle("Caf\xE9 \x80");
  EXPECT_EQ(desktop->title, "Caf\xC3\xA9 \xE2\x82\xAC");

  EXPECT_TRUE(window->SetClipboardText("na\xEFve \x93quoted\x94"));
  EXPECT_EQ(desktop->clipboard, "na\xC3\xAFve \xE2\x80\x9Cquoted\xE2\x80\x9D");
  desktop->clipboard = "\xC3\xBC\xE2\x84\xA2 \xE2\x9C\x93";  // u umlaut, trade mark, a check mark
  EXPECT_EQ(window->GetClipboardText(), "\xFC\x99 ?");
}

TEST_F(WindowTest, AClipboardThatFailsGivesFalseAndEmptyText) {
  EXPECT_EQ(window->GetClipboardText(), "") << "nothing copied yet";
  desktop->clipboardWorks = false;
  EXPECT_FALSE(window->SetClipboardText("x"));
  EXPECT_EQ(window->GetClipboardText(), "");
}

}  // namespace
