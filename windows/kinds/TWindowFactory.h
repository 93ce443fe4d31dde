#pragma once

#include <memory>

class TWindow;
class TWindowStyle;

// Makes the windows of one kind for scripted creation; the window manager
// keeps one per kind name.
class TWindowFactory {
 public:
  virtual ~TWindowFactory() = default;
  virtual std::unique_ptr<TWindow> Create(const TWindowStyle& style) = 0;
};

// Makes a new window of one registered window type; null makes none.
using TWindowCreator = std::unique_ptr<TWindow> (*)();
