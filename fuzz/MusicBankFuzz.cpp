// Feeds arbitrary bytes to the music bank as "music/music.xml", beside an
// intro, an outro and two tracks on disk: the code of every Journey level,
// of the Zen levels past the last one it names and the input itself read as
// a play code become play lists, which may hold only pieces that loaded and
// never more pieces than the code has characters.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "game/gui/sound/TMusicBank.h"
#include "media/sound/TSound.h"
#include "tests/support/FuzzFileLayer.h"
#include "tests/support/OggFixture.h"

namespace {

constexpr uint32_t kZenLevelsAsked = 12;

// Short pieces, so that each input loads them quickly.
void WriteMusicPieces() {
  const std::string piece = EncodeOgg(1, 8000, 0.05);
  for (const char* file : {"music/intro.ogg", "music/outro.ogg", "music/track1.ogg", "music/track2.ogg"})
    WriteFuzzAsset(file, piece);
}

void CheckPlayList(const GUI::TMusicBank& bank, const TString& code) {
  const std::vector<std::shared_ptr<TSound>> list = bank.MakePlayList(code);
  if (list.size() > size_t(code.Length())) abort();
  for (const std::shared_ptr<TSound>& piece : list)
    if (!piece || !piece->Data().IsOpen()) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool piecesWritten = (WriteMusicPieces(), true);
  (void)piecesWritten;
  const std::string text = FuzzText(data, size);
  WriteFuzzAsset("music/music.xml", text);
  GUI::TMusicBank bank;
  if (bank.GetTracks().size() > size) abort();
  for (uint32_t world = 0; world <= GUI::TMusicBank::kWorlds + 1; ++world) {
    const uint32_t levels = world == 0 ? kZenLevelsAsked : GUI::TMusicBank::kLevelsPerWorld + 1;
    for (uint32_t level = 0; level <= levels; ++level) CheckPlayList(bank, bank.GetCode({world, level}));
  }
  CheckPlayList(bank, TString(text.c_str(), int(text.size())));
  return 0;
}
