#include "platform/time/TTaskList.h"

#include <algorithm>

namespace {

bool Holds(const std::list<TTask*>& tasks, TTask* task) {
  return std::find(tasks.begin(), tasks.end(), task) != tasks.end();
}

}  // namespace

TTaskList::~TTaskList() { Clear(); }

void TTaskList::Add(TTask* task) { mTasks.push_back(task); }

bool TTaskList::Remove(TTask* task) {
  if (!Holds(mTasks, task)) return false;
  if (mIterating) {
    mRemovals.push_back(task);
  } else {
    mTasks.remove(task);
  }
  return true;
}

void TTaskList::Clear() {
  if (mIterating) {
    // Tasks removed earlier in the pass already belong to whoever removed them.
    for (TTask* task : mTasks) {
      if (IsRemoved(task)) continue;
      mRemovals.push_back(task);
      mDeletions.push_back(task);
    }
    return;
  }
  for (TTask* task : mTasks) delete task;
  mTasks.clear();
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
    TTask* task = *node;
    if (!IsRemoved(task) && task->IsReady(pass) && !task->Step()) {
      // A task that ends is deleted now, even when its step removed it or
      // cleared the list: no queue may keep its address.
      mRemovals.remove(task);
      mDeletions.remove(task);
      node = mTasks.erase(node);
      delete task;
    } else {
      ++node;
    }
  }
  FinishPass();
}

void TTaskList::FinishPass() {
  mIterating = false;
  for (TTask* task : mRemovals) mTasks.remove(task);
  mRemovals.clear();
  for (TTask* task : mDeletions) delete task;
  mDeletions.clear();
}
