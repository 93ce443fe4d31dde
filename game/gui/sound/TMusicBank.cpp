#include "game/gui/sound/TMusicBank.h"

#include "media/sound/TSound.h"
#include "platform/xml/TStringTable.h"

namespace GUI {
namespace {

constexpr const char* kMusicFolder = "music/";
constexpr const char* kMusicTable = "music/music.xml";

std::shared_ptr<TSound> LoadPiece(const TString& file) {
  return TSound::Get(TString(kMusicFolder) + file, true, TMusicBank::kMusicGroup);
}

bool IsMissing(const TString& text) { return text == TStringTable::kMissing; }

}  // namespace

TMusicBank::TMusicBank() {
  // The lists end at the first missing label: looking past them is no fault.
  TStringTable table;
  table.SetQuiet(true);
  table.Load(kMusicTable);
  ReadTracks(table);
  ReadCodes(table);
}

void TMusicBank::ReadTracks(const TStringTable& table) {
  mIntro = LoadPiece(table.GetString("Intro"));
  mOutro = LoadPiece(table.GetString("Outro"));
  for (int32_t track = 1;; ++track) {
    const TString file = table.GetString(TString::Format("M%d", track));
    if (IsMissing(file)) break;
    mTracks.push_back(LoadPiece(file));
  }
}

void TMusicBank::ReadCodes(const TStringTable& table) {
  for (uint32_t world = 1; world <= kWorlds; ++world)
    for (uint32_t level = 1; level <= kLevelsPerWorld; ++level)
      mLevelCodes[{world, level}] = table.GetString(TString::Format("World%02u_%02u", world, level));
  for (uint32_t zen = 1;; ++zen) {
    const TString code = table.GetString(TString::Format("Zen%02u", zen));
    if (IsMissing(code)) break;
    mZenCodes[zen] = code;
  }
}

const TString& TMusicBank::GetCode(const GamePlay::TLevelKey& key) {
  return key.world != 0 ? mLevelCodes[key] : mZenCodes[key.level];
}

std::vector<std::shared_ptr<TSound>> TMusicBank::MakePlayList(const TString& code) const {
  std::vector<std::shared_ptr<TSound>> list;
  for (int i = 0; i < code.Length(); ++i)
    if (std::shared_ptr<TSound> piece = PieceAt(code.CharAt(i))) list.push_back(std::move(piece));
  return list;
}

std::shared_ptr<TSound> TMusicBank::PieceAt(char code) const {
  if (code == 'I' || code == 'i') return mIntro;
  if (code == 'O' || code == 'o') return mOutro;
  if (code < '1' || code > '9') return nullptr;
  const size_t track = size_t(code - '1');
  return track < mTracks.size() ? mTracks[track] : nullptr;
}

}  // namespace GUI
