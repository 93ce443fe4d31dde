#pragma once

#include <memory>
#include <vector>

#include "windows/core/TWindow.h"
#include "windows/core/TWindowSpider.h"
#include "windows/core/TWindowTask.h"

class TClock;
class TImage;

namespace GUI {

// Hears how far a fade-in has come, from 0 to 1, once a step.
class IFadeInListener {
 public:
  virtual ~IFadeInListener() = default;
  virtual void OnFadeProgress(float progress) = 0;
};

// A window fading in as it opens, stepped every 10 ms. An image window
// starts transparent with its children hidden, its alpha rises by
// speed x 0.02 per 10 ms of the task's own clock, and at full alpha the
// children it hid show again: a fade of speed s takes 500 / s ms. A window
// of any other kind has nothing to fade: its children stay as they are, so
// it shows at once, while its listeners still hear the progress run to 1.
// The task stays in its list once the fade is done, and ends with its
// window.
class TFadeInTask final : public TWindowTask {
 public:
  TFadeInTask(TWindow& window, float speed);
  ~TFadeInTask() override;

  // Fades the window in from the task list of the top modal window, as the
  // game's windows do when they open; null (logged) when no modal window is
  // on top.
  static TFadeInTask* AddToTopModal(TWindow& window, float speed);

  // The listener (not owned) outlives the task.
  void AddListener(IFadeInListener& listener) { mListeners.push_back(&listener); }
  float GetProgress() const { return mProgress; }

 protected:
  bool Animate() override;

 private:
  friend class TSwitchEachChild;

  TImage* GetImage() const;
  // The time since the previous step, in steps of 10 ms; 1 on the first.
  float StepsSinceLast();
  void Finish(TImage* image);
  void SetChildrenShown(bool shown);
  bool WasHidden(const TWindow& child) const;

  std::vector<TWindowLink> mHidden;  // the children the fade hid
  float mProgress = 0.0f;
  float mSpeed;
  std::vector<IFadeInListener*> mListeners;
  std::unique_ptr<TClock> mStepClock;
};

// Hides each visible child of a fading window, noting it in the task, or
// shows again each child the task hid.
class TSwitchEachChild final : public TWindowSpider {
 public:
  TSwitchEachChild(bool show, TFadeInTask& task) : mShow(show), mTask(task) {}
  bool Visit(TWindow& child) override;

 private:
  bool mShow;
  TFadeInTask& mTask;
};

}  // namespace GUI
