#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "game/gui/main/TGameApp.h"
#include "platform/prefs/TPrefs.h"
#include "platform/text/Log.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TestFileLayer.h"

// A started game with its own enciphered preference file, a fresh player
// "Web" and a log of its own, for the saved progress of the current player.
class ProgressRig : public testing::Test {
 protected:
  ProgressRig() {
    SetLogFolder(mLogs.Path().c_str());
    platform.SetSetting("encryptionkey", TGameApp::kEncryptionKey);
    app.Init("");
  }
  ~ProgressRig() override {
    app.SetGameMode(false, true);
    app.SetCountMode(true);
    app.Shutdown();
    platform.stringTable = nullptr;
  }

  TPrefs& Prefs() { return *app.GetPrefs(); }
  int32_t Player() { return app.GetCurrentUser(); }

  std::vector<uint8_t> Entry(const char* name, int32_t player = -2) {
    if (player == -2) player = Player();
    int size = Prefs().GetData(name, nullptr, 0, player);
    if (size <= 0) return {};
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    Prefs().GetData(name, bytes.data(), size, player);
    return bytes;
  }
  void SetEntry(const char* name, const std::vector<uint8_t>& bytes) {
    Prefs().SetData(name, bytes.data(), static_cast<int>(bytes.size()), Player(), false);
  }

  // How many lines of the log hold the text.
  size_t LogLinesWith(const std::string& text) const {
    std::string log = ReadWholeFile(GetLogPath().CStr());
    size_t count = 0;
    for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) ++count;
    return count;
  }

  TempFolder mLogs;
  TestFileLayer files;
  FakePlatform platform;
  TGameApp& app = TGameApp::Instance();
};
