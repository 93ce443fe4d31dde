#pragma once

#include <cstdlib>
#include <string>

#include "game/gui/effects/TGraphicRegistry.h"
#include "system/gfx/PicturePng.h"
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

// Leaves through the menu's "Quit" and checks that the run logged no problem.
inline void QuitThroughTheMenu(GameDriver& driver) {
  driver.Click("quitButton");
  driver.WaitForEnd();
  driver.Check(driver.ProblemsInLog().empty(), "the log reports problems:\n" + driver.ProblemsInLog());
}

// The main menu once the pictures are in, by its "Play". The menu a start
// opens before them makes way for the loading screen at once, yet a pass
// may still find it.
inline TWindow* WaitForLoadedMenu(GameDriver& driver) {
  for (int pass = 0; pass < GameDriver::kPatience && !GUI::TGraphicRegistry::Instance().IsComplete(); ++pass) {
    driver.Pass();
  }
  return driver.WaitForWindow("playButton");
}

// With QUORVANE_FRAME_CAPTURE naming a folder, the frame shown is written
// there as a PNG of the name given.
inline void CaptureScenarioFrame(GameDriver& driver, const char* name) {
  const char* folder = std::getenv("QUORVANE_FRAME_CAPTURE");
  if (folder) sys::gfx::WritePicturePng(driver.ShownPicture(), std::string(folder) + "/" + name);
}
