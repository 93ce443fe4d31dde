#include "online/TVqHiscores.h"

#include <algorithm>

TVqHiscores::TVqHiscores(const TString& gameName, const TString& version, int32_t flags)
    : mGameName(gameName), mVersion(version), mFlags(flags) {}

void TVqHiscores::SetParameter(int32_t index, const TString& value) { mParameters[index] = value; }

TString TVqHiscores::GetParameter(int32_t index) const {
  auto found = mParameters.find(index);
  return found == mParameters.end() ? TString("") : found->second;
}

void TVqHiscores::AddLocalScore(int32_t score, bool replaceOwn, const TString& gameData) {
  TString gameMode = GetParameter(kGameMode);
  TString player = GetParameter(kPlayerName);
  if (replaceOwn) {
    auto own = std::find_if(mLocalScores.begin(), mLocalScores.end(), [&](const TLocalScore& local) {
      return local.gameMode == gameMode && local.playerName == player;
    });
    if (own != mLocalScores.end() && score <= own->score) return;
    if (own != mLocalScores.end()) mLocalScores.erase(own);
  }
  mLocalScores.push_back({gameMode, player, score, gameData});
}
