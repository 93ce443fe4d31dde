#include "app/TFoldersAndSettings.h"

#include <string>

#include "app/CommandLine.h"
#include "platform/crypto/TStringCipher.h"
#include "platform/file/FileIndex.h"
#include "platform/text/Log.h"
#include "platform/xml/TXmlNode.h"
#include "system/os/Folders.h"
#include "system/os/Paths.h"

namespace {

constexpr char kVendorFolder[] = "Velmartis";
constexpr char kSettingsFile[] = "settings.xml";

// The product's data folder below a root, made when missing; "" when it
// cannot be made.
TString DataFolder(const std::string& root, const TString& product) {
  if (root.empty() || product.IsEmpty()) return "";
  std::string folder = root + "/" + kVendorFolder + "/" + product.CStr();
  return sys::MakeFolders(folder) ? TString(folder.c_str()) : TString("");
}

// Every child of the element "settings" of "settings.xml" is one setting. A
// missing file changes nothing; one that is there but cannot be read (or
// holds no "settings" element) changes nothing either, and says so.
void ReadSettingsFile(std::map<TString, TString>& settings) {
  if (!FileExists(kSettingsFile)) return;
  TXmlNode document;
  TXmlNode* list = document.ParseFile(kSettingsFile) ? document.GetChild("settings") : nullptr;
  if (!list) {
    LogPrintf("The settings file \"%s\" could not be read: the default settings stand",
              ResolvePath(kSettingsFile).CStr());
    return;
  }
  TString name;
  TXmlNode* child = nullptr;
  list->BeginChildren();
  while (list->NextChild(&name, &child)) settings[name] = child->GetText();
}

}  // namespace

void TFoldersAndSettings::ReadProgramFolders() {
  mProgramPath = sys::ProgramPath().c_str();
  mProgramFolder = GetProgramFolder();
  mStartupFolder = sys::CurrentFolder().c_str();
  mAssetsFolder = mProgramFolder + "/assets";
}

void TFoldersAndSettings::SetUpDataFolders(const TString& product, bool inProgramFolder) {
  mUserFolder = mProgramFolder;
  mCommonFolder = mProgramFolder;
  if (inProgramFolder) return;
  TString user = DataFolder(sys::UserDataRoot(), product);
  if (!user.IsEmpty()) mUserFolder = user;
  TString common = DataFolder(sys::CommonDataRoot(), product);
  mCommonFolder = common.IsEmpty() ? mUserFolder : common;
}

void TFoldersAndSettings::ReadStartSettings(const char* commandLine) {
  mSettings["installkey"] = mProgramFolder;
  mSettings["startupdir"] = mStartupFolder;
  if (HasSwitch(commandLine, "--cheat")) mSettings["cheatcode"] = ReadCheatCode(commandLine);
  ReadSettingsFile(mSettings);
  ReadOptions(commandLine, mSettings);
}

void TFoldersAndSettings::SetSetting(const TString& key, const TString& value) {
  mSettings[key] = value;
  if (key != "encryptionkey") return;
  TStringCipher cipher(value);
  bool cheating = cipher.DecryptString(GetSetting("cheatcode")) == GetSetting("computerid");
  mSettings["cheatmode"] = cheating ? "1" : "0";
}

TString TFoldersAndSettings::GetSetting(const TString& key) const {
  auto found = mSettings.find(key);
  return found == mSettings.end() ? TString("") : found->second;
}

bool TFoldersAndSettings::GetSettingBool(const TString& key) const { return GetSetting(key).ToInt() != 0; }
