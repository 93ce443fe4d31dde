#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "platform/text/TString.h"

// The hiscore client: the game's name and version, its parameters (1 the
// player's name, 2 the game mode) and the scores of this machine. For now the
// local scores stay in memory; sending and saving come with the service.
class TVqHiscores {
 public:
  static constexpr int32_t kPlayerName = 1;
  static constexpr int32_t kGameMode = 2;

  struct TLocalScore {
    TString gameMode;
    TString playerName;
    int32_t score;
    TString gameData;  // the game's own text about the score
  };

  TVqHiscores(const TString& gameName, const TString& version, int32_t flags);

  const TString& GetGameName() const { return mGameName; }
  const TString& GetVersion() const { return mVersion; }
  int32_t GetFlags() const { return mFlags; }

  void SetParameter(int32_t index, const TString& value);
  // "" for a parameter never set.
  TString GetParameter(int32_t index) const;

  // Keeps the score under the current game mode and player name. With
  // replaceOwn the player keeps one score in the mode: a higher score takes
  // the place of the earlier one, a lower one is dropped.
  void AddLocalScore(int32_t score, bool replaceOwn, const TString& gameData);
  const std::vector<TLocalScore>& GetLocalScores() const { return mLocalScores; }

 private:
  TString mGameName;
  TString mVersion;
  int32_t mFlags;
  std::map<int32_t, TString> mParameters;
  std::vector<TLocalScore> mLocalScores;
};
