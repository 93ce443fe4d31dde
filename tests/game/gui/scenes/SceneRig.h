#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/gui/effects/IGraphic.h"
#include "game/gui/scenes/ScriptAnimLoader.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "platform/file/FileIndex.h"
#include "platform/text/Log.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFileLayer.h"

namespace GUI {

// Scene files the test writes, loaded without a display, drawn on a fake
// game clock.
class SceneRig : public testing::Test {
 protected:
  SceneRig() { SetLogFolder(mLogs.Path().c_str()); }
  ~SceneRig() override { GamePlay::TClockProxyRegistry::Instance().ResumeAll(); }

  // Writes the text as the scene file "backgrounds/<name>.lua" and loads it.
  std::shared_ptr<ScriptAnim::TAnimations> LoadScene(const std::string& text, const std::string& name = "test") {
    const std::string fileName = "backgrounds/" + name + ".lua";
    files.WriteAsset(fileName, text);
    BuildFileIndex();
    return ScriptAnim::LoadScriptAnimations(fileName.c_str(), graphics);
  }
  // A scene of one layer with the given entries.
  std::shared_ptr<ScriptAnim::TAnimations> LoadLayer(const std::string& entries) {
    return LoadScene("Animations = { { filename = 'pic', " + entries + " } }");
  }
  // Moves game time on to `at` milliseconds after the first draw and draws.
  void DrawAt(ScriptAnim::TAnimations& scene, uint32_t at) {
    clock.Advance(at - mNow);
    mNow = at;
    scene.Draw(1.0f);
  }
  std::string LogText() const { return ReadWholeFile(GetLogPath().CStr()); }

  FakePlatform platform;
  FakeClock clock;
  TestFileLayer files;
  std::vector<std::shared_ptr<IGraphic>> graphics;

 private:
  TempFolder mLogs;
  uint32_t mNow = 0;
};

}  // namespace GUI
