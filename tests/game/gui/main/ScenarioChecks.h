#pragma once

#include <string>

#include "tests/support/game/GameDriver.h"
#include "windows/core/TWindow.h"
#include "windows/kinds/TText.h"

// What the scenarios of the game's screens read back from the running game.

// The text shown on the window's "label" child, or "" without one.
inline std::string LabelOf(TWindow* window) {
  TText* label = window ? TText::Cast(window->FindChild("label")) : nullptr;
  return label ? label->GetLabel().CStr() : "";
}

// The text of a text window, or "" for any other window.
inline std::string TextOf(TWindow* window) {
  TText* text = TText::Cast(window);
  return text ? text->GetLabel().CStr() : "";
}

// The player closes the game's window; the game must end with no problem in its log.
inline void CloseWithACleanLog(GameDriver& driver) {
  driver.RequestClose();
  driver.WaitForEnd();
  driver.Check(driver.ProblemsInLog().empty(), "the log reports problems:\n" + driver.ProblemsInLog());
}
