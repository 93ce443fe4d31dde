#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/text/TString.h"
#include "platform/xml/TXmlNode.h"

// The preference store "user:prefs.dat": named text entries in a global
// section and in numbered player sections, grouped under one "install"
// section per installation:
//
//   <install vqinstallkey="...">
//     <global name="value" .../>
//     <user name="value" .../>      player 0
//     <user .../>                   player 1, ...
//   </install>
//
// With the setting "encryptionkey" the file holds that document enciphered
// (element "data1") beside its checksum (element "data2"); without it the
// file is the plain document. A file that fails its check gives an empty
// store and is kept as "prefs.dat.bad". Saving replaces the file in one step,
// so a failed save leaves the previous file whole.
//
// A negative player number means the global section.
class TPrefs {
 public:
  static constexpr int kGlobalSection = -1;

  explicit TPrefs(bool savingEnabled);
  ~TPrefs();
  TPrefs(const TPrefs&) = delete;
  TPrefs& operator=(const TPrefs&) = delete;

  // Reads the file (the constructor does) and picks this installation's section.
  void Load();
  // Writes every installation's entries, when saving is enabled.
  void Save();

  // The entry's text; the default when the entry or its section is missing or
  // the text is empty.
  TString GetValue(const TString& name, const TString& defaultValue, int player);
  void SetValue(const TString& name, const TString& value, int player, bool saveNow);
  int GetInt(const TString& name, int defaultValue, int player);
  void SetInt(const TString& name, int value, int player, bool saveNow);
  // Byte entries, stored as base64 text. GetData gives -1 when the entry is
  // missing, 0 when its bytes were copied to buffer, and otherwise (no buffer,
  // or one smaller than the bytes) the size the bytes need.
  int GetData(const TString& name, void* buffer, int bufferSize, int player);
  void SetData(const TString& name, const void* bytes, int count, int player, bool saveNow);

  int GetUserCount();
  // Removes player n; the players after it move down by one.
  void RemoveUser(int player);

 private:
  void LoadEnciphered();
  bool Decipher(const std::string& fileBytes, TString* text) const;
  void KeepBadFile(const std::string& fileBytes) const;
  void ReadInstallKey();
  void SelectSection();
  TString FileText() const;

  TXmlNode* Section(int player, bool create);
  TXmlNode* GlobalSection();
  std::vector<TXmlNode*> Users();

  std::unique_ptr<TXmlNode> mTree;
  TXmlNode* mSection = nullptr;
  TString mKey;
  TString mFileName;
  TString mInstallKey;
  bool mSavingEnabled;
};
