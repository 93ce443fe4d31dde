#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/FakePlatform.h"
#include "tests/support/windows/RecordingWindow.h"
#include "windows/kinds/TScreen.h"
#include "windows/core/TWindowManager.h"

inline void PrintTo(const TRect& rect, std::ostream* out) {
  *out << "(" << rect.left << " " << rect.top << " " << rect.right << " " << rect.bottom << ")";
}

// The small tree most window tests use, on a fake platform whose display is
// 800 x 600, drawn once so that nothing is dirty:
//
//   root (TScreen, 0 0 800 600)
//   ├─ a (100 100 400 300): a1 (10 10 60 60), a2 (70 70 150 120, in front of a1)
//   ├─ b (300 200 600 500, in front of a): b1 (0 0 100 100)
//   └─ hidden (0 0 800 600, frontmost, not visible): h1 (0 0 50 50)
//
// The recording windows write "Draw name" into the platform's journal, among
// its viewport calls. The manager goes before the face, so windows tell it
// as they go.
struct WindowTree {
  WindowTree() {
    platform.windowManager = &manager;
    auto screen = std::make_unique<TScreen>();
    root = screen.get();
    manager.SetRootWindow(std::move(screen));
    CallJournal* journal = &platform.journal;
    a = AddRecordingChild(*root, "a", TRect(100, 100, 400, 300), journal);
    a1 = AddRecordingChild(*a, "a1", TRect(10, 10, 60, 60), journal);
    a2 = AddRecordingChild(*a, "a2", TRect(70, 70, 150, 120), journal);
    b = AddRecordingChild(*root, "b", TRect(300, 200, 600, 500), journal);
    b1 = AddRecordingChild(*b, "b1", TRect(0, 0, 100, 100), journal);
    hidden = AddRecordingChild(*root, "hidden", TRect(0, 0, 800, 600), journal);
    h1 = AddRecordingChild(*hidden, "h1", TRect(0, 0, 50, 50), journal);
    hidden->ClearFlags(kWindowVisible);
    Settle();
  }

  // Draws what is dirty and forgets the calls.
  void Settle() {
    manager.Frame();
    platform.journal.Clear();
  }

  std::vector<std::string> Calls() const { return platform.Calls(); }

  FakePlatform platform;
  TWindowManager manager;
  TScreen* root = nullptr;
  RecordingWindow* a = nullptr;
  RecordingWindow* a1 = nullptr;
  RecordingWindow* a2 = nullptr;
  RecordingWindow* b = nullptr;
  RecordingWindow* b1 = nullptr;
  RecordingWindow* hidden = nullptr;
  RecordingWindow* h1 = nullptr;
};
