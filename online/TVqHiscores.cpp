#include "online/TVqHiscores.h"

#include "online/THiscoreImpl.h"
#include "online/THiscoreServerLibrary.h"
#include "platform/prefs/SettingsSource.h"
#include "platform/text/Log.h"

namespace {

TString HiscoreKey() {
  TString key = ReadSetting("encryptionkey");
  if (key.IsEmpty()) LogPrintf("ERROR: No encryption key set before TVqHiscores construction!");
  return key;
}

}  // namespace

TVqHiscores::TVqHiscores(const TString& gameName, const TString& version, bool savingEnabled)
    : mImpl(std::make_unique<THiscoreImpl>(HiscoreKey(), savingEnabled)) {
  mImpl->serverAddress = kDefaultServer;
  mImpl->gameName = gameName;
  mImpl->gameVersion = version;
  mImpl->language = "en";
  mImpl->Load();
  mImpl->serverLibrary = std::make_unique<THiscoreServerLibrary>();
  mImpl->ReadLanguageFile();
  mImpl->ReadServerFile();
}

TVqHiscores::~TVqHiscores() {
  mImpl->downloaded.records.clear();
  mImpl->ownIndex = THiscoreImpl::kNoOwnEntry;
  mImpl->tables.clear();
}

void TVqHiscores::SetParameter(int32_t which, const TString& value) { mImpl->SetParameter(which, value); }

TString TVqHiscores::GetParameter(int32_t which) const { return mImpl->GetParameter(which); }

const TString& TVqHiscores::GetGameName() const { return mImpl->gameName; }

const TString& TVqHiscores::GetVersion() const { return mImpl->gameVersion; }

const TString& TVqHiscores::GetServerAddress() const { return mImpl->serverAddress; }

void TVqHiscores::SetServerAddress(const TString& address) { mImpl->serverAddress = address; }

int32_t TVqHiscores::GetTableCount() const { return static_cast<int32_t>(mImpl->tables.size()); }

bool TVqHiscores::GetTableName(int32_t index, char* buffer, int32_t size) const {
  return mImpl->GetTableName(index, buffer, size);
}

int32_t TVqHiscores::GetScoreCount(bool local) const { return mImpl->GetScoreCount(local); }

bool TVqHiscores::GetScore(bool local, int32_t index, int32_t* rank, char* name, int32_t nameSize,
                           bool* anonymous, int32_t* score, char* data, int32_t dataSize) const {
  return mImpl->GetScore(local, index, rank, name, nameSize, anonymous, score, data, dataSize);
}

bool TVqHiscores::GetPendingScore(int32_t kind, int32_t* score, int32_t* rank, char* data,
                                  int32_t dataSize) const {
  return mImpl->GetPendingScore(kind, score, rank, data, dataSize);
}

bool TVqHiscores::GetAccount(char* name, int32_t nameSize, char* password, int32_t passwordSize) const {
  return mImpl->GetAccount(name, nameSize, password, passwordSize);
}

void TVqHiscores::AddLocalScore(int32_t score, bool replaceOwn, const TString& gameData,
                                const TString& serverData) {
  mImpl->AddLocalScore(score, replaceOwn, gameData, serverData);
}

void TVqHiscores::RequestTables() { mImpl->RequestTables(); }

void TVqHiscores::RequestScores(int32_t category) { mImpl->RequestScores(category); }

bool TVqHiscores::SubmitScore(const char* accountName, const char* password, bool remember) {
  return mImpl->SubmitScore(accountName, password, remember);
}

bool TVqHiscores::SubmitMedals(const char* medalLines, const char* accountName, const char* password,
                               bool remember) {
  return mImpl->SubmitMedals(medalLines, accountName, password, remember);
}

int32_t TVqHiscores::Update(char* error, int32_t size, bool* scoreFlag) {
  return mImpl->Update(error, size, scoreFlag);
}
