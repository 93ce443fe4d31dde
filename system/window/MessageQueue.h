#pragma once

#include <deque>

#include "system/window/Message.h"

namespace sys {

// The main window's messages: those sent straight to the window procedure,
// and those posted for the pump. Posted ones come out in order, then a quit
// request, then a repaint; a repaint is pending at most once however often
// the window is invalidated, and consecutive mouse moves merge into the
// latest, so a fast pointer never floods the queue. Main thread only.
class MessageQueue {
 public:
  void Send(const Message& message) { mDirect.push_back(message); }
  void Post(const Message& message);
  void PostQuit() { mQuitPending = true; }
  void Invalidate() { mPaintPending = true; }

  bool TakeDirect(Message& out);
  bool TakePosted(Message& out);
  bool TakeQuit();

 private:
  std::deque<Message> mDirect;
  std::deque<Message> mPosted;
  bool mQuitPending = false;
  bool mPaintPending = false;
};

}  // namespace sys
