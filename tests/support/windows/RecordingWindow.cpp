#include "tests/support/windows/RecordingWindow.h"

RecordingWindow::RecordingWindow(const std::string& name, const TRect& rect, CallJournal* journal)
    : mJournal(journal) {
  SetName(name.c_str());
  SetPosition(rect.left, rect.top);
  SetSize(rect.Width(), rect.Height());
}

void RecordingWindow::Draw() { Record("Draw"); }

void RecordingWindow::Record(const std::string& what) {
  if (mJournal) mJournal->Add(what + " " + GetName().CStr());
}

RecordingWindow* AddRecordingChild(TWindow& parent, const std::string& name, const TRect& rect,
                                   CallJournal* journal) {
  auto window = std::make_unique<RecordingWindow>(name, rect, journal);
  RecordingWindow* added = window.get();
  std::unique_ptr<TWindow> child = std::move(window);
  parent.AddChild(child, false);
  return added;
}
