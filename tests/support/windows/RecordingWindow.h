#pragma once

#include <memory>
#include <set>
#include <string>

#include "tests/support/CallJournal.h"
#include "windows/core/TWindow.h"

// A window that writes what reaches it into a journal, in the words
// "Draw name", "OnMouseDown name x y", "OnMouseButton name button x y",
// "OnKeyDown name key modifiers",
// "HandleMessage name type text", "OnFocus name", "OnCaptureLost name".
// It handles the event types listed in takes, and messages when
// takesMessages is set. Without a journal it records nothing.
class RecordingWindow : public TWindow {
 public:
  RecordingWindow(const std::string& name, const TRect& rect, CallJournal* journal = nullptr);

  void Draw() override;
  bool HandleMessage(TMessage& message) override;
  bool OnMouseDown(int32_t x, int32_t y) override;
  bool OnMouseButton(int32_t button, int32_t x, int32_t y) override;
  bool OnMouseUp(int32_t x, int32_t y) override;
  bool OnMouseMove(int32_t x, int32_t y) override;
  void OnCaptureLost() override;
  bool OnChar(uint8_t character) override;
  bool OnKeyDown(uint8_t key, uint32_t modifiers) override;
  bool OnKeyUp(uint8_t key) override;
  bool OnMouseLeave(int32_t x, int32_t y) override;
  void OnFocus(TWindow* previous) override;

  std::set<int32_t> takes;  // TEventType values
  bool takesMessages = false;

 protected:
  void Record(const std::string& what, const std::string& details = "");
  bool Point(const char* what, int32_t type, int32_t x, int32_t y);

 private:
  CallJournal* mJournal;
};

// Makes a recording window and links it in front of the parent's children
// (without running its Init); returns it.
RecordingWindow* AddRecordingChild(TWindow& parent, const std::string& name, const TRect& rect,
                                   CallJournal* journal = nullptr);
