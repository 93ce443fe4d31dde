#include "system/window/MessageQueue.h"

namespace sys {

void MessageQueue::Post(const Message& message) {
  if (message.kind == MessageKind::MouseMove && !mPosted.empty() &&
      mPosted.back().kind == MessageKind::MouseMove) {
    mPosted.back() = message;
    return;
  }
  mPosted.push_back(message);
}

bool MessageQueue::TakeDirect(Message& out) {
  if (mDirect.empty()) return false;
  out = mDirect.front();
  mDirect.pop_front();
  return true;
}

bool MessageQueue::TakePosted(Message& out) {
  if (!mPosted.empty()) {
    out = mPosted.front();
    mPosted.pop_front();
    return true;
  }
  if (TakeQuit()) {
    out = Message{.kind = MessageKind::Quit};
    return true;
  }
  if (mPaintPending) {
    mPaintPending = false;
    out = Message{.kind = MessageKind::Paint};
    return true;
  }
  return false;
}

bool MessageQueue::TakeQuit() {
  bool pending = mQuitPending;
  mQuitPending = false;
  return pending;
}

}  // namespace sys
