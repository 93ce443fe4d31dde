#pragma once

#include <memory>

#include "tests/support/FakePlatform.h"
#include "windows/kinds/TScreen.h"
#include "windows/core/TWindowManager.h"

// A window manager with an 800 x 600 root screen on the tests' fake platform
// face, which records nothing here and draws nothing.
struct BenchScreen {
  BenchScreen() {
    platform.recording = false;
    platform.windowManager = &manager;
    auto screen = std::make_unique<TScreen>();
    root = screen.get();
    manager.SetRootWindow(std::move(screen));
  }

  FakePlatform platform;
  TWindowManager manager;
  TScreen* root = nullptr;
};

// Links a new window of the kind in front of the parent's children.
template <class Window = TWindow>
TWindow* AddBenchChild(TWindow& parent, const TRect& rect) {
  std::unique_ptr<TWindow> child = std::make_unique<Window>();
  TWindow* added = child.get();
  child->SetPosition(rect.left, rect.top);
  child->SetSize(rect.Width(), rect.Height());
  parent.AddChild(child, false);
  return added;
}
