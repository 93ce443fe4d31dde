#include "online/TVqHiscores.h"

TVqHiscores::TVqHiscores(const TString& gameName, const TString& version, int32_t flags)
    : mGameName(gameName), mVersion(version), mFlags(flags) {}

void TVqHiscores::SetParameter(int32_t index, const TString& value) { mParameters[index] = value; }

TString TVqHiscores::GetParameter(int32_t index) const {
  auto found = mParameters.find(index);
  return found == mParameters.end() ? TString("") : found->second;
}

void TVqHiscores::AddLocalScore(int32_t score) {
  mLocalScores.push_back({GetParameter(kGameMode), GetParameter(kPlayerName), score});
}
