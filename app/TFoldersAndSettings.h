#pragma once

#include <map>

#include "platform/text/TString.h"

// The platform object's folders, its version text and its settings map. Main
// thread only.
class TFoldersAndSettings {
 public:
  // Reads where the program file lies and the folder the program was started in.
  void ReadProgramFolders();
  // The data folders: the product's folder of the user and the one shared by
  // all users, made when missing; a shared folder that cannot be made is the
  // user's own, and a user folder that cannot be made is the program folder.
  // With inProgramFolder (the game runs inside a host window) both are the
  // program folder.
  void SetUpDataFolders(const TString& product, bool inProgramFolder);
  // The settings a start begins with, written straight into the map without
  // the side effects of SetSetting: the install and start folders and the
  // cheat code, then "settings.xml", then the "options=" of the command line.
  void ReadStartSettings(const char* commandLine);

  // A missing key reads as "". Storing "encryptionkey" also works out
  // "cheatmode" from "cheatcode" and "computerid".
  void SetSetting(const TString& key, const TString& value);
  TString GetSetting(const TString& key) const;
  // Only numeric text counts: "1" is true, "true" is false.
  bool GetSettingBool(const TString& key) const;

  TString mAssetsFolder;
  TString mProgramFolder;
  TString mProgramPath;
  TString mUserFolder;
  TString mCommonFolder;
  TString mVersionText;
  TString mStartupFolder;
  std::map<TString, TString> mSettings;
};
