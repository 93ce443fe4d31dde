#include "online/THiscoreServerLibrary.h"

#include "platform/text/Log.h"

namespace {

using CreateLocalServerFn = uint32_t();
using FreeLocalServerFn = void(uint32_t);
using RequestCategoryInformationFn = void(uint32_t, const char*);
using RequestScoresFn = void(uint32_t, const char*, const char*, const char*, const char*);
using SubmitScoreFn = void(uint32_t, const char*, const char*, const char*, const char*, const char*, const char*,
                           const char*, int32_t, const char*);
using SubmitMedalsFn = void(uint32_t, const char*, const char*, const char*, const char*, const char*,
                            const char*);
using GetStatusFn = int32_t(uint32_t);
using GetContentsFn = const char*(uint32_t);

const char* TextOrEmpty(const char* text) { return text ? text : ""; }

}  // namespace

THiscoreServerLibrary::THiscoreServerLibrary() {
  if (!mLibrary.Open(kName)) return;
  if (auto* create = Export<CreateLocalServerFn>("HiscoreServer_CreateLocalServer")) {
    mServer = create();
    mHasServer = true;
  }
}

THiscoreServerLibrary::~THiscoreServerLibrary() {
  if (!mHasServer) return;
  if (auto* free = Export<FreeLocalServerFn>("HiscoreServer_FreeLocalServer")) free(mServer);
}

template <class Function>
Function* THiscoreServerLibrary::Export(const char* name) const {
  auto* function = reinterpret_cast<Function*>(mLibrary.Symbol(name));
  if (!function) LogPrintf("HiScore: the local server library has no %s.", name);
  return function;
}

template <class Function, class... Args>
void THiscoreServerLibrary::Start(const char* name, Args... args) {
  auto* function = mHasServer ? Export<Function>(name) : nullptr;
  mRequestFailed = !function;
  if (function) function(mServer, args...);
}

void THiscoreServerLibrary::RequestCategories(const char* game) {
  Start<RequestCategoryInformationFn>("HiscoreServer_RequestCategoryInformation", TextOrEmpty(game));
}

void THiscoreServerLibrary::RequestScores(const char* game, const char* type, const char* category,
                                          const char* username) {
  Start<RequestScoresFn>("HiscoreServer_RequestScores", TextOrEmpty(game), TextOrEmpty(type), category,
                         username);
}

void THiscoreServerLibrary::SubmitScore(const char* game, const char* type, const char* accountName,
                                        const char* password, const char* guid, const char* version,
                                        const char* gameData, int32_t score, const char* key) {
  Start<SubmitScoreFn>("HiscoreServer_SubmitScore", TextOrEmpty(game), TextOrEmpty(type),
                       TextOrEmpty(accountName), TextOrEmpty(password), TextOrEmpty(guid), TextOrEmpty(version),
                       TextOrEmpty(gameData), score, TextOrEmpty(key));
}

void THiscoreServerLibrary::SubmitMedals(const char* game, const char* type, const char* accountName,
                                         const char* password, const char* medalLines, const char* key) {
  Start<SubmitMedalsFn>("HiscoreServer_SubmitMedals", TextOrEmpty(game), TextOrEmpty(type),
                        TextOrEmpty(accountName), TextOrEmpty(password), TextOrEmpty(medalLines),
                        TextOrEmpty(key));
}

int32_t THiscoreServerLibrary::GetStatus() const {
  if (mRequestFailed || !mHasServer) return kFailed;
  auto* status = Export<GetStatusFn>("HiscoreServer_GetStatus");
  return status ? status(mServer) : kFailed;
}

const char* THiscoreServerLibrary::GetContents() const {
  auto* contents = mHasServer ? Export<GetContentsFn>("HiscoreServer_GetContents") : nullptr;
  const char* text = contents ? contents(mServer) : nullptr;
  return text ? text : "";
}
