#pragma once

#include <memory>
#include <string>

#include "tests/support/CallJournal.h"
#include "windows/TWindow.h"

// A window that writes what it is asked to do into a journal, in the words
// "Draw name". Without a journal it records nothing.
class RecordingWindow : public TWindow {
 public:
  RecordingWindow(const std::string& name, const TRect& rect, CallJournal* journal = nullptr);

  void Draw() override;

 protected:
  void Record(const std::string& what);

 private:
  CallJournal* mJournal;
};

// Makes a recording window and links it in front of the parent's children
// (without running its Init); returns it.
RecordingWindow* AddRecordingChild(TWindow& parent, const std::string& name, const TRect& rect,
                                   CallJournal* journal = nullptr);
