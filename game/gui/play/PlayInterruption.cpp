#include "game/gui/play/PlayInterruption.h"

#include "game/gui/play/TArcadeWindow.h"
#include "windows/core/TWindowManager.h"

namespace GUI {

namespace {

// The button code of a right press.
constexpr int32_t kCaptureLossButton = 1;

}  // namespace

void InterruptPlay(const TEvent& event, TWindowManager& manager) {
  if (event.type != kEventActivation && event.type != kEventMouseLost) return;
  if (!TArcadeWindow::AreGameClocksRunning()) return;
  TArcadeWindow* playWindow = TArcadeWindow::Cast(manager.GetFocus());
  if (!playWindow) return;
  if (event.type == kEventActivation) {
    playWindow->PressPauseButton();
  } else {
    playWindow->OnMouseButton(kCaptureLossButton, 0, 0);
  }
}

}  // namespace GUI
