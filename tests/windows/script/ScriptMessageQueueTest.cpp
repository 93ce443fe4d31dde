// Messages and button commands on their way to the scripts: the queues of
// the scripts while nothing waits, the coroutine waiting in HandleGetMessage
// with its time-out and the calls handed to it, a coroutine waiting anywhere
// else, failed resumes, and the lifetimes of messages made, posted and
// handed over.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/windows/RecordingWindow.h"
#include "tests/windows/script/WindowFunctionsKit.h"
#include "windows/kinds/TButton.h"
#include "windows/core/TMessage.h"

namespace {

using Texts = std::vector<std::string>;

// The root holds the button "go"; the script knows it as the global "go".
class ScriptMessageQueueTest : public WindowFunctionsKit {
 protected:
  ScriptMessageQueueTest() {
    auto owned = std::make_unique<TButton>(TButton::kPush);
    button = owned.get();
    button->SetName("go");
    std::unique_ptr<TWindow> child = std::move(owned);
    w.root->AddChild(child, false);
    Run("SetCommand('go', function() clicked = (clicked or 0) + 1 end)");
  }

  // Starts the text's function as the coroutine that runs the screen.
  void StartCoroutine(const std::string& body) { Run("return function() " + body + " end"); }
  // A button click's command: the Lua action message and the function, and
  // then the button press message, delivered.
  void Click() {
    button->DoCommand();
    w.manager.DispatchMessages();
  }
  void Deliver(const char* name) { w.script->QueueMessage(std::make_unique<TMessage>(kMessageNamed, name, nullptr)); }
  bool TaskStopped() const { return w.script->GetTimeSinceDue() == UINT32_MAX; }

  TButton* button = nullptr;
};

TEST_F(ScriptMessageQueueTest, WhileNothingWaitsMessagesAndCommandsLandInTheQueues) {
  Click();
  EXPECT_EQ(Eval("table.getn(gMessageQueue)"), "2");
  EXPECT_EQ(Eval("gMessageQueue[1].type .. ' ' .. gMessageQueue[1].name"), "8 LuaAction:go");
  EXPECT_EQ(Eval("gMessageQueue[2].type .. ' ' .. gMessageQueue[2].name"), "3 go");
  EXPECT_EQ(Eval("table.getn(gCommandQueue)"), "1");
  EXPECT_EQ(Global("clicked"), "<missing>") << "queued, not called";
  Run("gCommandQueue[1]()");
  EXPECT_EQ(Global("clicked"), "1");
  EXPECT_EQ(Global("gMessageToQueue"), "<missing>");
  EXPECT_EQ(Global("gMessageCommand"), "<missing>");
}

TEST_F(ScriptMessageQueueTest, TheQueuesAreTheScriptsOwnTables) {
  Run("local insert = table.insert "
      "table.insert = function(queue, value) seen = value.name insert(queue, value) end");
  Deliver("watched");
  EXPECT_EQ(Global("seen"), "watched") << "appended with the script's table.insert";
}

TEST_F(ScriptMessageQueueTest, AButtonCommandEndsTheWaitWithItsMessageAndFunction) {
  StartCoroutine("local m, f = HandleGetMessage() got = m.type .. ' ' .. m.name f()");
  ASSERT_TRUE(w.script->IsSuspended());
  EXPECT_EQ(w.script->GetWaitState(), TWindowScript::kWaitingForMessage);
  Click();
  EXPECT_EQ(Global("got"), "8 LuaAction:go");
  EXPECT_EQ(Global("clicked"), "1");
  EXPECT_FALSE(w.script->IsSuspended());
  EXPECT_EQ(Eval("table.getn(gMessageQueue)"), "1") << "the press, once nothing waits";
  EXPECT_EQ(Eval("table.getn(gCommandQueue)"), "0");
}

TEST_F(ScriptMessageQueueTest, AMessageWithoutACommandEndsTheWaitAlone) {
  StartCoroutine("local m, f = HandleGetMessage() got = m.name .. ' ' .. tostring(f)");
  Deliver("alone");
  EXPECT_EQ(Global("got"), "alone nil");
}

// A wait set up from a coroutine of the script's own would take the screen's
// next plain yield for a wait: the message resumed into it would be lost,
// and the stopped task would leave the yield waiting for ever.
TEST_F(ScriptMessageQueueTest, AWaitFromAnyCoroutineButTheScreensIsRefusedAndChangesNothing) {
  StartCoroutine("local co = coroutine.create(function() HandleGetMessage() end) "
                 "local ok, e = coroutine.resume(co) resumed, err = tostring(ok), e "
                 "coroutine.yield() after = 'yes'");
  ASSERT_TRUE(w.script->IsSuspended());
  EXPECT_EQ(Global("resumed"), "false");
  EXPECT_NE(Global("err").find("HandleGetMessage: only the screen's coroutine may wait for messages"),
            std::string::npos)
      << Global("err");
  EXPECT_EQ(w.script->GetWaitState(), TWindowScript::kNotWaiting);
  EXPECT_FALSE(TaskStopped()) << "the plain yield goes on at the next pass";
  Deliver("kept");
  EXPECT_EQ(Eval("table.getn(gMessageQueue) .. ' ' .. gMessageQueue[1].name"), "1 kept");
  EXPECT_EQ(Global("after"), "<missing>");
  Pass();
  EXPECT_EQ(Global("after"), "yes");
}

TEST_F(ScriptMessageQueueTest, ATimeOutEndsTheWaitWithNoValuesOnceItIsOver) {
  StartCoroutine("local function Count(...) return arg.n end got = Count(HandleGetMessage(500))");
  w.kit.clock.Advance(499);
  Pass();
  EXPECT_EQ(Global("got"), "<missing>");
  w.kit.clock.Advance(1);
  Pass();
  EXPECT_EQ(Global("got"), "0");
  EXPECT_TRUE(TaskStopped()) << "the coroutine ended";
}

TEST_F(ScriptMessageQueueTest, AWaitWithoutTimeOutStopsTheTask) {
  StartCoroutine("HandleGetMessage() got = 'message'");
  EXPECT_TRUE(TaskStopped());
  w.kit.clock.Advance(100000);
  Pass();
  EXPECT_EQ(Global("got"), "<missing>");
  Deliver("late");
  EXPECT_EQ(Global("got"), "message");
}

TEST_F(ScriptMessageQueueTest, ANegativeOrNonNumericTimeOutCountsAsZero) {
  for (const char* timeOut : {"-5", "'soon'", "nil"}) {
    Run("got = nil");
    StartCoroutine(std::string("HandleGetMessage(") + timeOut + ") got = 'timed out'");
    EXPECT_FALSE(TaskStopped()) << timeOut;
    Pass();
    EXPECT_EQ(Global("got"), "timed out") << timeOut;
  }
}

TEST_F(ScriptMessageQueueTest, OutsideACoroutineTheWaitRaisesItsErrorAndChangesNothing) {
  Run("HandleGetMessage(100)");
  EXPECT_EQ(w.script->GetWaitState(), TWindowScript::kNotWaiting);
  EXPECT_TRUE(TaskStopped());
  const Texts log = Log();
  ASSERT_FALSE(log.empty());
  EXPECT_NE(log.front().find("attempt to yield across metamethod/C-call boundary"), std::string::npos) << log.front();
}

TEST_F(ScriptMessageQueueTest, ALuaStringRunWhileTheScriptWaitsArrivesAsNilAndAClosure) {
  StartCoroutine("local m, f = HandleGetMessage() got = tostring(m) f()");
  w.script->DoLuaString("marked = 'yes'");
  EXPECT_EQ(Global("got"), "nil");
  EXPECT_EQ(Global("marked"), "yes");
}

// The library's Yield, say: what arrives meanwhile is neither lost nor handed
// to the yield.
TEST_F(ScriptMessageQueueTest, DuringAPlainYieldMessagesAreQueuedAndCommandsRunAtOnce) {
  StartCoroutine("local m = HandleGetMessage() first = m.name coroutine.yield() after = 'yes'");
  Deliver("first");
  EXPECT_EQ(Global("first"), "first");
  ASSERT_TRUE(w.script->IsSuspended());
  EXPECT_EQ(w.script->GetWaitState(), TWindowScript::kNotWaiting);
  Deliver("second");
  Click();
  EXPECT_EQ(Global("clicked"), "1") << "called at once";
  EXPECT_EQ(Global("after"), "<missing>") << "still in its yield";
  EXPECT_TRUE(w.script->IsSuspended());
  EXPECT_EQ(Global("gMessageToQueue"), "<missing>");
  w.script->Resume(0);
  EXPECT_EQ(Global("after"), "yes");
  EXPECT_EQ(Eval("table.getn(gMessageQueue) .. ' ' .. table.getn(gCommandQueue)"), "3 0");
  EXPECT_EQ(Eval("gMessageQueue[1].name .. ' ' .. gMessageQueue[2].name .. ' ' .. gMessageQueue[3].name"),
            "second LuaAction:go go");
}

TEST_F(ScriptMessageQueueTest, AFailedResumeIsLoggedAndLeavesTheWaitStateZero) {
  StartCoroutine("HandleGetMessage() error('broken', 0)");
  Deliver("fatal");
  EXPECT_EQ(w.script->GetWaitState(), TWindowScript::kResumeFailed);
  EXPECT_EQ(Log(), Texts{"lua_resume ERROR: broken"});
  EXPECT_FALSE(w.script->IsSuspended());
  Deliver("after");
  EXPECT_EQ(Eval("gMessageQueue[1].name"), "after") << "queued once nothing waits";
}

// ---- Lifetimes (under the sanitizers).

TEST_F(ScriptMessageQueueTest, ADroppedMessageIsCollectedWhileItsPostedCopyLivesUntilDelivered) {
  Run("local m = CreateNamedMessage(0, 'late') PostMessage(m) m = nil collectgarbage()");
  Run("local m = CreateNamedMessage(0, 'dropped') m = nil collectgarbage()");
  w.manager.DispatchMessages();
  EXPECT_EQ(Eval("gMessageQueue[1].type .. ' ' .. gMessageQueue[1].name"), "0 late");
  Run("gMessageQueue = {} collectgarbage()");
}

TEST_F(ScriptMessageQueueTest, APostedMessageComesBackAsTheScriptsOwnMessage) {
  Run("sent = CreateNamedMessage(0, 'mine') PostMessage(sent)");
  w.manager.DispatchMessages();
  EXPECT_EQ(Eval("rawequal(gMessageQueue[1], sent)"), "true");
}

TEST_F(ScriptMessageQueueTest, AFrameworkMessagePostedAgainByTheScriptHasNoTarget) {
  RecordingWindow* panel = AddRecordingChild(*w.root, "panel", TRect(0, 0, 10, 10), &journal);
  panel->takesMessages = true;
  w.script->QueueMessage(std::make_unique<TMessage>(kMessageButtonPress, "aimed", panel));
  Run("PostMessage(gMessageQueue[1])");
  w.manager.DispatchMessages();
  EXPECT_TRUE(journal.Entries().empty()) << "its old target would have taken it";
  EXPECT_EQ(Eval("table.getn(gMessageQueue) .. ' ' .. gMessageQueue[2].name"), "2 aimed");
}

TEST_F(ScriptMessageQueueTest, PostingAnythingButAMessagePostsNothing) {
  const struct {
    const char* argument;
    const char* logged;
  } cases[] = {
      {"", "PostMessage: no value is not a message"},
      {"nil", "PostMessage: nil is not a message"},
      {"'text'", "PostMessage: string is not a message"},
      {"{ type = 0, name = 'fake' }", "PostMessage: table is not a message"},
      {"_SCRIPT", "PostMessage: userdata is not a message"},
  };
  for (const auto& each : cases) {
    w.kit.ClearLog();
    Run(std::string("PostMessage(") + each.argument + ")");
    EXPECT_EQ(Log(), Texts{each.logged}) << each.argument;
  }
  Run("PostMessageToParent(42)");
  w.manager.DispatchMessages();
  EXPECT_EQ(Eval("table.getn(gMessageQueue)"), "0");
  EXPECT_EQ(Log().back(), "PostMessageToParent: number is not a message");
}

}  // namespace
