#pragma once

#include <cstdint>
#include <memory>

#include "online/HiscoreRecords.h"
#include "platform/text/TString.h"

class TSimpleHttp;
class TStringCipher;

// What the hiscore client holds, and its operations on it. A record: the
// client forwards to it, and the service's requests read and write its
// fields.
class THiscoreImpl {
 public:
  static constexpr int32_t kNoOwnEntry = -1;

  // A bare record: no strings, lists or accounts yet; the HTTP object and
  // the cipher, keyed with the key text, are made.
  THiscoreImpl(const TString& keyText, bool savingEnabled);
  ~THiscoreImpl();
  THiscoreImpl(const THiscoreImpl&) = delete;
  THiscoreImpl& operator=(const THiscoreImpl&) = delete;

  // 0 the language (unless fixed), 1 the current player (which forgets the
  // online user name), 2 the game mode key; others nothing.
  void SetParameter(int32_t which, const TString& value);
  // "" for other values.
  TString GetParameter(int32_t which) const;

  // Text outputs get at most size-1 bytes and a zero byte; a null output (a
  // text output also of size 0 or less) is not touched.
  bool GetTableName(int32_t index, char* buffer, int32_t size) const;
  // Local: the list of the current mode; else the downloaded list.
  int32_t GetScoreCount(bool local) const;
  bool GetScore(bool local, int32_t index, int32_t* rank, char* name, int32_t nameSize, bool* anonymous,
                int32_t* score, char* data, int32_t dataSize) const;
  // Kind 0: the current player's first local score not yet accepted; kind 1:
  // the downloaded entry that is the current player's (see PendingDownloaded).
  bool GetPendingScore(int32_t kind, int32_t* score, int32_t* rank, char* data, int32_t dataSize) const;
  bool GetAccount(char* name, int32_t nameSize, char* password, int32_t passwordSize) const;

  // A score of the current player into the list of the current mode, then
  // the score file saved.
  void AddLocalScore(int32_t score, bool replaceOwn, const TString& gameData, const TString& serverData);

  // The score file "user:hiscore.dat": written only with saving enabled,
  // always replaced whole; read into empty lists and accounts.
  void Save() const;
  void Load();
  // "hiscore.xml" in the current folder: a language that is then fixed, and
  // the default error text.
  void ReadLanguageFile();
  // The first line of "hiscoreserver.txt" in the current folder names the
  // server.
  void ReadServerFile();

  const THiscoreList* CurrentLocalList() const;
  // The downloaded entry at the own index, else the first one of the
  // player's name whose GUID a local score of the mode has, looked for
  // among the local scores down to the first one below the entry's score.
  const THiscoreRecord* PendingDownloaded() const;

  TString gameName;
  TString keyText;
  TString language;
  TString gameVersion;
  TString playerName;
  TString gameMode;
  std::unique_ptr<TSimpleHttp> http;
  std::vector<THiscoreTable> tables;
  TString serverAddress;
  TString onlineUserName;  // the account of the last submission
  THiscoreList downloaded;
  int32_t ownIndex = kNoOwnEntry;
  THiscoreLists localLists;
  THiscoreAccounts accounts;
  bool languageFixed = false;
  TString defaultError;
  std::unique_ptr<TStringCipher> cipher;
  bool savingEnabled;

 private:
  const THiscoreList* ListOf(bool local) const;
  // The name the player's entries carry in the downloaded list.
  TString OnlineName() const;
};
