#include "tests/game/gui/sound/GameSoundKit.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/file/FileIndex.h"
#include "platform/text/Log.h"
#include "tests/support/OggFixture.h"

namespace {

// Every label whose file the factory loads, effects and direct sounds.
const char* const kFactorySoundLabels[] = {
    "Click Sound", "Ring Rotate Sound", "Ring Snap Sound", "Piece Fall Sound", "Warning Sound",
    "Small Bomb Sound", "Big Bomb Sound", "Ring Bomb Sound", "Color Change Bomb Sound", "Time Bomb Sound",
    "PowerUp Creation Sound", "Blocker Turn Sound", "Blocker Break Sound", "Blocker Broken Sound",
    "Blocker Blocked Sound", "Expert Banner Sound", "Jug Fill 1", "Jug Fill 2", "Jug Fill 3", "Jug Fill 4",
    "Jug Fill 5", "Jug Fill 6", "Jug Fill White", "Jug Full Sound", "Gear Rotating Sound", "Gear Explode Sound",
    "Lock Explode Sound", "Metamap Zoom In", "Metamap Zoom Out", "Match3 Sound", "Match4 Sound", "Match5 Sound",
    "Almost Time Out Sound", "Fire Quote Sound", "Expert Transition Sound", "Unlock Zen Mode",
    "Complete World Effect", "Complete World Flash Effect", "Change World Effect"};

// A short effect, encoded once for every file that plays it.
const std::string& EffectBytes() {
  static const std::string bytes = EncodeOgg(2, 44100, 0.3, 11);
  return bytes;
}

}  // namespace

GameSoundKit::GameSoundKit() {
  SetLogFolder(logs.Path().c_str());
  rig.platform.stringTable = &strings;
  EXPECT_TRUE(rig.manager->Init());
}

std::vector<int16_t> GameSoundKit::WriteSound(const std::string& file, double seconds, uint32_t seed) {
  const std::string bytes = EncodeOgg(2, 44100, seconds, seed);
  files.WriteAsset("music/" + file, bytes);
  BuildFileIndex();
  return DecodeOgg(bytes);
}

std::string GameSoundKit::FileOf(const std::string& label) {
  std::string file = label;
  std::replace(file.begin(), file.end(), ' ', '-');
  return file + ".ogg";
}

void GameSoundKit::WriteGameStrings(const TableRows& extra) {
  TableRows rows;
  for (const char* label : kFactorySoundLabels) {
    rows.emplace_back(label, FileOf(label));
    files.WriteAsset("music/" + FileOf(label), EffectBytes());
  }
  rows.insert(rows.end(), extra.begin(), extra.end());
  WriteStringTable(files, "strings.xml", rows);
  ASSERT_TRUE(strings.Load("strings.xml"));
}

void GameSoundKit::WriteMusicTable(const TableRows& rows) { WriteStringTable(files, "music/music.xml", rows); }

std::shared_ptr<TSound> GameSoundKit::Effect(const std::string& label) const {
  return TSound::Get(("music/" + FileOf(label)).c_str(), true, 100);
}

std::shared_ptr<TSound> GameSoundKit::Music(const std::string& file) const {
  return TSound::Get(("music/" + file).c_str(), true, 2);
}

bool GameSoundKit::Logged(const std::string& text) const {
  return ReadWholeFile(GetLogPath().CStr()).find(text) != std::string::npos;
}
