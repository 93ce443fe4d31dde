#pragma once

#include <memory>
#include <string>
#include <vector>

#include "media/sound/TSound.h"
#include "platform/xml/TStringTable.h"
#include "tests/support/SoundRig.h"
#include "tests/support/StringTableFile.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFileLayer.h"

// The game's sounds heard through the sound rig: Ogg files written below
// "music/" of a test tree, the game's string table naming them and the music
// bank's table, on a sound manager that is running. A sound asked for by the
// name the factory or the bank used is the very sound they hold.
class GameSoundKit {
 public:
  // Seconds of a music piece: longer than a decoded buffer, so each plays
  // from memory while it is decoded, as the game's music does.
  static constexpr double kPieceSeconds = 2.2;

  GameSoundKit();

  // Writes "music/<file>" and returns what it plays, as the mixer hears it.
  std::vector<int16_t> WriteSound(const std::string& file, double seconds, uint32_t seed);
  // The game's string table: every label of a sound of the factory names a
  // file of its own (made from the label), then the rows given.
  void WriteGameStrings(const TableRows& extra = {});
  void WriteMusicTable(const TableRows& rows);

  // The file a label of the game's string table names.
  static std::string FileOf(const std::string& label);
  // The effect of that label, and the music piece of that file.
  std::shared_ptr<TSound> Effect(const std::string& label) const;
  std::shared_ptr<TSound> Music(const std::string& file) const;
  // Instances started so far, and playing now.
  static int Starts(const std::shared_ptr<TSound>& sound) { return sound ? sound->Data().PeekHandle() : -1; }
  static int Playing(const std::shared_ptr<TSound>& sound) { return sound ? int(sound->Data().Handles().size()) : -1; }

  bool Logged(const std::string& text) const;

  TempFolder logs;
  TestFileLayer files;
  TStringTable strings;
  SoundRig rig;
};
