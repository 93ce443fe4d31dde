#include "tests/support/windows/RecordingWindow.h"

#include "windows/core/TMessage.h"

RecordingWindow::RecordingWindow(const std::string& name, const TRect& rect, CallJournal* journal)
    : mJournal(journal) {
  SetName(name.c_str());
  SetPosition(rect.left, rect.top);
  SetSize(rect.Width(), rect.Height());
}

void RecordingWindow::Record(const std::string& what, const std::string& details) {
  if (mJournal) mJournal->Add(what + " " + GetName().CStr() + details);
}

bool RecordingWindow::Point(const char* what, int32_t type, int32_t x, int32_t y) {
  Record(what, " " + std::to_string(x) + " " + std::to_string(y));
  return takes.count(type) > 0;
}

void RecordingWindow::Draw() { Record("Draw"); }

bool RecordingWindow::HandleMessage(TMessage& message) {
  Record("HandleMessage", " " + std::to_string(message.GetType()) + " " + message.GetName().CStr());
  return takesMessages;
}

bool RecordingWindow::OnMouseDown(int32_t x, int32_t y) { return Point("OnMouseDown", kEventLeftDown, x, y); }

bool RecordingWindow::OnMouseButton(int32_t button, int32_t x, int32_t y) {
  Record("OnMouseButton", " " + std::to_string(button) + " " + std::to_string(x) + " " + std::to_string(y));
  return takes.count(kEventOtherButton) > 0;
}

bool RecordingWindow::OnMouseUp(int32_t x, int32_t y) { return Point("OnMouseUp", kEventLeftUp, x, y); }

bool RecordingWindow::OnMouseMove(int32_t x, int32_t y) { return Point("OnMouseMove", kEventMouseMove, x, y); }

bool RecordingWindow::OnMouseLeave(int32_t x, int32_t y) { return Point("OnMouseLeave", kEventHover, x, y); }

void RecordingWindow::OnCaptureLost() { Record("OnCaptureLost"); }

bool RecordingWindow::OnChar(uint8_t character) {
  Record("OnChar", " " + std::to_string(character));
  return takes.count(kEventCharacter) > 0;
}

bool RecordingWindow::OnKeyDown(uint8_t key, uint32_t modifiers) {
  Record("OnKeyDown", " " + std::to_string(key) + " " + std::to_string(modifiers));
  return takes.count(kEventKeyDown) > 0;
}

bool RecordingWindow::OnKeyUp(uint8_t key) {
  Record("OnKeyUp", " " + std::to_string(key));
  return takes.count(kEventKeyUp) > 0;
}

void RecordingWindow::OnFocus(TWindow*) { Record("OnFocus"); }

RecordingWindow* AddRecordingChild(TWindow& parent, const std::string& name, const TRect& rect,
                                   CallJournal* journal) {
  auto window = std::make_unique<RecordingWindow>(name, rect, journal);
  RecordingWindow* added = window.get();
  std::unique_ptr<TWindow> child = std::move(window);
  parent.AddChild(child, false);
  return added;
}
