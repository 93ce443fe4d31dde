#pragma once

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "online/HiscoreRecords.h"
#include "platform/text/TString.h"

class THiscoreReply;
class THiscoreServerLibrary;
class TSimpleHttp;
class TStringCipher;

// What a score submission sent, kept for its reply: the records are found
// again by GUID, since the list may change while the request runs, and by
// score, since a better score may take over a GUID meanwhile.
struct THiscoreSubmission {
  TString listName;
  TString playerName;
  std::vector<std::pair<TString, int32_t>> sentRecords;  // GUID and score
};

// What the hiscore client holds, and its operations on it. A record: the
// client forwards to it, and the service's requests read and write its
// fields.
class THiscoreImpl {
 public:
  static constexpr int32_t kNoOwnEntry = -1;
  // What the outstanding request is.
  static constexpr int32_t kSubmission = 0;
  static constexpr int32_t kScoreDownload = 1;
  static constexpr int32_t kCategoryDownload = 2;
  // What Update says.
  static constexpr int32_t kReplyHandled = 0;
  static constexpr int32_t kPending = 1;
  static constexpr int32_t kFailed = 2;
  static constexpr int32_t kScoresAsked = 500;

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

  // The service's requests: each abandons the one before. The submissions
  // return false, sending nothing, when there is nothing to send.
  void RequestTables();
  void RequestScores(int32_t category);
  bool SubmitScore(const char* accountName, const char* password, bool remember);
  bool SubmitMedals(const char* medalLines, const char* accountName, const char* password, bool remember);
  // kPending while the request runs; kReplyHandled; kFailed with the error
  // text in the buffer. The score flag (may be null) is set for every
  // submission that ends: true only when the score entered the service's table.
  int32_t Update(char* error, int32_t size, bool* scoreFlag);
  // Update once the request has ended in the given state (1 done, others
  // failed) with the given reply text.
  int32_t HandleReply(int32_t state, const char* reply, char* error, int32_t size, bool* scoreFlag);

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
  int32_t requestKind = kSubmission;
  std::unique_ptr<TSimpleHttp> http;
  std::vector<THiscoreTable> tables;
  TString serverAddress;
  TString messageText;
  TString replyText;
  TString onlineUserName;  // the account of the last submission
  THiscoreList downloaded;
  int32_t ownIndex = kNoOwnEntry;
  THiscoreLists localLists;
  THiscoreAccounts accounts;
  THiscoreSubmission submission;
  bool languageFixed = false;
  TString defaultError;
  std::unique_ptr<TStringCipher> cipher;
  bool savingEnabled;
  std::unique_ptr<THiscoreServerLibrary> serverLibrary;  // null when none loaded

 private:
  // A new description on the HTTP object: the address, "lang" and "ver".
  void BeginRequest();
  void Send();
  void RememberSubmission(const THiscoreList& list);
  // The remembered account of the current player after a submission.
  void RememberAccount(const char* accountName, const char* password, bool remember);
  bool UsesLibrary() const;
  int32_t Fail(const TString& message, char* error, int32_t size) const;
  int32_t HandleSubmission(const THiscoreReply& reply, char* error, int32_t size, bool* scoreFlag);
  int32_t HandleScores(THiscoreReply& reply, char* error, int32_t size);
  int32_t HandleTables(const THiscoreReply& reply, char* error, int32_t size);
  void MarkSubmitted();

  const THiscoreList* ListOf(bool local) const;
  // The name the player's entries carry in the downloaded list.
  TString OnlineName() const;
};
