#include "platform/prefs/TPrefs.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/file/FileIndex.h"
#include "platform/text/Log.h"
#include "platform/prefs/SettingsSource.h"
#include "platform/crypto/TStringCipher.h"
#include "platform/xml/TXmlNode.h"
#include "tests/support/DiskFaults.h"
#include "tests/support/LayerLogCapture.h"
#include "tests/support/TestFileLayer.h"

namespace {

constexpr char kKey[] = "S2V5T2ZUaGVHYW1l";
constexpr char kInstall[] = "/opt/quorvane";

std::map<std::string, std::string>& Settings() {
  static std::map<std::string, std::string> settings;
  return settings;
}

TString ReadTestSetting(const TString& key) {
  auto found = Settings().find(key.CStr());
  return found == Settings().end() ? TString("") : TString(found->second.c_str());
}

// The checksum of the enciphered file's format: each byte, unsigned, XORed in
// at byte position i mod 4 of a 32-bit word.
uint32_t Checksum(const std::string& text) {
  uint32_t sum = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    sum ^= static_cast<uint32_t>(static_cast<unsigned char>(text[i])) << (8 * (i % 4));
  }
  return sum;
}

// The same with each byte sign-extended first, which differs from byte 128 up.
uint32_t SignExtendedChecksum(const std::string& text) {
  uint32_t sum = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    sum ^= static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(text[i])))
           << (8 * (i % 4));
  }
  return sum;
}

// An enciphered preference file written by hand from its format.
std::string EncipheredFile(const std::string& document, uint32_t checksum) {
  TString cipherText = TStringCipher(kKey).EncryptString(document.c_str());
  return std::string("<>\n<data1 data=\"") + cipherText.CStr() + "\"></data1>\n<data2 data=\"" +
         std::to_string(static_cast<int32_t>(checksum)) + "\"></data2>\n</>\n" + std::string(1, '\0');
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  size_t at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

class TPrefsTest : public testing::Test {
 protected:
  void SetUp() override {
    SetLogFolder(mLogs.Path().c_str());
    Settings() = {{"encryptionkey", kKey}, {"installkey", kInstall}};
    SetSettingsReader(ReadTestSetting);
  }
  void TearDown() override {
    SetSettingsReader(nullptr);
    Settings().clear();
  }

  std::string LogText() const { return ReadWholeFile(GetLogPath().CStr()); }
  std::string PrefsPath() const { return mFiles.UserPath("prefs.dat"); }
  std::string FileBytes() const { return ReadWholeFile(PrefsPath()); }
  bool FileThere() const { return std::filesystem::exists(PrefsPath()); }

  // The document inside the enciphered file, checked against the file's format.
  std::string SavedDocument() const {
    std::string bytes = FileBytes();
    EXPECT_TRUE(!bytes.empty() && bytes.back() == '\0') << "the file ends with a zero byte";
    TXmlNode file;
    file.ParseString(bytes.data(), bytes.size());
    TXmlNode* data = file.GetChild("data1");
    TXmlNode* checksum = file.GetChild("data2");
    if (!data || !checksum) {
      ADD_FAILURE() << "data1 or data2 missing in:\n" << bytes;
      return "";
    }
    std::string document = TStringCipher(kKey).DecryptString(data->GetAttribute("data")).CStr();
    EXPECT_EQ(checksum->GetAttribute("data"),
              TString::Format("%d", static_cast<int32_t>(Checksum(document))));
    return document;
  }

  TestFileLayer mFiles;
  TempFolder mLogs;
};

// Every entry survives a save and a fresh load, with or without a key.
class TPrefsRoundTrip : public TPrefsTest, public testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    TPrefsTest::SetUp();
    if (!GetParam()) Settings().erase("encryptionkey");
  }
};

TEST_P(TPrefsRoundTrip, EntriesSurviveSaveAndLoad) {
  const std::vector<std::string> texts = {
      "plain", "Zo\xEB & \xFF\x80 caf\xE9", "<tag attr=\"q\" other='a'>", "two\nlines\tand tab",
      "  padded  ", "%d %s"};
  std::string allBytes;
  for (int b = 0; b < 256; ++b) allBytes += static_cast<char>(b);
  {
    TPrefs prefs(true);
    for (size_t i = 0; i < texts.size(); ++i) {
      prefs.SetValue(TString::Format("text%zu", i), texts[i].c_str(), -1, false);
      prefs.SetValue("name", texts[i].c_str(), static_cast<int>(i), false);
    }
    prefs.SetInt("lowest", INT_MIN, -1, false);
    prefs.SetInt("level", 42, 2, false);
    prefs.SetData("bytes", allBytes.data(), static_cast<int>(allBytes.size()), 1, false);
    prefs.Save();
  }
  TPrefs prefs(true);
  ASSERT_EQ(prefs.GetUserCount(), static_cast<int>(texts.size()));
  for (size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(std::string(prefs.GetValue(TString::Format("text%zu", i), "", -1).CStr()), texts[i]);
    EXPECT_EQ(std::string(prefs.GetValue("name", "", static_cast<int>(i)).CStr()), texts[i]);
  }
  EXPECT_EQ(prefs.GetInt("lowest", 0, -1), INT_MIN);
  EXPECT_EQ(prefs.GetInt("level", 0, 2), 42);
  EXPECT_EQ(prefs.GetInt("level", -7, 1), -7) << "entries belong to their player";
  std::string read(256, '\0');
  ASSERT_EQ(prefs.GetData("bytes", read.data(), 256, 1), 0);
  EXPECT_EQ(read, allBytes);
}

TEST_P(TPrefsRoundTrip, SavesOnlyWhenAskedAndEnabled) {
  struct Case {
    bool savingEnabled;
    bool saveNow;
    bool written;
  };
  for (const Case& c : {Case{true, true, true}, {true, false, false}, {false, true, false}}) {
    std::filesystem::remove(PrefsPath());
    TPrefs prefs(c.savingEnabled);
    prefs.SetValue("volume", "80", -1, c.saveNow);
    EXPECT_EQ(FileThere(), c.written) << "saving " << c.savingEnabled << ", save now " << c.saveNow;
    if (c.written) {
      EXPECT_EQ(TPrefs(false).GetInt("volume", 0, -1), 80);
    }
  }
  TPrefs disabled(false);
  disabled.Save();
  EXPECT_FALSE(FileThere()) << "a store without saving never writes";
}

INSTANTIATE_TEST_SUITE_P(KeyOrNot, TPrefsRoundTrip, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                           return info.param ? "Enciphered" : "Plain";
                         });

TEST_F(TPrefsTest, WritingAPlayerMakesThePlayersBeforeIt) {
  TPrefs prefs(true);
  EXPECT_EQ(prefs.GetValue("name", "none", 5), "none");
  EXPECT_EQ(prefs.GetUserCount(), 0) << "reading a missing player makes nothing";
  prefs.SetValue("name", "Dee", 3, false);
  EXPECT_EQ(prefs.GetUserCount(), 4);
  for (int player : {0, 1, 2}) EXPECT_EQ(prefs.GetValue("name", "none", player), "none");
  EXPECT_EQ(prefs.GetValue("name", "none", 3), "Dee");
  EXPECT_EQ(prefs.GetValue("name", "none", -1), "none") << "the global section is apart";
  prefs.SetValue("name", "Glob", -9, false);
  EXPECT_EQ(prefs.GetValue("name", "none", -1), "Glob") << "every negative number means global";
}

TEST_F(TPrefsTest, RemovingAPlayerMovesLaterPlayersDown) {
  TPrefs prefs(true);
  for (int player = 0; player < 4; ++player) {
    prefs.SetValue("name", TString::Format("p%d", player), player, false);
  }
  for (int outside : {-1, 4, 100}) {
    prefs.RemoveUser(outside);
    EXPECT_EQ(prefs.GetUserCount(), 4) << outside;
  }
  prefs.RemoveUser(1);
  prefs.Save();
  TPrefs loaded(true);
  ASSERT_EQ(loaded.GetUserCount(), 3);
  const char* expected[] = {"p0", "p2", "p3"};
  for (int player = 0; player < 3; ++player) {
    EXPECT_EQ(loaded.GetValue("name", "", player), expected[player]);
  }
}

TEST_F(TPrefsTest, MissingOrEmptyEntriesGiveTheDefault) {
  TPrefs prefs(true);
  prefs.SetValue("empty", "", -1, false);
  prefs.SetValue("mixed", "12abc", -1, false);
  prefs.SetValue("word", "abc", -1, false);
  EXPECT_EQ(prefs.GetValue("missing", "fallback", -1), "fallback");
  EXPECT_EQ(prefs.GetValue("empty", "fallback", -1), "fallback");
  EXPECT_EQ(prefs.GetInt("empty", 9, -1), 9);
  EXPECT_EQ(prefs.GetInt("missing", -3, 0), -3);
  EXPECT_EQ(prefs.GetInt("mixed", 9, -1), 12) << "leading digits count";
  EXPECT_EQ(prefs.GetInt("word", 9, -1), 0) << "present text without digits is 0, not the default";
}

TEST_F(TPrefsTest, DataEntriesReportTheSizeTheyNeed) {
  TPrefs prefs(true);
  const char bytes[] = {'\x01', '\x00', '\xFE', 'a', 'b'};
  prefs.SetData("blob", bytes, 5, 0, false);
  prefs.SetData("none", bytes, 0, 0, false);
  prefs.SetValue("marker", "=====", 0, false);

  char buffer[8] = {'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x'};
  EXPECT_EQ(prefs.GetData("blob", buffer, 4, 0), 5);
  EXPECT_EQ(std::string(buffer, 8), "xxxxxxxx") << "a short buffer is left alone";
  EXPECT_EQ(prefs.GetData("blob", nullptr, 100, 0), 5);
  EXPECT_EQ(prefs.GetData("blob", buffer, 5, 0), 0);
  EXPECT_EQ(std::string(buffer, 5), std::string(bytes, 5));
  for (const char* missing : {"absent", "none", "marker"}) {
    EXPECT_EQ(prefs.GetData(missing, buffer, 8, 0), -1) << missing;
  }
  EXPECT_EQ(prefs.GetData("blob", buffer, 8, 3), -1) << "a missing player has no data";
}

TEST_F(TPrefsTest, AFreshInstallationIsWrittenAtTheFirstSave) {
  {
    TPrefs prefs(true);
    EXPECT_FALSE(FileThere()) << "loading writes nothing";
    prefs.Save();
  }
  std::string document = SavedDocument();
  EXPECT_NE(document.find(std::string("vqinstallkey=\"") + kInstall + "\""), std::string::npos)
      << document;
}

TEST_F(TPrefsTest, InstallationsKeepSeparateSections) {
  for (const char* install : {"first", "second"}) {
    Settings()["installkey"] = install;
    TPrefs prefs(true);
    EXPECT_EQ(prefs.GetValue("owner", "", -1), "") << install << " starts empty";
    prefs.SetValue("owner", install, -1, false);
    prefs.SetValue("name", install, 0, true);
  }
  for (const char* install : {"first", "second"}) {
    Settings()["installkey"] = install;
    TPrefs prefs(true);
    EXPECT_EQ(prefs.GetValue("owner", "", -1), install);
    EXPECT_EQ(prefs.GetUserCount(), 1) << install;
  }
  Settings().erase("installkey");
  TPrefs unnamed(true);
  unnamed.Save();
  TXmlNode tree;
  tree.ParseString(SavedDocument().c_str());
  std::vector<std::string> keys;
  TString name;
  TXmlNode* child = nullptr;
  for (tree.BeginChildren(); tree.NextChild(&name, &child);) {
    keys.push_back(child->GetAttribute("vqinstallkey").CStr());
  }
  EXPECT_EQ(keys, (std::vector<std::string>{"first", "second", "unknown"}));
}

TEST_F(TPrefsTest, TheInstallFileNamesTheInstallation) {
  for (const char* install : {"older", "newer"}) {
    Settings()["installkey"] = install;
    TPrefs(true).SetValue("owner", install, -1, true);
  }
  Settings()["installkey"] = "from-settings";
  struct Case {
    const char* installFile;  // null: no file
    const char* owner;        // the section that is read
  };
  const Case cases[] = {
      {nullptr, ""},
      {"older", "older"},
      {"", "newer"},  // an empty file adopts the last installation
  };
  for (const Case& c : cases) {
    std::filesystem::remove(mFiles.AssetPath("install.txt"));
    if (c.installFile) mFiles.WriteAsset("install.txt", c.installFile);
    ClearFileIndex();
    BuildFileIndex();
    EXPECT_EQ(TPrefs(false).GetValue("owner", "", -1), c.owner)
        << (c.installFile ? c.installFile : "no file");
  }
}

TEST_F(TPrefsTest, WithoutAKeyTheFileIsThePlainDocument) {
  Settings().erase("encryptionkey");
  TPrefs prefs(true);
  prefs.SetValue("volume", "70", -1, true);
  EXPECT_NE(LogText().find("ERROR: No encryption key set before TPrefs construction!"), std::string::npos);
  std::string bytes = FileBytes();
  ASSERT_FALSE(bytes.empty());
  EXPECT_EQ(bytes.back(), '\0');
  TXmlNode tree;
  tree.ParseString(bytes.c_str());
  TXmlNode* install = tree.GetChild("install");
  ASSERT_NE(install, nullptr) << bytes;
  EXPECT_EQ(install->GetAttribute("vqinstallkey"), kInstall);
  ASSERT_NE(install->GetChild("global"), nullptr) << bytes;
  EXPECT_EQ(install->GetChild("global")->GetAttribute("volume"), "70");
}

TEST_F(TPrefsTest, ADocumentWithBytesFrom128UpPassesItsCheck) {
  std::string document = std::string("<install vqinstallkey=\"") + kInstall +
                         "\"><global name=\"Zo\xEB \xFF\x80\"></global></install>";
  ASSERT_NE(Checksum(document), SignExtendedChecksum(document)) << "the case must tell the two apart";
  mFiles.Write("user/prefs.dat", EncipheredFile(document, Checksum(document)));
  TPrefs prefs(true);
  EXPECT_EQ(prefs.GetValue("name", "", -1), "Zo\xEB \xFF\x80");
  EXPECT_EQ(LogText().find("fail their check"), std::string::npos);
}

TEST_F(TPrefsTest, ADamagedFileGivesAnEmptyStoreAndIsKeptAside) {
  {
    TPrefs prefs(true);
    prefs.SetValue("name", "Ann", 0, false);
    prefs.SetValue("volume", "55", -1, true);
  }
  const std::string good = FileBytes();
  size_t cipherAt = good.find("data=\"", good.find("data1")) + 6 + 20;
  std::string flipped = good;
  flipped[cipherAt] = flipped[cipherAt] == 'A' ? 'B' : 'A';
  TXmlNode parsed;
  parsed.ParseString(good.data(), good.size());
  const std::string storedSum = parsed.GetChild("data2")->GetAttribute("data").CStr();
  const std::string otherSum = std::to_string(std::stoll(storedSum) + 1);
  struct Case {
    const char* damage;
    std::string bytes;
  };
  const Case cases[] = {
      {"one cipher character changed", flipped},
      {"another checksum", Replaced(good, "\"" + storedSum + "\"", "\"" + otherSum + "\"")},
      {"a checksum that is no number", Replaced(good, "\"" + storedSum + "\"", "\"abc\"")},
      {"no data1", Replaced(good, "data1", "datum")},
      {"no data2", Replaced(good, "data2", "datum")},
      {"a plain document",
       std::string("<install vqinstallkey=\"") + kInstall + "\"><global volume=\"1\"></global></install>"},
      {"no XML at all", std::string("\x01\x02 garbage \xFF", 13)},
      {"an empty file", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.damage);
    WriteWholeFile(PrefsPath(), c.bytes);
    std::filesystem::remove(mFiles.UserPath("prefs.dat.bad"));
    {
      TPrefs prefs(true);
      EXPECT_EQ(prefs.GetValue("volume", "none", -1), "none");
      EXPECT_EQ(prefs.GetUserCount(), 0);
      EXPECT_EQ(FileBytes(), c.bytes) << "loading leaves the damaged file alone";
      EXPECT_EQ(ReadWholeFile(mFiles.UserPath("prefs.dat.bad")), c.bytes);
      prefs.SetValue("volume", "60", -1, true);
    }
    EXPECT_EQ(TPrefs(false).GetValue("volume", "none", -1), "60") << "the next save writes a good file";
    EXPECT_EQ(ReadWholeFile(mFiles.UserPath("prefs.dat.bad")), c.bytes) << "the kept copy stays";
  }
  EXPECT_NE(LogText().find("fail their check"), std::string::npos);
}

TEST_F(TPrefsTest, AFailedSaveKeepsTheOldFileLoadable) {
  LayerLogCapture layerLog;
  TPrefs(true).SetValue("volume", "30", -1, true);
  const std::string temporary = mFiles.UserPath("prefs.dat.tmp");
  struct Case {
    const char* obstacle;
    void (*block)(const std::string& temporary);
  };
  const Case cases[] = {
      {"the temporary name is a folder",
       [](const std::string& path) { std::filesystem::create_directory(path); }},
      {"the disk is full",
       [](const std::string& path) { std::filesystem::create_symlink("/dev/full", path); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.obstacle);
    c.block(temporary);
    TPrefs(true).SetValue("volume", "99", -1, true);
    std::filesystem::remove(temporary);
    EXPECT_EQ(TPrefs(false).GetValue("volume", "", -1), "30");
  }
  EXPECT_NE(LogText().find("Cannot save user:prefs.dat"), std::string::npos);
}

TEST_F(TPrefsTest, AFolderThatCannotBeWrittenKeepsTheOldFile) {
  LayerLogCapture layerLog;
  TPrefs(true).SetValue("volume", "30", -1, true);
  {
    DiskFaults faults;
    faults.Fail(sys::DiskOperation::kOpenToWrite, mFiles.UserPath(""), EACCES);
    TPrefs(true).SetValue("volume", "99", -1, true);
    EXPECT_GT(faults.Injected(), 0);
  }
  EXPECT_EQ(TPrefs(false).GetValue("volume", "", -1), "30");
  EXPECT_NE(LogText().find("Cannot save user:prefs.dat"), std::string::npos);
}

}  // namespace
