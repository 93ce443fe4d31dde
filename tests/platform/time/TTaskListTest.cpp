#include "platform/time/TTaskList.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// A task that writes what happens to it into a shared journal.
class JournalTask : public TTask {
 public:
  using StepAction = std::function<bool()>;

  JournalTask(std::string name, std::vector<std::string>* journal, StepAction step = nullptr)
      : mName(std::move(name)), mJournal(journal), mStep(std::move(step)) {}
  ~JournalTask() override { mJournal->push_back("delete " + mName); }

  bool IsReady(TTaskPass pass) override { return pass == TTaskPass::Timed || frameReady; }
  bool Step() override {
    mJournal->push_back("step " + mName);
    return mStep ? mStep() : true;
  }

  bool frameReady = false;

 private:
  std::string mName;
  std::vector<std::string>* mJournal;
  StepAction mStep;
};

using Journal = std::vector<std::string>;

class TTaskListTest : public testing::Test {
 protected:
  JournalTask* AddTask(const std::string& name, JournalTask::StepAction step = nullptr) {
    auto task = std::make_unique<JournalTask>(name, &journal, std::move(step));
    JournalTask* added = task.get();
    list.Add(std::move(task));
    return added;
  }

  Journal journal;
  TTaskList list;
};

TEST_F(TTaskListTest, StepsReadyTasksInOrderAndDeletesThoseThatEnd) {
  AddTask("a");
  AddTask("b", [] { return false; });
  JournalTask* c = AddTask("c");
  c->frameReady = true;
  list.DoTasks(TTaskPass::Frame);
  EXPECT_EQ(journal, Journal({"step c"}));
  journal.clear();
  list.DoTasks(TTaskPass::Timed);
  EXPECT_EQ(journal, Journal({"step a", "step b", "delete b", "step c"}));
  journal.clear();
  list.DoTasks(TTaskPass::Timed);
  EXPECT_EQ(journal, Journal({"step a", "step c"}));
}

TEST_F(TTaskListTest, TaskAddedByTheLastTaskRunsInTheSamePass) {
  AddTask("a");
  bool added = false;
  AddTask("b", [&] {
    if (!added) AddTask("new");
    added = true;
    return true;
  });
  list.DoTasks(TTaskPass::Timed);
  EXPECT_EQ(journal, Journal({"step a", "step b", "step new"}));
}

TEST_F(TTaskListTest, TaskRemovingItselfFinishesItsStepAndIsHandedBack) {
  JournalTask* self = nullptr;
  self = AddTask("self", [&] {
    EXPECT_TRUE(list.Remove(self));
    return true;
  });
  AddTask("after");
  list.DoTasks(TTaskPass::Timed);
  EXPECT_EQ(journal, Journal({"step self", "step after"}));
  journal.clear();
  list.DoTasks(TTaskPass::Timed);
  EXPECT_EQ(journal, Journal({"step after"})) << "unlinked at the end of the pass";
  EXPECT_FALSE(list.Remove(self));
  std::unique_ptr<JournalTask> owned(self);
  owned.reset();
  EXPECT_EQ(journal, Journal({"step after", "delete self"})) << "deleted only by its new owner";
}

TEST_F(TTaskListTest, TaskRemovedEarlierInThePassIsNotStepped) {
  JournalTask* later = nullptr;
  AddTask("first", [&] {
    list.Remove(later);
    return true;
  });
  later = AddTask("later");
  list.DoTasks(TTaskPass::Timed);
  EXPECT_EQ(journal, Journal({"step first"}));
  std::unique_ptr<JournalTask> owned(later);
}

TEST_F(TTaskListTest, TaskThatRemovesItselfAndEndsIsDeletedAtOnce) {
  JournalTask* self = nullptr;
  self = AddTask("self", [&] {
    list.Remove(self);
    return false;
  });
  AddTask("after");
  list.DoTasks(TTaskPass::Timed);
  EXPECT_EQ(journal, Journal({"step self", "delete self", "step after"})) << "an ended task is the list's to delete";
  journal.clear();
  list.DoTasks(TTaskPass::Timed);
  EXPECT_EQ(journal, Journal({"step after"}));
}

TEST_F(TTaskListTest, ClearDuringAPassDeletesEverythingAfterIt) {
  AddTask("a", [&] {
    list.Clear();
    EXPECT_EQ(journal, Journal({"step a"})) << "nothing is deleted during the pass";
    return true;
  });
  AddTask("b");
  list.DoTasks(TTaskPass::Timed);
  EXPECT_EQ(journal, Journal({"step a", "delete a", "delete b"}));
  journal.clear();
  list.DoTasks(TTaskPass::Timed);
  EXPECT_TRUE(journal.empty());
}

TEST_F(TTaskListTest, ClearingTwiceInAPassDeletesEachTaskOnce) {
  AddTask("a", [&] {
    list.Clear();
    list.Clear();
    return false;
  });
  list.DoTasks(TTaskPass::Timed);
  EXPECT_EQ(journal, Journal({"step a", "delete a"}));
}

TEST_F(TTaskListTest, ClearAfterARemovalLeavesTheRemovedTaskToItsOwner) {
  JournalTask* kept = nullptr;
  AddTask("a", [&] {
    list.Remove(kept);
    list.Clear();
    return true;
  });
  kept = AddTask("kept");
  list.DoTasks(TTaskPass::Timed);
  EXPECT_EQ(journal, Journal({"step a", "delete a"}));
  std::unique_ptr<JournalTask> owned(kept);
}

TEST_F(TTaskListTest, TaskAddedAfterAClearInThePassSurvives) {
  AddTask("a", [&] {
    list.Clear();
    AddTask("fresh");
    return true;
  });
  list.DoTasks(TTaskPass::Timed);
  EXPECT_EQ(journal, Journal({"step a", "step fresh", "delete a"}));
}

TEST_F(TTaskListTest, RemoveOutsideAPassHandsTheTaskBackAtOnce) {
  JournalTask* task = AddTask("a");
  EXPECT_TRUE(list.Remove(task));
  list.DoTasks(TTaskPass::Timed);
  EXPECT_TRUE(journal.empty());
  EXPECT_FALSE(list.Remove(task));
  std::unique_ptr<JournalTask> owned(task);
}

TEST_F(TTaskListTest, NestedPassOfTheSameListDoesNothing) {
  AddTask("outer", [&] {
    list.DoTasks(TTaskPass::Timed);
    return false;
  });
  AddTask("b");
  list.DoTasks(TTaskPass::Timed);
  EXPECT_EQ(journal, Journal({"step outer", "delete outer", "step b"}));
}

TEST(TTaskList, DestructionDeletesEveryTask) {
  Journal journal;
  {
    TTaskList list;
    list.Add(std::make_unique<JournalTask>("a", &journal));
    list.Add(std::make_unique<JournalTask>("b", &journal));
  }
  EXPECT_EQ(journal, Journal({"delete a", "delete b"}));
}

}  // namespace
