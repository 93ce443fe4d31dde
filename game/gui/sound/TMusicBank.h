#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "game/rules/level/TLevelKey.h"
#include "platform/text/TString.h"

class TSound;
class TStringTable;

namespace GUI {

// The game's music: an intro, an outro and numbered tracks, and the play code
// of every Journey level, every Zen level, read once from "music/music.xml".
// A play code names the pieces in play order: "I" the intro, "O" the outro,
// a digit 1 to 9 that track; anything else is ignored.
class TMusicBank {
 public:
  // The music group of the sound manager: every piece plays in it.
  static constexpr int32_t kMusicGroup = 2;
  static constexpr uint32_t kWorlds = 10;
  static constexpr uint32_t kLevelsPerWorld = 5;

  // Loads the pieces and codes; what is missing is left without a sound.
  TMusicBank();

  // The code of a level: world 0 names the Zen level of `level`. A level
  // without a code gets an empty one, kept from then on.
  const TString& GetCode(const GamePlay::TLevelKey& key);
  // The pieces of a code in play order. Pieces whose file did not load and
  // digits without a track are left out, so a list holds only sounds that
  // can play.
  std::vector<std::shared_ptr<TSound>> MakePlayList(const TString& code) const;

  const std::vector<std::shared_ptr<TSound>>& GetTracks() const { return mTracks; }

 private:
  void ReadTracks(const TStringTable& table);
  void ReadCodes(const TStringTable& table);
  std::shared_ptr<TSound> PieceAt(char code) const;

  std::shared_ptr<TSound> mIntro;
  std::shared_ptr<TSound> mOutro;
  std::vector<std::shared_ptr<TSound>> mTracks;
  std::map<GamePlay::TLevelKey, TString> mLevelCodes;
  std::map<uint32_t, TString> mZenCodes;
};

}  // namespace GUI
