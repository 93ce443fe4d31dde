#pragma once

// The two kinds of pass in which task lists run their tasks: the timed pass of
// the idle loop and of the window manager's timers, and the per-frame pass.
enum class TTaskPass { Timed = 0, Frame = 1 };

// A unit of repeated, cooperative work on the main thread. A task list asks it
// once per pass whether it is ready and, when it is, steps it; a step that
// returns false ends the task, and the list deletes it.
class TTask {
 public:
  virtual ~TTask() = default;
  virtual bool IsReady(TTaskPass) { return true; }
  virtual bool Step() = 0;
};
