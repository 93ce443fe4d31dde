#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "platform/text/TString.h"

// One score of a table: a local one of this machine or one downloaded from
// the service.
struct THiscoreRecord {
  int32_t rank = 0;  // 1 for the best
  int32_t score = 0;
  TString playerName;
  TString gameData;    // the game's own text about the score
  TString serverData;  // text for the service, carried with the submission
  TString version;     // the game version that made the score
  bool anonymous = true;
  bool submitted = false;  // the service accepted it
  TString guid;            // 32 lower-case hexadecimal digits
};

// The scores of one game mode (named by its key), or the downloaded ones
// (nameless), best first; equal scores in the order they arrived.
struct THiscoreList {
  static constexpr size_t kMaxRecords = 500;

  // Places a score of its player behind the scores at least as high; the
  // list keeps at most kMaxRecords, so the lowest drops out. With replaceOwn
  // the player keeps one score: a higher one takes the place (and the GUID)
  // of the earlier one, any other leaves the list as it is.
  void Add(THiscoreRecord record, bool replaceOwn);
  // The player's first record that the service has not accepted, or null.
  const THiscoreRecord* FindUnsubmitted(const TString& playerName) const;

  TString name;
  std::vector<THiscoreRecord> records;

 private:
  void Renumber();
};

// An online account that a player asked to have remembered.
struct THiscoreAccount {
  TString playerName;
  TString accountName;
  TString password;
};

// A score category of the service.
struct THiscoreTable {
  TString id;  // sent back to name the category
  TString displayName;
};

// The remembered accounts by player name and the local lists by game mode key.
using THiscoreAccounts = std::map<TString, THiscoreAccount>;
using THiscoreLists = std::map<TString, THiscoreList>;

// Decimal text as a 32-bit number: what lies outside the range is held at
// its end instead of wrapping round, text that is no number reads as 0.
int32_t HiscoreNumber(const TString& text);
