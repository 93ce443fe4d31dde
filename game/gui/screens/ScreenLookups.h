#pragma once

class TModalWindow;
class TWindow;
class TWindowManager;

namespace GUI {

// The platform's window manager, or null before there is one.
TWindowManager* ScreenWindowManager();
// The modal window on top, or null when the top is no modal window.
TModalWindow* ScreenTopModal();
// A window of that name in the dialog the window sits in (its parent), or
// below the window itself when it has no parent.
TWindow* FindInDialog(TWindow& window, const char* name);

}  // namespace GUI
