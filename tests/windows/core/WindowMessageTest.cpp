// Messages: the queue, delivery up to the dialog and its focus child, the
// handlers, the script, quit, close names, deferred deletion and shut-down.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/windows/RecordingWindowScript.h"
#include "tests/windows/core/WindowTree.h"
#include "windows/core/TMessage.h"
#include "windows/kinds/TModalWindow.h"
#include "windows/kinds/TWindowFactory.h"

namespace {

using Texts = std::vector<std::string>;

struct MessageTree : WindowTree {
  MessageTree() {
    auto recording = std::make_unique<RecordingWindowScript>();
    script = recording.get();
    manager.SetScript(std::move(recording));
    platform.journal.Clear();
  }

  void Post(int32_t type, const char* name, TWindow* target = nullptr) {
    manager.PostMessage(std::make_unique<TMessage>(type, name, target));
  }

  RecordingWindowScript* script = nullptr;
};

TEST(WindowMessages, GoOutInTheOrderTheyWerePosted) {
  MessageTree tree;
  tree.Post(kMessageNamed, "first");
  tree.Post(kMessageButtonPress, "second");
  tree.Post(kMessageTextEdit, "third");
  tree.manager.DispatchMessages();
  EXPECT_EQ(tree.script->received, (Texts{"0 first", "3 second", "7 third"}));
}

// Posts a follow-up for every message it sees.
class Relay : public RecordingWindow {
 public:
  using RecordingWindow::RecordingWindow;
  bool HandleMessage(TMessage& message) override {
    RecordingWindow::HandleMessage(message);
    if (message.GetName() == "ping") {
      mManager->PostMessage(std::make_unique<TMessage>(kMessageNamed, "pong", nullptr));
    }
    return true;
  }
  TWindowManager* mManager = nullptr;
};

TEST(WindowMessages, AMessagePostedWhileOneIsHandledGoesOutInTheSameLoop) {
  MessageTree tree;
  std::unique_ptr<TWindow> relay = std::make_unique<Relay>("relay", TRect(0, 0, 10, 10), &tree.platform.journal);
  auto* raw = static_cast<Relay*>(relay.get());
  raw->mManager = &tree.manager;
  tree.a->AddChild(relay, false);
  tree.Post(kMessageNamed, "ping", raw);
  tree.Post(kMessageNamed, "after");
  tree.manager.DispatchMessages();
  EXPECT_EQ(tree.script->received, (Texts{"0 after", "0 pong"}));
  EXPECT_EQ(tree.Calls(), Texts{"HandleMessage relay 0 ping"});
}

TEST(WindowMessages, ClimbToTheDialogThenItsFocusChildThenTheScript) {
  MessageTree tree;
  tree.Post(kMessageButtonPress, "ok", tree.a1);
  tree.manager.DispatchMessages();
  EXPECT_EQ(tree.Calls(), (Texts{"HandleMessage a1 3 ok", "HandleMessage a 3 ok"}));
  EXPECT_EQ(tree.script->received, Texts{"3 ok"});

  tree.root->SetFocusChild(tree.b1);
  tree.b1->takesMessages = true;
  tree.platform.journal.Clear();
  tree.Post(kMessageButtonPress, "ok", tree.a1);
  tree.manager.DispatchMessages();
  EXPECT_EQ(tree.Calls(), (Texts{"HandleMessage a1 3 ok", "HandleMessage a 3 ok", "HandleMessage b1 3 ok"}));
  EXPECT_EQ(tree.script->received.size(), 1u) << "the focus child took it";
}

TEST(WindowMessages, AMessageWithoutTargetStartsAtTheFocusWindowInANestedDialog) {
  MessageTree tree;
  auto dialog = std::make_unique<TModalWindow>();
  TModalWindow* raw = dialog.get();
  tree.manager.PushModal(std::move(dialog));
  RecordingWindow* field = AddRecordingChild(*raw, "field", TRect(0, 0, 10, 10), &tree.platform.journal);
  tree.manager.SetFocus(field);
  tree.platform.journal.Clear();
  tree.Post(kMessageDefaultAction, "");
  tree.manager.DispatchMessages();
  EXPECT_EQ(tree.Calls(), Texts{"HandleMessage field 2 "});
  EXPECT_EQ(tree.script->received, Texts{"2 "}) << "the dialog stops the climb";
}

// Takes the messages whose name it is given.
class NameHandler : public TMessageHandler {
 public:
  NameHandler(const char* name, Texts& seen) : mName(name), mSeen(seen) {}
  bool Handle(TMessage& message) override {
    mSeen.push_back(mName + " saw " + message.GetName().CStr());
    return message.GetName() == mName.c_str();
  }

 private:
  std::string mName;
  Texts& mSeen;
};

TEST(WindowMessages, HandlersAreOfferedMessagesWithoutTargetBeforeAnyWindow) {
  MessageTree tree;
  Texts seen;
  tree.manager.AddHandler(std::make_unique<NameHandler>("first", seen));
  auto second = std::make_unique<NameHandler>("second", seen);
  NameHandler* secondRaw = second.get();
  tree.manager.AddHandler(std::move(second));
  tree.manager.SetFocus(tree.a1);
  tree.platform.journal.Clear();
  tree.Post(kMessageNamed, "second");
  tree.Post(kMessageNamed, "neither");
  tree.Post(kMessageNamed, "second", tree.b1);
  tree.manager.DispatchMessages();
  EXPECT_EQ(seen, (Texts{"first saw second", "second saw second", "first saw neither", "second saw neither"}));
  EXPECT_EQ(tree.Calls(), (Texts{"HandleMessage a1 0 neither", "HandleMessage a 0 neither",
                                 "HandleMessage b1 0 second", "HandleMessage b 0 second"}))
      << "a message with a target skips the handlers";
  EXPECT_EQ(tree.manager.RemoveHandler(secondRaw).get(), secondRaw);
  EXPECT_EQ(tree.manager.RemoveHandler(secondRaw), nullptr);
}

TEST(WindowMessages, AQuitMessageAsksThePlatformToQuitAndIsDeliveredAsAnyOther) {
  MessageTree tree;
  tree.Post(kMessageQuit, "bye");
  tree.manager.HandleEvent(TEvent{.type = kEventIdle});
  EXPECT_EQ(tree.platform.quitRequests, 1);
  EXPECT_EQ(tree.script->received, Texts{"5 bye"});
}

TEST(WindowMessages, CloseNamesAreTheSerialInEightHexadecimalPlaces) {
  struct Case {
    uint32_t serial;
    const char* name;
  };
  const Case cases[] = {{0, "       0"}, {255, "      ff"}, {0xABCDEF, "  abcdef"}, {0xFFFFFFFF, "ffffffff"}};
  for (const Case& c : cases) EXPECT_STREQ(TMessage::CloseName(c.serial).CStr(), c.name) << c.serial;
}

TEST(WindowMessages, AMessageNobodyTakesIsDeleted) {
  FakePlatform platform;
  TWindowManager manager;
  platform.windowManager = &manager;
  manager.PostMessage(std::make_unique<TMessage>(kMessageNamed, "no layer", nullptr));
  manager.DispatchMessages();
  auto screen = std::make_unique<TScreen>();
  manager.SetRootWindow(std::move(screen));
  manager.PostMessage(std::make_unique<TMessage>(kMessageNamed, "no script", nullptr));
  manager.DispatchMessages();
  TWindow loose;
  loose.SendMessage(std::make_unique<TMessage>(kMessageNamed, "off the top", nullptr));
  // The leak check finds any of the three that stayed.
}

TEST(WindowMessages, AMessageForAWindowBelowOneQueuedForDeletionLosesItsTarget) {
  MessageTree tree;
  tree.Post(kMessageButtonPress, "for a1", tree.a1);
  tree.Post(kMessageButtonPress, "for b", tree.b);
  tree.manager.DeferDelete(tree.root->RemoveChild(tree.a));
  tree.manager.DispatchMessages();
  EXPECT_EQ(tree.Calls(), (Texts{"HandleMessage b 3 for b"}));
  EXPECT_EQ(tree.script->received, (Texts{"3 for a1", "3 for b"}));
}

TEST(WindowMessages, AWindowThatGoesIsForgottenAsTheFocusChildOfItsDialogs) {
  MessageTree tree;
  tree.root->SetFocusChild(tree.a1);
  tree.a->RemoveChild(tree.a1).reset();
  EXPECT_EQ(tree.root->GetFocusChild(), nullptr);
}

// Notes its own end in a journal shared with the others below.
template <class Base>
class Noting : public Base {
 public:
  template <class... Args>
  Noting(Texts& ends, const char* name, Args&&... args) : Base(std::forward<Args>(args)...), mEnds(ends), mName(name) {}
  ~Noting() override { mEnds.push_back(mName); }

 private:
  Texts& mEnds;
  std::string mName;
};

// Posts a message as it goes, as a dialog tells the scripts of its end.
class PostsAsItGoes : public TModalWindow {
 public:
  explicit PostsAsItGoes(TWindowManager& manager) : mManager(manager) {}
  ~PostsAsItGoes() override { mManager.PostMessage(std::make_unique<TMessage>(kMessageModalClosed, "gone", nullptr)); }

 private:
  TWindowManager& mManager;
};

class NullFactory : public TWindowFactory {
 public:
  std::unique_ptr<TWindow> Create(const TWindowStyle&) override { return nullptr; }
};

class AlwaysTakes : public TMessageHandler {
 public:
  bool Handle(TMessage&) override { return true; }
};

TEST(WindowManagerShutDown, DeletesWindowsMessagesHandlersAndFactoriesBeforeTheScript) {
  Texts ends;
  {
    FakePlatform platform;
    TWindowManager manager;
    platform.windowManager = &manager;
    manager.SetScript(std::make_unique<Noting<RecordingWindowScript>>(ends, "script"));
    manager.SetRootWindow(std::make_unique<Noting<TScreen>>(ends, "root"));
    manager.PushModal(std::make_unique<PostsAsItGoes>(manager));
    manager.PostMessage(std::make_unique<Noting<TMessage>>(ends, "message", kMessageNamed, "queued", nullptr));
    manager.AddHandler(std::make_unique<Noting<AlwaysTakes>>(ends, "handler"));
    manager.SetFactory("kind", std::make_unique<Noting<NullFactory>>(ends, "factory"));
    manager.SetFactory("kind", std::make_unique<Noting<NullFactory>>(ends, "second factory"));
    EXPECT_EQ(ends, Texts{"factory"}) << "a factory set again replaces the one before";
    EXPECT_NE(manager.GetFactory("kind"), nullptr);
    EXPECT_EQ(manager.GetFactory("other"), nullptr);
  }
  EXPECT_EQ(ends, (Texts{"factory", "handler", "root", "message", "second factory", "script"}));
}

}  // namespace
