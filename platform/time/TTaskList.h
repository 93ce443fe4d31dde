#pragma once

#include <list>

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
  void Add(TTask* task);
  // Hands a task back to the caller undeleted (during a pass: once the pass
  // ends; it is not stepped again). A task that removes itself and then
  // ends its step is deleted all the same. False when the task is not in the list.
  bool Remove(TTask* task);
  // Deletes every task (during a pass: once the pass ends).
  void Clear();
  // Steps every task that is ready for the pass, deleting those that end.
  void DoTasks(TTaskPass pass);

 private:
  bool IsRemoved(TTask* task) const;
  void FinishPass();

  bool mIterating = false;
  std::list<TTask*> mTasks;
  std::list<TTask*> mRemovals;
  std::list<TTask*> mDeletions;
};
