#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "system/gfx/PicturePng.h"
#include "tests/support/BuiltDataFolder.h"
#include "tests/support/TempFolder.h"
#include "tests/support/game/GameDriver.h"

// A copy of the built data folder in a temporary program folder, for a
// scenario to change before the game starts over it.
class CopiedGameData {
 public:
  CopiedGameData() {
    std::filesystem::copy(std::filesystem::path(BuiltDataFolder::ProgramFolder()) / "assets", Assets(),
                          std::filesystem::copy_options::recursive);
  }

  std::string ProgramFolder() const { return mFolder.Path(); }
  std::filesystem::path Assets() const { return std::filesystem::path(mFolder.Path()) / "assets"; }

 private:
  TempFolder mFolder;
};

// With QUORVANE_FRAME_CAPTURE naming a folder, the frame shown is written
// there as a PNG of the name given.
inline void CaptureScenarioFrame(GameDriver& driver, const char* name) {
  const char* folder = std::getenv("QUORVANE_FRAME_CAPTURE");
  if (folder) sys::gfx::WritePicturePng(driver.ShownPicture(), std::string(folder) + "/" + name);
}
