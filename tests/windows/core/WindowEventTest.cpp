// Events from the platform to the windows: mouse routing with and without
// captures, keys to the focus window, falling through and bubbling, focus on
// a left press, raw input of a dialog, and windows that go from their own
// handlers.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/windows/RecordingWindowScript.h"
#include "tests/windows/core/WindowTree.h"
#include "windows/core/TMessage.h"
#include "windows/kinds/TModalWindow.h"

namespace {

using Journal = std::vector<std::string>;

TEvent Event(int32_t type, int32_t x = 0, int32_t y = 0, int32_t value = 0) {
  return TEvent{.type = type, .value = value, .x = x, .y = y};
}

// The tree with distinct names, a recording script, and windows that take
// every event, so that nothing bubbles.
struct EventTree : WindowTree {
  EventTree() {
    auto recording = std::make_unique<RecordingWindowScript>();
    script = recording.get();
    manager.SetScript(std::move(recording));
    for (RecordingWindow* window : {a, a1, a2, b, b1}) {
      window->takes = {kEventLeftDown, kEventOtherButton, kEventLeftUp, kEventMouseMove,
                       kEventHover,    kEventKeyDown,     kEventKeyUp,  kEventCharacter};
    }
  }

  // The calls the windows recorded for the event.
  Journal Route(const TEvent& event) {
    platform.journal.Clear();
    manager.HandleEvent(event);
    return Journal(platform.journal.Entries());
  }

  RecordingWindowScript* script = nullptr;
};

RecordingWindow* Named(EventTree& tree, const std::string& name) {
  for (RecordingWindow* window : {tree.a, tree.a1, tree.a2, tree.b, tree.b1}) {
    if (name == window->GetName().CStr()) return window;
  }
  return nullptr;
}

TEST(WindowEvents, ReachTheWindowTheirKindAndStateChoose) {
  struct Case {
    const char* what;
    TEvent event;
    const char* capture;
    const char* focus;
    int32_t mouseMode;
    Journal calls;
  };
  const Case cases[] = {
      {"a press to the deepest window", Event(kEventLeftDown, 115, 115), "", "", 0, {"OnMouseDown a1 5 5"}},
      {"another button", Event(kEventOtherButton, 350, 250, kButtonRightDown), "", "", 0,
       {"OnMouseButton b1 1 50 50"}},
      {"a release", Event(kEventLeftUp, 590, 490), "", "", 0, {"OnMouseUp b 290 290"}},
      {"a move", Event(kEventMouseMove, 110, 110), "", "", 0, {"OnMouseMove a1 0 0"}},
      {"a move in relative mouse mode", Event(kEventMouseMove, 3, -2), "", "", 1, {}},
      {"hover", Event(kEventHover, 175, 175), "", "", 0, {"OnMouseLeave a2 5 5"}},
      {"a press outside the capture window", Event(kEventLeftDown, 350, 250), "a1", "", 0,
       {"OnCaptureLost a1", "OnMouseDown a1 240 140"}},
      {"a press inside the capture window", Event(kEventLeftDown, 115, 115), "a1", "", 0, {"OnMouseDown a1 5 5"}},
      {"a relative move keeps its offsets", Event(kEventMouseMove, 3, -2), "a1", "", 1, {"OnMouseMove a1 3 -2"}},
      {"a relative press is converted", Event(kEventLeftDown, 115, 115), "a1", "", 1, {"OnMouseDown a1 5 5"}},
      {"the capture is lost", Event(kEventMouseLost), "a1", "", 0, {"OnCaptureLost a1"}},
      {"a key to the focus window", Event(kEventKeyDown, 0, 0, 65), "", "b1", 0, {"OnKeyDown b1 65 0"}},
      {"a key to the focus window during a capture", Event(kEventKeyUp, 0, 0, 65), "a1", "b1", 0,
       {"OnKeyUp b1 65"}},
      {"a character", Event(kEventCharacter, 0, 0, 0xE9), "", "a2", 0, {"OnChar a2 233"}},
      {"an activation change goes nowhere", Event(kEventActivation, 0, 0, 1), "", "a1", 0, {}},
  };
  for (const Case& c : cases) {
    EventTree tree;
    if (*c.capture) tree.manager.SetCapture(Named(tree, c.capture));
    if (*c.focus) tree.manager.SetFocus(Named(tree, c.focus));
    tree.platform.mouseMode = c.mouseMode;
    EXPECT_EQ(tree.Route(c.event), c.calls) << c.what;
  }
}

TEST(WindowEvents, AClickThatAWindowDeclinesFallsThroughToTheWindowBehindBeforeItsParent) {
  EventTree tree;
  tree.b->takes.clear();
  tree.b1->takes.clear();
  EXPECT_EQ(tree.Route(Event(kEventLeftDown, 350, 250)),
            (Journal{"OnMouseDown b1 50 50", "OnMouseDown b 50 50", "OnMouseDown a 250 150"}));
  tree.a->takes.clear();
  EXPECT_EQ(tree.Route(Event(kEventLeftDown, 350, 250)),
            (Journal{"OnMouseDown b1 50 50", "OnMouseDown b 50 50", "OnMouseDown a 250 150"}))
      << "then the root, which records nothing";
}

TEST(WindowEvents, AKeyThatAWindowDeclinesBubblesToItsParentOnly) {
  EventTree tree;
  tree.manager.SetFocus(tree.a1);
  tree.a1->takes.clear();
  EXPECT_EQ(tree.Route(Event(kEventKeyDown, 0, 0, 65)), (Journal{"OnKeyDown a1 65 0", "OnKeyDown a 65 0"}));
}

TEST(WindowEvents, ALeftPressGivesTheFocusToTheNearestFocusableWindowHandledOrNot) {
  EventTree tree;
  tree.a->AddFlags(kWindowFocusable);
  EXPECT_EQ(tree.Route(Event(kEventLeftDown, 115, 115)), (Journal{"OnMouseDown a1 5 5", "OnFocus a"}));
  EXPECT_EQ(tree.manager.GetFocus(), tree.a);
  tree.manager.SetFocus(nullptr);
  tree.a1->takes.clear();
  EXPECT_EQ(tree.Route(Event(kEventLeftDown, 115, 115)),
            (Journal{"OnMouseDown a1 5 5", "OnFocus a", "OnMouseDown a 15 15"}))
      << "the focus moves once, before the press bubbles";
  EXPECT_EQ(tree.manager.GetFocus(), tree.a);
}

TEST(WindowEvents, ADialogReportsUnhandledReleasesAndKeyPressesAsRawInput) {
  EventTree tree;
  tree.Route(Event(kEventKeyDown, 0, 0, 'A'));
  tree.Route(Event(kEventKeyUp, 0, 0, 'A'));
  tree.Route(Event(kEventLeftUp, 50, 50));
  tree.Route(Event(kEventLeftDown, 50, 50));
  EXPECT_EQ(tree.script->received, (std::vector<std::string>{"4 raw:A", "4 mouse:up"}))
      << "no message for a key release or a press";
  tree.a1->takes.clear();
  tree.a->takes.clear();
  tree.Route(Event(kEventLeftUp, 115, 115));
  EXPECT_EQ(tree.script->received.back(), "4 mouse:up") << "a release that climbed to the dialog";
}

TEST(WindowEvents, OtherEventsGoToTheTopLayerAfterTheQueuedMessages) {
  EventTree tree;
  tree.manager.PostMessage(std::make_unique<TMessage>(kMessageNamed, "before", nullptr));
  tree.manager.HandleEvent(Event(kEventClose));
  EXPECT_EQ(tree.script->received, std::vector<std::string>{"0 before"});
}

// Runs an action when pressed.
class ActionWindow : public RecordingWindow {
 public:
  using RecordingWindow::RecordingWindow;
  bool OnMouseDown(int32_t x, int32_t y) override {
    RecordingWindow::OnMouseDown(x, y);
    if (action) action();
    Record("still here");
    return true;
  }
  std::function<void()> action;
};

ActionWindow* AddActionChild(TWindow& parent, const std::string& name, const TRect& rect, CallJournal* journal) {
  std::unique_ptr<TWindow> child = std::make_unique<ActionWindow>(name, rect, journal);
  auto* added = static_cast<ActionWindow*>(child.get());
  parent.AddChild(child, false);
  return added;
}

TEST(WindowEvents, ACaptureWindowThatPushesADialogEndsTheCaptureWalk) {
  EventTree tree;
  ActionWindow* opener = AddActionChild(*tree.b, "opener", TRect(200, 200, 300, 300), &tree.platform.journal);
  tree.manager.SetCapture(tree.a1);
  tree.manager.SetCapture(opener);
  opener->action = [&] { tree.manager.PushModal(std::make_unique<TModalWindow>()); };
  EXPECT_EQ(tree.Route(Event(kEventLeftDown, 550, 450)),
            (Journal{"OnMouseDown opener 50 50", "OnCaptureLost opener", "OnCaptureLost a1", "still here opener"}))
      << "a1 left the list before its turn";
  EXPECT_TRUE(tree.manager.GetCaptures().empty());
}

TEST(WindowEvents, PushingADialogCancelsEveryCapture) {
  EventTree tree;
  tree.manager.SetCapture(tree.a1);
  tree.manager.SetCapture(tree.b);
  EXPECT_EQ(tree.manager.SetCapture(tree.a1), tree.a1) << "held already";
  EXPECT_EQ(tree.manager.SetCapture(tree.a2), tree.b) << "the front capture before";
  tree.platform.journal.Clear();
  tree.manager.PushModal(std::make_unique<TModalWindow>());
  EXPECT_EQ(tree.Calls(), (Journal{"OnCaptureLost a2", "OnCaptureLost b", "OnCaptureLost a1"}));
  EXPECT_TRUE(tree.manager.GetCaptures().empty());
}

TEST(WindowEvents, AWindowMayDeleteItselfAndItsDialogFromItsOwnHandler) {
  EventTree tree;
  auto dialog = std::make_unique<TModalWindow>();
  TModalWindow* raw = dialog.get();
  tree.manager.PushModal(std::move(dialog));
  ActionWindow* closer = AddActionChild(*raw, "closer", TRect(0, 0, 50, 50), &tree.platform.journal);
  ActionWindow* leaver = AddActionChild(*raw, "leaver", TRect(60, 0, 100, 50), &tree.platform.journal);
  leaver->action = [&] { tree.manager.DeferDelete(raw->RemoveChild(leaver)); };
  closer->action = [&] { tree.manager.PopModal(); };
  EXPECT_EQ(tree.Route(Event(kEventLeftDown, 70, 10)), (Journal{"OnMouseDown leaver 10 10", "still here leaver"}));
  EXPECT_EQ(raw->GetChildren(), std::vector<TWindow*>{closer});
  EXPECT_EQ(tree.Route(Event(kEventLeftDown, 10, 10)), (Journal{"OnMouseDown closer 10 10", "still here closer"}));
  EXPECT_EQ(tree.manager.GetTopModal(), tree.root);
  EXPECT_EQ(tree.Route(Event(kEventLeftDown, 115, 115)), (Journal{"OnMouseDown a1 5 5"}))
      << "the next event deletes the dialog first";
  EXPECT_EQ(tree.manager.GetFocus(), tree.root);
}

TEST(WindowEvents, PoppingTheRootLeavesTheManagerInert) {
  EventTree tree;
  tree.manager.PopModal();
  EXPECT_EQ(tree.manager.GetRootWindow(), nullptr);
  EXPECT_EQ(tree.manager.GetTopModal(), nullptr);
  tree.manager.PopModal();  // nothing to pop
  tree.platform.repaintRequested = true;
  EXPECT_EQ(tree.Route(Event(kEventLeftDown, 115, 115)), Journal{}) << "the root went with this event";
  EXPECT_EQ(tree.Route(Event(kEventIdle)), Journal{});
}

}  // namespace
