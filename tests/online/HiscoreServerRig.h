#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <regex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "online/THiscoreImpl.h"
#include "online/TVqHiscores.h"
#include "platform/text/Log.h"
#include "tests/online/HiscoreRig.h"
#include "tests/support/TestFileLayer.h"
#include "tools/hiscore/HiscoreServer.h"

// A hiscore client of the game "quorvane" talking to our own service on the
// loopback address, in a score file of its own, with the log captured.

inline constexpr char kServedGame[] = "quorvane";
inline constexpr char kServedMode[] = "quorvane_gamemode_adv";

// Name and value pairs of an element's attributes in the order written.
using HiscoreAttributes = std::vector<std::pair<std::string, std::string>>;

inline HiscoreAttributes AttributesOfElement(const std::string& document, const std::string& element) {
  const size_t start = document.find("<" + element);
  const std::string startTag = document.substr(start, document.find('>', start) - start);
  HiscoreAttributes attributes;
  static const std::regex attribute("\\s([A-Za-z]+)=\"([^\"]*)\"");
  for (std::sregex_iterator it(startTag.begin(), startTag.end(), attribute), end; it != end; ++it) {
    attributes.emplace_back((*it)[1].str(), (*it)[2].str());
  }
  return attributes;
}

class HiscoreServerRig : public testing::Test {
 protected:
  static constexpr auto kPatience = std::chrono::seconds(20);

  HiscoreServerRig() {
    SetLogFolder(mLogs.Path().c_str());
    server.Service().AddGame(kServedGame, kHiscoreTestKey);
  }

  void SetUp() override {
    ASSERT_TRUE(server.IsListening());
    StartClient();
  }

  // A fresh client over the score file as it is now, player "Pia".
  void StartClient() {
    client.reset();
    client = std::make_unique<TVqHiscores>(kServedGame, "1.0", true);
    client->SetServerAddress(server.Address().c_str());
    client->SetParameter(TVqHiscores::kGameMode, kServedMode);
    client->SetParameter(TVqHiscores::kPlayerName, "Pia");
  }

  // A score file whose list of the mode holds these records, and a client on it.
  void StartWithRecords(const std::vector<THiscoreRecord>& records) {
    {
      THiscoreImpl writer(kHiscoreTestKey, true);
      THiscoreList& list = writer.localLists[kServedMode];
      list.name = kServedMode;
      list.records = records;
      writer.Save();
    }
    StartClient();
  }

  // Polls Update as the hiscore windows do until the request has ended.
  int32_t Finish(std::string* error = nullptr, bool* scoreFlag = nullptr) {
    char text[256] = "untouched";
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    int32_t result = TVqHiscores::kPending;
    while ((result = client->Update(text, sizeof text, scoreFlag)) == TVqHiscores::kPending &&
           std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (error) *error = text;
    return result;
  }

  // The query string of the last request the server received.
  std::string LastQuery() const {
    std::vector<RecordedRequest> requests = server.Requests();
    return requests.empty() ? "" : requests.back().query;
  }

  std::string LogText() const { return ReadWholeFile(GetLogPath().CStr()); }

  TempFolder mLogs;
  TestFileLayer files;
  HiscoreKeySetting key;
  HiscoreServer server;
  std::unique_ptr<TVqHiscores> client;
};
