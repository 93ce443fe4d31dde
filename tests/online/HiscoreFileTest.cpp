#include "online/HiscoreFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "online/THiscoreImpl.h"
#include "platform/crypto/TStringCipher.h"
#include "platform/text/Log.h"
#include "tests/online/HiscoreFileRig.h"
#include "tests/online/HiscoreRig.h"
#include "tests/support/DiskFaults.h"
#include "tests/support/LayerLogCapture.h"
#include "tests/support/TestFileLayer.h"

namespace {

constexpr char kChecksumLine[] = "HiScores: Checksum did not match! Ignoring saved score data.";
constexpr char kDamagedLine[] = "HiScores: The saved score data is damaged";

// Every field of what the file keeps, one line each.
std::vector<std::string> KeptContents(const THiscoreImpl& hiscores) {
  std::vector<std::string> lines;
  for (const auto& [player, account] : hiscores.accounts) {
    lines.push_back(std::string("user ") + player.CStr() + "|" + account.playerName.CStr() + "|" +
                    account.accountName.CStr() + "|" + account.password.CStr());
  }
  for (const auto& [mode, list] : hiscores.localLists) {
    lines.push_back(std::string("list ") + mode.CStr() + "|" + list.name.CStr());
    for (const THiscoreRecord& r : list.records) {
      lines.push_back(std::to_string(r.rank) + "|" + std::to_string(r.score) + "|" + r.playerName.CStr() +
                      "|" + r.gameData.CStr() + "|" + r.serverData.CStr() + "|" + r.version.CStr() + "|" +
                      std::to_string(r.anonymous) + std::to_string(r.submitted) + "|" + r.guid.CStr());
    }
  }
  return lines;
}

class HiscoreFileTest : public testing::Test {
 protected:
  HiscoreFileTest() { SetLogFolder(mLogs.Path().c_str()); }

  // A client record that has read the file as it is now.
  std::vector<std::string> Loaded() {
    THiscoreImpl reader(kHiscoreTestKey, true);
    reader.Load();
    return KeptContents(reader);
  }

  std::string FileBytes() const { return ReadWholeFile(files.UserPath("hiscore.dat")); }
  void WriteFile(const std::string& bytes) const { files.Write("user/hiscore.dat", bytes); }
  std::string LogText() const { return ReadWholeFile(GetLogPath().CStr()); }

  TempFolder mLogs;
  TestFileLayer files;
  HandMadeHiscoreFile hand;
};

TEST_F(HiscoreFileTest, WhatIsSavedLoadsBackTheSame) {
  THiscoreImpl writer(kHiscoreTestKey, true);
  FillSampleHiscores(&writer);
  writer.Save();
  const std::vector<std::string> loaded = Loaded();
  EXPECT_EQ(loaded, KeptContents(writer));
  EXPECT_EQ(loaded.size(), 8u) << "two accounts, two lists, four rows";
}

TEST_F(HiscoreFileTest, ASmallFileHasTheBytesWorkedOutByHand) {
  THiscoreImpl writer(kHiscoreTestKey, true);
  writer.accounts["Ann"] = {"Ann", "ann_online", "pw"};
  THiscoreRecord row = HiscoreRow(1, 300, "Ann", "0123456789abcdef0123456789abcdef");
  row.version = "1.0";
  row.submitted = true;
  writer.localLists["adv"].name = "adv";
  writer.localLists["adv"].records = {row};
  writer.Save();
  const std::string document =
      "<?xml version=\"1.0\"?>\n"
      "<user\n    player=\"Ann\"\n    name=\"ann_online\"\n    pass=\"pw\">\n</user>\n"
      "<score\n    name=\"adv\">\n"
      "    <row\n        rank=\"1\"\n        score=\"300\"\n        submit=\"1\"\n"
      "        guid=\"0123456789abcdef0123456789abcdef\"\n        name=\"Ann\"\n        version=\"1.0\">\n"
      "    </row>\n"
      "</score>\n";
  EXPECT_EQ(FileBytes(), hand.File(document));
}

TEST_F(HiscoreFileTest, TheChecksumFollowsEveryByte) {
  const uint8_t bytes[] = {0x01, 0x02, 0x03, 0x04, 0x10, 0x20, 0xFF};
  EXPECT_EQ(HiscoreChecksum(bytes, 0), 0u);
  EXPECT_EQ(HiscoreChecksum(bytes, 4), 0x04030201u);
  EXPECT_EQ(HiscoreChecksum(bytes, 7), 0x04030201u ^ 0x00FF2010u);
}

TEST_F(HiscoreFileTest, AFlippedByteFailsTheChecksumAndLoadsNothing) {
  THiscoreImpl writer(kHiscoreTestKey, true);
  FillSampleHiscores(&writer);
  writer.Save();
  const std::string good = FileBytes();
  for (size_t at : {size_t{0}, good.size() / 2, good.size() - 9, good.size() - 8, good.size() - 1}) {
    SCOPED_TRACE(at);
    SetLogFolder(mLogs.Path().c_str());
    std::string bad = good;
    bad[at] ^= 0x20;
    WriteFile(bad);
    EXPECT_TRUE(Loaded().empty());
    EXPECT_NE(LogText().find(kChecksumLine), std::string::npos);
  }
}

TEST_F(HiscoreFileTest, AFileOfEightBytesOrLessIsIgnoredSilently) {
  for (size_t size : {0, 1, 7, 8}) {
    SCOPED_TRACE(size);
    WriteFile(hand.File("<x/>").substr(0, size));
    EXPECT_TRUE(Loaded().empty());
  }
  EXPECT_EQ(LogText().find("HiScores"), std::string::npos);
}

// Files whose checksum holds (anyone can make one) but whose deciphered
// text cannot be read safely.
TEST_F(HiscoreFileTest, ADamagedTextIsIgnoredWithALine) {
  const std::string text = "<?xml version=\"1.0\"?>\n<user player=\"Ann\" name=\"a\" pass=\"b\"/>";
  const std::string withZero = text + std::string(1, '\0');
  struct Case {
    const char* what;
    std::string cipherText;
    const char* fault;
  };
  const Case cases[] = {
      {"a last byte of 0", hand.Enciphered(withZero + std::string(8 - withZero.size() % 8, '\0')),
       "its padding is wrong"},
      {"a last byte above 8", hand.Enciphered(withZero + std::string(8 - withZero.size() % 8, '\x09')),
       "its padding is wrong"},
      {"a last byte of 200", hand.Enciphered(withZero + std::string(8 - withZero.size() % 8, '\xC8')),
       "its padding is wrong"},
      {"a length no multiple of 8", hand.Enciphered(hand.Padded(withZero)) + "abc",
       "its length is no multiple of 8"},
      {"no terminating zero", hand.Enciphered(hand.Padded(text)), "its text has no end"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetLogFolder(mLogs.Path().c_str());
    WriteFile(hand.WithTrailer(c.cipherText));
    EXPECT_TRUE(Loaded().empty());
    EXPECT_NE(LogText().find(std::string(kDamagedLine) + " (" + c.fault + ")"), std::string::npos)
        << LogText();
    EXPECT_EQ(LogText().find(kChecksumLine), std::string::npos);
  }
  WriteFile(hand.WithTrailer(hand.Enciphered(hand.Padded(withZero))));
  EXPECT_EQ(Loaded(), std::vector<std::string>{"user Ann|Ann|a|b"}) << "the same text whole";
}

TEST_F(HiscoreFileTest, ReadingKeepsAListToFiveHundredRows) {
  std::string document = "<?xml version=\"1.0\"?>\n<score name=\"adv\">";
  for (int i = 1; i <= 600; ++i) {
    document += "<row rank=\"" + std::to_string(i) + "\" score=\"" + std::to_string(1000 - i) + "\"/>";
  }
  document += "</score><score name=\"zen\"></score>";
  WriteFile(hand.File(document));
  THiscoreImpl reader(kHiscoreTestKey, false);
  reader.Load();
  ASSERT_EQ(reader.localLists.size(), 1u) << "a score without rows makes no list";
  const THiscoreList& list = reader.localLists["adv"];
  ASSERT_EQ(list.records.size(), 500u);
  EXPECT_EQ(list.records.back().rank, 500) << "the first 500 kept";
  EXPECT_EQ(list.records.back().score, 500);
}

TEST_F(HiscoreFileTest, RowAttributesReadAsThirtyTwoBitNumbersAndTexts) {
  struct Case {
    const char* what;
    const char* row;
    std::string read;  // rank|score|player|game data|server data|version|anonymous submitted|guid
  };
  const Case cases[] = {
      {"nothing but a row", "<row/>", "0|0|||||10|"},
      {"numbers beyond 32 bits", "<row rank=\"99999999999\" score=\"-99999999999\" submit=\"7\"/>",
       "2147483647|-2147483648|||||11|"},
      {"numbers far beyond 64 bits",
       "<row rank=\"-999999999999999999999999\" score=\"999999999999999999999999\"/>",
       "-2147483648|2147483647|||||10|"},
      {"no numbers", "<row rank=\"one\" score=\"\" submit=\"yes\"/>", "0|0|||||10|"},
      {"submit 0", "<row submit=\"0\" guid=\"g\" name=\"N\" gameData=\"d\" serverData=\"s\" version=\"v\"/>",
       "0|0|N|d|s|v|10|g"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteFile(hand.File(std::string("<score name=\"m\">") + c.row + "</score>"));
    EXPECT_EQ(Loaded(), (std::vector<std::string>{"list m|m", c.read}));
  }
}

TEST_F(HiscoreFileTest, AFailedWriteLeavesTheOldFileWhole) {
  THiscoreImpl writer(kHiscoreTestKey, true);
  FillSampleHiscores(&writer);
  writer.Save();
  const std::string before = FileBytes();
  LayerLogCapture layerLog;
  for (sys::DiskOperation operation :
       {sys::DiskOperation::kOpenToWrite, sys::DiskOperation::kFlush, sys::DiskOperation::kRename}) {
    DiskFaults faults;
    faults.Fail(operation, "hiscore.dat", ENOSPC);
    writer.playerName = "Ann";
    writer.gameMode = "quorvane_gamemode_zen";
    writer.AddLocalScore(5, false, "", "");
    EXPECT_GT(faults.Injected(), 0);
    EXPECT_EQ(FileBytes(), before);
  }
}

TEST_F(HiscoreFileTest, WithoutAKeyNothingIsWritten) {
  WriteFile("kept from a run with a key");
  THiscoreImpl writer("", true);
  FillSampleHiscores(&writer);
  writer.Save();
  EXPECT_EQ(FileBytes(), "kept from a run with a key");
}

}  // namespace
