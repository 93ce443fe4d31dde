#include "windows/TModalWindow.h"

TClassId TModalWindow::ClassId() {
  static const char id = 0;
  return &id;
}

TModalWindow::TModalWindow() { AddFlags(kWindowDialogBoundary | kWindowFocusable); }

bool TModalWindow::IsKindOf(TClassId id) const { return id == ClassId() || TWindow::IsKindOf(id); }
