#include "online/THiscoreImpl.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "online/HiscoreFile.h"
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
