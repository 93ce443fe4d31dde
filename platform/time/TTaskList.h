#pragma once

#include <list>
#include <memory>

#include "platform/time/TTask.h"

// Owns tasks and runs them pass by pass. Tasks may add, remove and clear
// tasks of the list from inside their steps: additions are reached in the
// same pass, removals and clearing take effect when the pass ends.
class TTaskList {
 public:
  TTaskList() = default;
  ~TTaskList();
  TTaskList(const TTaskList&) = delete;
  TTaskList& operator=(const TTaskList&) = delete;

  // Appends a task; the list owns it from now on.
  void Add(std::unique_ptr<TTask> task);
  // Hands a task back to the caller, who owns it from then on (during a
  // pass: once the pass ends; it is not stepped again). A task that removes
  // itself and then ends its step is deleted all the same. False when the
  // task is not in the list.
  bool Remove(TTask* task);
  // Deletes every task (during a pass: once the pass ends).
  void Clear();
  // Steps every task that is ready for the pass, deleting those that end.
  void DoTasks(TTaskPass pass);

 private:
  using Tasks = std::list<std::unique_ptr<TTask>>;

  Tasks::iterator Find(TTask* task);
  bool IsRemoved(TTask* task) const;
  void FinishPass();

  bool mIterating = false;
  Tasks mTasks;
  std::list<TTask*> mRemovals;   // unlinked when the pass ends
  std::list<TTask*> mDeletions;  // of those, the ones deleted then
};
