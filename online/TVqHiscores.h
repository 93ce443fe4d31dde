#pragma once

#include <cstdint>
#include <memory>

#include "platform/text/TString.h"

class THiscoreImpl;

// The hiscore client: the local score tables of this machine, one per game
// mode, the online accounts players asked it to remember, the service's
// score categories and the scores last fetched from it. The local tables and
// the accounts are kept in the enciphered file "user:hiscore.dat", read at
// construction and, with saving enabled, written after every change.
//
// Text outputs get at most size-1 bytes and a zero byte; a null output is
// never touched.
class TVqHiscores {
 public:
  static constexpr int32_t kLanguage = 0;
  static constexpr int32_t kPlayerName = 1;
  static constexpr int32_t kGameMode = 2;
  static constexpr int32_t kPendingLocal = 0;
  static constexpr int32_t kPendingDownloaded = 1;
  // No public service exists: the client names a host that never resolves
  // until "hiscoreserver.txt" names a real server.
  static constexpr char kDefaultServer[] = "http://hiscores.quorvane.invalid/go/hiscore";

  // Reads the setting "encryptionkey" (the cipher's key), then the score
  // file, "hiscore.xml" and "hiscoreserver.txt".
  TVqHiscores(const TString& gameName, const TString& version, bool savingEnabled);
  ~TVqHiscores();
  TVqHiscores(const TVqHiscores&) = delete;
  TVqHiscores& operator=(const TVqHiscores&) = delete;

  // kLanguage (ignored once "hiscore.xml" fixed it), kPlayerName (which
  // forgets the online user name), kGameMode; other values do nothing.
  void SetParameter(int32_t which, const TString& value);
  TString GetParameter(int32_t which) const;

  const TString& GetGameName() const;
  const TString& GetVersion() const;
  const TString& GetServerAddress() const;
  // The address requests go to from now on.
  void SetServerAddress(const TString& address);

  int32_t GetTableCount() const;
  // False for a null buffer, size below 1 or an index outside the categories.
  bool GetTableName(int32_t index, char* buffer, int32_t size) const;
  // Local: the table of the current game mode (0 without one); else the
  // downloaded scores.
  int32_t GetScoreCount(bool local) const;
  // False when the table is missing or the index outside it; name and data
  // are written only with a size above 0.
  bool GetScore(bool local, int32_t index, int32_t* rank, char* name, int32_t nameSize, bool* anonymous,
                int32_t* score, char* data, int32_t dataSize) const;
  // kPendingLocal: the current player's first local score of the mode that
  // the service has not accepted; kPendingDownloaded: the player's own entry
  // among the downloaded scores. False for none and for other kinds.
  bool GetPendingScore(int32_t kind, int32_t* score, int32_t* rank, char* data, int32_t dataSize) const;
  // The account remembered for the current player; false for none.
  bool GetAccount(char* name, int32_t nameSize, char* password, int32_t passwordSize) const;

  // Places a score of the current player in the table of the current mode:
  // behind the scores at least as high, the table keeping the best 500.
  // With replaceOwn the player keeps one score there: a higher one replaces
  // the earlier one, any other changes nothing. The score file is saved.
  void AddLocalScore(int32_t score, bool replaceOwn, const TString& gameData, const TString& serverData = "");

  // Requests to the hiscore service, one at a time: each abandons the one
  // before. The caller polls Update until it no longer says kPending. With
  // the local server library "vqservlet_stub.dll" loaded, it takes every
  // request in place of the service.
  static constexpr int32_t kReplyHandled = 0;
  static constexpr int32_t kPending = 1;
  static constexpr int32_t kFailed = 2;
  // The score categories of the game.
  void RequestTables();
  // The best scores of the current game mode in that category (the service's
  // own choice for an index outside the categories received).
  void RequestScores(int32_t category);
  // Sends the current player's best score of the mode that the service has
  // not accepted yet; false, sending nothing, when there is none. A password
  // makes the account name the online user name. remember keeps the account
  // for the player, or forgets one kept.
  bool SubmitScore(const char* accountName, const char* password, bool remember);
  // Sends medal lines ("<medal name=... per=.../>") for the account; false,
  // sending nothing, when a text is null.
  bool SubmitMedals(const char* medalLines, const char* accountName, const char* password, bool remember);
  // kPending while the request runs; kReplyHandled once its reply was taken
  // in; kFailed with an error text for the player in the buffer. For a
  // submission the score flag (may be null) says whether the score entered
  // the service's table.
  int32_t Update(char* error, int32_t size, bool* scoreFlag);

 private:
  std::unique_ptr<THiscoreImpl> mImpl;
};
