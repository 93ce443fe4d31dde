#pragma once

#include <memory>

#include "tests/support/SyntheticFont.h"
#include "tests/support/windows/RecordingWindowScript.h"
#include "tests/windows/core/WindowTree.h"
#include "windows/kinds/TModalWindow.h"

// The small window tree with the synthetic fonts, a recording script and a
// dialog of 400 x 300 pushed over the root, drawn once: where text windows
// and text edits are tested.
struct TextDialogTree : WindowTree {
  TextDialogTree() {
    fonts.InstallOn(platform);
    auto recording = std::make_unique<RecordingWindowScript>();
    script = recording.get();
    manager.SetScript(std::move(recording));
    auto owned = std::make_unique<TModalWindow>();
    dialog = owned.get();
    dialog->SetSize(400, 300);
    manager.PushModal(std::move(owned));
    Settle();
  }

  // Links the window in front of the parent's children, running its Init.
  template <class Window>
  Window* Add(TWindow& parent, std::unique_ptr<Window> owned) {
    Window* added = owned.get();
    std::unique_ptr<TWindow> child = std::move(owned);
    parent.AddChild(child, true);
    return added;
  }

  SyntheticFonts fonts;
  RecordingWindowScript* script = nullptr;
  TModalWindow* dialog = nullptr;
};
