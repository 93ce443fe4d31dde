#include "platform/time/TTaskList.h"

#include <algorithm>
#include <vector>

namespace {

bool Holds(const std::list<TTask*>& tasks, TTask* task) {
  return std::find(tasks.begin(), tasks.end(), task) != tasks.end();
}

// The list lets go of the task: whoever removed it owns it now.
void HandBack(std::unique_ptr<TTask>& task) { static_cast<void>(task.release()); }

}  // namespace

TTaskList::~TTaskList() { Clear(); }

void TTaskList::Add(std::unique_ptr<TTask> task) { mTasks.push_back(std::move(task)); }

bool TTaskList::Remove(TTask* task) {
  auto node = Find(task);
  if (node == mTasks.end()) return false;
  if (mIterating) {
    mRemovals.push_back(task);
  } else {
    HandBack(*node);
    mTasks.erase(node);
  }
  return true;
}

void TTaskList::Clear() {
  if (mIterating) {
    // Tasks removed earlier in the pass already belong to whoever removed them.
    for (const std::unique_ptr<TTask>& task : mTasks) {
      if (IsRemoved(task.get())) continue;
      mRemovals.push_back(task.get());
      mDeletions.push_back(task.get());
    }
    return;
  }
  mTasks.clear();
}

TTaskList::Tasks::iterator TTaskList::Find(TTask* task) {
  return std::find_if(mTasks.begin(), mTasks.end(), [task](const std::unique_ptr<TTask>& held) { return held.get() == task; });
}

bool TTaskList::IsRemoved(TTask* task) const { return Holds(mRemovals, task); }

void TTaskList::DoTasks(TTaskPass pass) {
  // A step that ends up running this list again (a nested event loop) would
  // finish the outer pass under its feet: the outer pass runs alone.
  if (mIterating) return;
  mIterating = true;
  // Steps may append tasks, so the next node is taken only after the step:
  // a task added by the last one in the list still runs in this pass.
  for (auto node = mTasks.begin(); node != mTasks.end();) {
    TTask* task = node->get();
    if (!IsRemoved(task) && task->IsReady(pass) && !task->Step()) {
      // A task that ends is deleted now, even when its step removed it or
      // cleared the list: no queue may keep its address.
      mRemovals.remove(task);
      mDeletions.remove(task);
      node = mTasks.erase(node);
    } else {
      ++node;
    }
  }
  FinishPass();
}

// Every removal is unlinked before any task is deleted, so a task's
// destructor finds the list whole.
void TTaskList::FinishPass() {
  mIterating = false;
  std::vector<std::unique_ptr<TTask>> cleared;
  for (TTask* task : mRemovals) {
    auto node = Find(task);
    if (node == mTasks.end()) continue;
    if (Holds(mDeletions, task)) {
      cleared.push_back(std::move(*node));
    } else {
      HandBack(*node);
    }
    mTasks.erase(node);
  }
  mRemovals.clear();
  mDeletions.clear();
}
