#include "online/THiscoreImpl.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "online/HiscoreDocuments.h"
#include "online/HiscoreFile.h"
#include "online/HiscoreReply.h"
#include "online/THiscoreServerLibrary.h"
#include "online/TSimpleHttp.h"
#include "online/TVqHiscores.h"
#include "platform/crypto/Guid.h"
#include "platform/crypto/TStringCipher.h"
#include "platform/file/TFile.h"
#include "platform/xml/TXmlNode.h"

namespace {

constexpr char kHiscoreFileName[] = "user:hiscore.dat";
constexpr char kLanguageFileName[] = "::hiscore.xml";
constexpr char kServerFileName[] = "::hiscoreserver.txt";
constexpr size_t kServerLineLimit = 511;
constexpr char kUnableToConnect[] = "Unable to connect to server. Please try again later.";
constexpr char kGameModeNotValid[] = "Score request failed because game mode is not valid";
constexpr char kNoCategoriesYet[] = "Score request failed because no category information has been received yet";
constexpr char kMissingType[] = "Missing required parameter: type";
constexpr char kInvalidAccount[] = "hiscore.error.invalidUsernameOrPassword";
constexpr char kProtocolVersion[] = "1.0";
// Open-URL replies are not written to a cache.
constexpr uint32_t kNoCacheWrite = 1;

// At most size-1 bytes and a zero byte; nothing without room for the zero.
void CopyHiscoreText(const TString& text, char* buffer, int32_t size) {
  if (!buffer || size <= 0) return;
  const size_t count = std::min<size_t>(static_cast<size_t>(text.Length()), static_cast<size_t>(size - 1));
  std::memcpy(buffer, text.CStr(), count);
  buffer[count] = '\0';
}

void CopyHiscoreScore(const THiscoreRecord& record, int32_t* rank, int32_t* score, char* data,
                      int32_t dataSize) {
  if (rank) *rank = record.rank;
  if (score) *score = record.score;
  CopyHiscoreText(record.gameData, data, dataSize);
}

const THiscoreRecord* HiscoreRecordAt(const THiscoreList* list, int32_t index) {
  if (!list || index < 0 || static_cast<size_t>(index) >= list->records.size()) return nullptr;
  return &list->records[static_cast<size_t>(index)];
}

// The address as written, without the line end and blanks behind it.
TString ServerFileLine(const std::string& content) {
  std::string line = content.substr(0, std::min(content.find('\n'), kServerLineLimit));
  line.erase(line.find_last_not_of("\r\n \t") + 1);
  return TString(line.data(), static_cast<int>(line.size()));
}

bool HiscoreReplyContains(const TString& reply, const char* text) {
  return std::strstr(reply.CStr(), text) != nullptr;
}

}  // namespace

THiscoreImpl::THiscoreImpl(const TString& keyText, bool savingEnabled)
    : keyText(keyText),
      http(std::make_unique<TSimpleHttp>()),
      cipher(std::make_unique<TStringCipher>(keyText)),
      savingEnabled(savingEnabled) {}

// The cipher and the kept scores go before the HTTP object, whose end
// abandons a request still running.
THiscoreImpl::~THiscoreImpl() {
  cipher.reset();
  localLists.clear();
  accounts.clear();
  http.reset();
  serverLibrary.reset();
}

void THiscoreImpl::SetParameter(int32_t which, const TString& value) {
  if (which == TVqHiscores::kLanguage && !languageFixed) language = value;
  if (which == TVqHiscores::kPlayerName) {
    playerName = value;
    onlineUserName = "";
  }
  if (which == TVqHiscores::kGameMode) gameMode = value;
}

TString THiscoreImpl::GetParameter(int32_t which) const {
  if (which == TVqHiscores::kLanguage) return language;
  if (which == TVqHiscores::kPlayerName) return playerName;
  if (which == TVqHiscores::kGameMode) return gameMode;
  return "";
}

bool THiscoreImpl::GetTableName(int32_t index, char* buffer, int32_t size) const {
  if (!buffer || size <= 0 || index < 0 || static_cast<size_t>(index) >= tables.size()) return false;
  CopyHiscoreText(tables[static_cast<size_t>(index)].displayName, buffer, size);
  return true;
}

const THiscoreList* THiscoreImpl::CurrentLocalList() const {
  auto found = localLists.find(gameMode);
  return found == localLists.end() ? nullptr : &found->second;
}

const THiscoreList* THiscoreImpl::ListOf(bool local) const {
  return local ? CurrentLocalList() : &downloaded;
}

int32_t THiscoreImpl::GetScoreCount(bool local) const {
  const THiscoreList* list = ListOf(local);
  return list ? static_cast<int32_t>(list->records.size()) : 0;
}

bool THiscoreImpl::GetScore(bool local, int32_t index, int32_t* rank, char* name, int32_t nameSize,
                            bool* anonymous, int32_t* score, char* data, int32_t dataSize) const {
  const THiscoreRecord* record = HiscoreRecordAt(ListOf(local), index);
  if (!record) return false;
  CopyHiscoreScore(*record, rank, score, data, dataSize);
  CopyHiscoreText(record->playerName, name, nameSize);
  if (anonymous) *anonymous = record->anonymous;
  return true;
}

bool THiscoreImpl::GetPendingScore(int32_t kind, int32_t* score, int32_t* rank, char* data,
                                   int32_t dataSize) const {
  const THiscoreRecord* record = nullptr;
  if (kind == TVqHiscores::kPendingLocal) {
    const THiscoreList* list = CurrentLocalList();
    record = list ? list->FindUnsubmitted(playerName) : nullptr;
  } else if (kind == TVqHiscores::kPendingDownloaded) {
    record = PendingDownloaded();
  }
  if (!record) return false;
  CopyHiscoreScore(*record, rank, score, data, dataSize);
  return true;
}

TString THiscoreImpl::OnlineName() const {
  auto account = accounts.find(playerName);
  if (account != accounts.end()) return account->second.accountName;
  return onlineUserName.IsEmpty() ? playerName : onlineUserName;
}

const THiscoreRecord* THiscoreImpl::PendingDownloaded() const {
  if (const THiscoreRecord* own = HiscoreRecordAt(&downloaded, ownIndex)) return own;
  const THiscoreList* local = CurrentLocalList();
  if (!local) return nullptr;
  const TString name = OnlineName();
  for (const THiscoreRecord& entry : downloaded.records) {
    if (entry.playerName != name) continue;
    for (const THiscoreRecord& kept : local->records) {
      if (kept.guid == entry.guid) return &entry;
      if (kept.score < entry.score) break;
    }
  }
  return nullptr;
}

bool THiscoreImpl::GetAccount(char* name, int32_t nameSize, char* password, int32_t passwordSize) const {
  auto account = accounts.find(playerName);
  if (account == accounts.end()) return false;
  CopyHiscoreText(account->second.accountName, name, nameSize);
  CopyHiscoreText(account->second.password, password, passwordSize);
  return true;
}

void THiscoreImpl::AddLocalScore(int32_t score, bool replaceOwn, const TString& gameData,
                                 const TString& serverData) {
  THiscoreRecord record;
  record.guid = CreateGuidString();
  record.score = score;
  record.playerName = playerName;
  record.gameData = gameData;
  record.serverData = serverData;
  record.version = gameVersion;
  THiscoreList& list = localLists[gameMode];
  list.name = gameMode;
  list.Add(std::move(record), replaceOwn);
  Save();
}

void THiscoreImpl::Save() const {
  if (!savingEnabled) return;
  std::string bytes = HiscoreFileBytes(*cipher, accounts, localLists);
  // Without a key nothing could ever be read back; a file kept from a run
  // that had one stays.
  if (bytes.empty()) return;
  FileReplace(kHiscoreFileName, bytes.data(), static_cast<int32_t>(bytes.size()));
}

void THiscoreImpl::Load() {
  std::string bytes;
  if (!FileReadAll(kHiscoreFileName, &bytes)) return;
  THiscoreAccounts readAccounts;
  THiscoreLists readLists;
  if (!ReadHiscoreFile(*cipher, bytes, &readAccounts, &readLists)) return;
  accounts = std::move(readAccounts);
  localLists = std::move(readLists);
}

void THiscoreImpl::ReadLanguageFile() {
  TXmlNode document;
  if (!document.ParseFile(kLanguageFileName)) return;
  TXmlNode* hiscore = document.GetChild("hiscore");
  if (!hiscore) return;
  if (TXmlNode* fixed = hiscore->GetChild("language")) {
    language = fixed->GetText();
    languageFixed = true;
  }
  if (TXmlNode* error = hiscore->GetChild("defaulterror")) defaultError = error->GetText();
}

void THiscoreImpl::ReadServerFile() {
  std::string content;
  if (!FileReadAll(kServerFileName, &content, kFileReadText)) return;
  TString address = ServerFileLine(content);
  if (!address.IsEmpty()) serverAddress = address;
}

bool THiscoreImpl::UsesLibrary() const { return serverLibrary && serverLibrary->IsLoaded(); }

void THiscoreImpl::BeginRequest() {
  http->SetUrl(serverAddress.CStr(), false);
  http->AddParameter("lang", language.CStr());
  http->AddParameter("ver", kProtocolVersion);
}

void THiscoreImpl::Send() {
  if (!UsesLibrary()) http->Send(kNoCacheWrite);
}

void THiscoreImpl::RequestTables() {
  BeginRequest();
  http->AddParameter("action", "tables");
  http->AddParameter("game", gameName.CStr());
  if (UsesLibrary()) serverLibrary->RequestCategories(gameName.CStr());
  Send();
  requestKind = kCategoryDownload;
}

void THiscoreImpl::RequestScores(int32_t category) {
  const bool known = category >= 0 && static_cast<size_t>(category) < tables.size();
  const char* table = known ? tables[static_cast<size_t>(category)].id.CStr() : nullptr;
  const char* username = onlineUserName.IsEmpty() ? nullptr : onlineUserName.CStr();
  BeginRequest();
  http->AddParameter("action", "get");
  http->AddParameter("game", gameName.CStr());
  http->AddParameter("type", gameMode.CStr());
  if (table) http->AddParameter("table", table);
  http->AddIntParameter("numScores", kScoresAsked);
  if (username) http->AddParameter("username", username);
  if (UsesLibrary()) serverLibrary->RequestScores(gameName.CStr(), gameMode.CStr(), table, username);
  Send();
  requestKind = kScoreDownload;
}

bool THiscoreImpl::SubmitScore(const char* accountName, const char* password, bool remember) {
  auto list = localLists.find(gameMode);
  if (list == localLists.end()) return false;
  const THiscoreRecord* record = list->second.FindUnsubmitted(playerName);
  if (!record) return false;
  const TString document = HiscoreScoreDocument(*record, {accountName, password, gameMode, gameName});
  BeginRequest();
  http->AddParameter("game", gameName.CStr());
  http->AddParameter("action", "submit");
  http->AddParameter("score", EncodeHiscoreDocument(*cipher, document).CStr());
  RememberSubmission(list->second);
  onlineUserName = password && *password && accountName ? accountName : "";
  if (UsesLibrary()) {
    serverLibrary->SubmitScore(gameName.CStr(), gameMode.CStr(), accountName, password, record->guid.CStr(),
                               record->version.CStr(), record->gameData.CStr(), record->score, keyText.CStr());
  }
  Send();
  requestKind = kSubmission;
  RememberAccount(accountName, password, remember);
  return true;
}

bool THiscoreImpl::SubmitMedals(const char* medalLines, const char* accountName, const char* password,
                                bool remember) {
  if (!medalLines || !accountName || !password) return false;
  const TString document = HiscoreMedalDocument(medalLines, accountName, password, gameName);
  BeginRequest();
  http->AddParameter("game", gameName.CStr());
  http->AddParameter("action", "medals");
  http->AddParameter("medals", EncodeHiscoreDocument(*cipher, document).CStr());
  submission = {gameMode, playerName, {}};
  onlineUserName = accountName;
  if (UsesLibrary()) {
    serverLibrary->SubmitMedals(gameName.CStr(), gameMode.CStr(), accountName, password, medalLines,
                                keyText.CStr());
  }
  Send();
  requestKind = kSubmission;
  RememberAccount(accountName, password, remember);
  return true;
}

// A reply that accepts the score covers all of the player's scores of the
// current mode's list as they stand now.
void THiscoreImpl::RememberSubmission(const THiscoreList& list) {
  submission = {gameMode, playerName, {}};
  for (const THiscoreRecord& kept : list.records) {
    if (kept.playerName == playerName) submission.sentRecords.emplace_back(kept.guid, kept.score);
  }
}

void THiscoreImpl::RememberAccount(const char* accountName, const char* password, bool remember) {
  if (!remember) {
    accounts.erase(playerName);
    return;
  }
  accounts[playerName] = {playerName, accountName ? accountName : "", password ? password : ""};
}

int32_t THiscoreImpl::Update(char* error, int32_t size, bool* scoreFlag) {
  if (!http) return kFailed;
  const int32_t state = UsesLibrary() ? serverLibrary->GetStatus() : http->GetStatus();
  if (state == THiscoreServerLibrary::kRunning) return kPending;
  const char* reply = nullptr;
  if (state == THiscoreServerLibrary::kDone) reply = UsesLibrary() ? serverLibrary->GetContents() : http->GetData();
  return HandleReply(state, reply, error, size, scoreFlag);
}

int32_t THiscoreImpl::HandleReply(int32_t state, const char* reply, char* error, int32_t size, bool* scoreFlag) {
  if (requestKind == kSubmission && scoreFlag) *scoreFlag = false;
  if (state != THiscoreServerLibrary::kDone) return Fail("", error, size);
  replyText = reply ? reply : "";
  THiscoreReply parsed(replyText.CStr());
  if (requestKind == kSubmission) return HandleSubmission(parsed, error, size, scoreFlag);
  if (requestKind == kScoreDownload) return HandleScores(parsed, error, size);
  if (requestKind == kCategoryDownload) return HandleTables(parsed, error, size);
  return kReplyHandled;
}

// The message, else the default error, else the text for a service out of
// reach.
int32_t THiscoreImpl::Fail(const TString& message, char* error, int32_t size) const {
  const TString& text = !message.IsEmpty() ? message : defaultError;
  CopyHiscoreText(text.IsEmpty() ? TString(kUnableToConnect) : text, error, size);
  return kFailed;
}

int32_t THiscoreImpl::HandleSubmission(const THiscoreReply& reply, char* error, int32_t size, bool* scoreFlag) {
  if (!reply.Check(&messageText)) {
    if (HiscoreReplyContains(replyText, kInvalidAccount)) accounts.erase(submission.playerName);
    return Fail(messageText, error, size);
  }
  if (reply.Has("medals")) return kReplyHandled;
  MarkSubmitted();
  Save();
  if (scoreFlag) *scoreFlag = reply.Has("score");
  return kReplyHandled;
}

void THiscoreImpl::MarkSubmitted() {
  auto list = localLists.find(submission.listName);
  if (list == localLists.end()) return;
  for (THiscoreRecord& record : list->second.records) {
    for (const auto& [guid, score] : submission.sentRecords) {
      if (record.guid == guid && record.score == score) record.submitted = true;
    }
  }
}

int32_t THiscoreImpl::HandleScores(THiscoreReply& reply, char* error, int32_t size) {
  downloaded.records.clear();
  ownIndex = kNoOwnEntry;
  if (reply.Check(&messageText) && reply.ReadScores(&downloaded, &ownIndex)) return kReplyHandled;
  if (HiscoreReplyContains(replyText, kMissingType)) {
    messageText = kGameModeNotValid;
  } else if (tables.empty()) {
    messageText = kNoCategoriesYet;
  }
  return Fail(messageText, error, size);
}

int32_t THiscoreImpl::HandleTables(const THiscoreReply& reply, char* error, int32_t size) {
  tables.clear();
  if (reply.Check(&messageText) && reply.ReadTables(&tables)) return kReplyHandled;
  return Fail(messageText, error, size);
}
