#pragma once

#include <memory>

#include "platform/types/TClassId.h"
#include "windows/core/TWindow.h"

namespace GUI {

// The options dialog: it fades in, shows the display mode and the sound
// switch on its two check boxes and the volumes on its two sliders, and
// turns slider movements into live volume changes. Saving is the script's.
class TOptionWindow final : public TWindow {
 public:
  static TClassId ClassId();
  // For the window manager's table of window types.
  static std::unique_ptr<TWindow> Create();

  bool IsKindOf(TClassId id) const override;
  void PostCreate() override;
  // Takes only the sliders' change messages; the rest go on to the script.
  bool HandleMessage(TMessage& message) override;
};

}  // namespace GUI
