#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "online/TVqHiscores.h"
#include "platform/text/Log.h"
#include "system/os/DynamicLibrary.h"
#include "tests/online/HiscoreRig.h"
#include "tests/support/TestFileLayer.h"
#include "tests/support/servlet/ServletDouble.h"

// A hiscore client that found the local server double beside the program;
// the test holds the double too, to script it and read its journal.
class ServletRig : public testing::Test {
 protected:
  ServletRig() { SetLogFolder(mLogs.Path().c_str()); }

  void SetUp() override {
    ASSERT_TRUE(mDouble.Open("vqservlet_stub.dll"));
    Script(0, nullptr);
    client = std::make_unique<TVqHiscores>("quorvane", "1.0", true);
    client->SetParameter(TVqHiscores::kGameMode, "quorvane_gamemode_adv");
    client->SetParameter(TVqHiscores::kPlayerName, "Pia");
  }

  void Script(int32_t status, const char* contents) {
    reinterpret_cast<ServletDoubleScriptFn*>(mDouble.Symbol(kServletDoubleScript))(status, contents);
  }
  std::string Journal() const {
    return reinterpret_cast<ServletDoubleJournalFn*>(mDouble.Symbol(kServletDoubleJournal))();
  }
  std::string LogText() const { return ReadWholeFile(GetLogPath().CStr()); }

  int32_t Update(std::string* error = nullptr, bool* scoreFlag = nullptr) {
    char text[128] = "untouched";
    const int32_t result = client->Update(text, sizeof text, scoreFlag);
    if (error) *error = text;
    return result;
  }

  TempFolder mLogs;
  TestFileLayer files;
  HiscoreKeySetting key;
  sys::DynamicLibrary mDouble;  // before the client, which must go first
  std::unique_ptr<TVqHiscores> client;
};
