#pragma once

#include <memory>

#include "platform/types/TClassId.h"
#include "windows/core/TWindow.h"

namespace GUI {

// A screen of the game that fades its children in as it opens.
class TFadeInWindow : public TWindow {
 public:
  static TClassId ClassId();
  // For the window manager's table of window types.
  static std::unique_ptr<TWindow> Create();

  bool IsKindOf(TClassId id) const override;
  void PostCreate() override;
};

// The credits: they fade in and show the program's version on their
// "VersionNumber" text, when the layout has one.
class TCreditWindow final : public TFadeInWindow {
 public:
  static TClassId ClassId();
  static std::unique_ptr<TWindow> Create();

  bool IsKindOf(TClassId id) const override;
  void PostCreate() override;
};

}  // namespace GUI
