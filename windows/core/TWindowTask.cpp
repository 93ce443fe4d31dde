#include "windows/core/TWindowTask.h"

#include "windows/core/TWindow.h"

TWindowTask::TWindowTask(TWindow& window, TClock* clock) : TAnimTask(clock), mWindow(&window) { window.Tie(this); }

TWindowTask::~TWindowTask() {
  if (mWindow) mWindow->Untie(this);
}

bool TWindowTask::Step() { return mWindow && TAnimTask::Step(); }

bool TWindowAnim::Animate() { return GetWindow() && GetWindow()->Refresh(); }
