#pragma once

#include <sstream>
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

// The level data's branch brings the tuning labels and the medal targets;
// until it has landed, their absence is the one problem the log may report.
inline std::string UnexpectedProblems(GameDriver& driver) {
  static constexpr const char* kLevelDataToCome[] = {"'Full Screen'", "'Enable Time Mode'", "levels/scores.xml"};
  std::istringstream problems(driver.ProblemsInLog());
  std::string unexpected;
  std::string line;
  while (std::getline(problems, line)) {
    bool toCome = false;
    for (const char* name : kLevelDataToCome) toCome = toCome || line.find(name) != std::string::npos;
    if (!toCome) unexpected += line + "\n";
  }
  return unexpected;
}
